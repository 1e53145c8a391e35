// The graph screen's tiling: the default layout, saved rectangles read back and written again,
// the repaired browser widths and the siblings following a resized window.
#include <gtest/gtest.h>

#include "core/library/graph_screen_layout.h"

namespace tolvane {
namespace {

using namespace GraphScreenLayout;

TEST(GraphScreenLayout, DefaultTilingOfA1024By768Window)
{
    const GraphScreenRects rects = defaults(1024, 768);
    EXPECT_EQ(rects.browser, QRect(0, 0, 577, 200));
    EXPECT_EQ(rects.graph, QRect(0, 195, 577, 513));
    EXPECT_EQ(rects.viewer, QRect(572, 0, 439, 708));
}

TEST(GraphScreenLayout, SmallWindowsAreMaximisedFirst)
{
    struct Case {
        int width;
        int height;
        bool maximise;
    };
    for (const Case& c :
         {Case{1024, 199, true}, Case{299, 768, true}, Case{300, 200, false}, Case{299, 200, true}})
        EXPECT_EQ(needsMaximise(c.width, c.height), c.maximise) << c.width << " x " << c.height;
}

TEST(GraphScreenLayout, SavedRectanglesRoundTripThroughTheClientOffset)
{
    const WindowRect savedMain{10, 20, 778, 1044};
    const QRect main = mainRect(savedMain);
    EXPECT_EQ(main, QRect(20, 10, 1024, 768));
    EXPECT_EQ(savedMainRect(main), savedMain);

    const WindowRect savedGraph{249, 26, 762, 603};
    const QRect graph = childRect(savedGraph, main.topLeft());
    EXPECT_EQ(graph, QRect(26 - 20 - 6, 249 - 10 - 44, 577, 513));
    EXPECT_EQ(savedChildRect(graph, main.topLeft()), savedGraph);
}

TEST(GraphScreenLayout, SavedRectanglesFitTheRoomTheyAreShownIn)
{
    const QRect screen(0, 0, 1280, 800);
    struct Case {
        QRect saved;
        QRect fitted;
    };
    const Case cases[] = {
        {QRect(20, 10, 1000, 700), QRect(20, 10, 1000, 700)},     // fits: unchanged
        {QRect(0, 0, 100000, 100000), QRect(0, 0, 1280, 800)},    // no window of any size
        {QRect(5000, 4000, 600, 400), QRect(0, 0, 600, 400)},     // off every screen: brought in
        {QRect(1200, 700, 600, 400), QRect(1200, 700, 600, 400)}, // partly visible: left where it is
        {QRect(10, 10, -50, 300), QRect(10, 10, 0, 300)},         // bottom above top
    };
    for (const Case& c : cases)
        EXPECT_EQ(fittedInto(c.saved, screen), c.fitted) << c.saved.x() << "," << c.saved.y();
}

TEST(GraphScreenLayout, NarrowBrowserWidthsAreRepaired)
{
    EXPECT_EQ(repaired({9, 9, 9}).color, 19);
    EXPECT_EQ(repaired({9, 9, 9}).date, 80);
    EXPECT_EQ(repaired({9, 9, 9}).files, 100);
    const BrowserWidths kept = repaired({10, 10, 10});
    EXPECT_EQ(kept.color, 10);
    EXPECT_EQ(kept.date, 10);
    EXPECT_EQ(kept.files, 10);
    EXPECT_EQ(fileNameColumnWidth(577, {19, 70, 130}), 344);
}

TEST(GraphScreenLayout, LevelListsShareTheBrowserWidth)
{
    EXPECT_EQ(levelListRect(0, 577, 21), QRect(0, 0, 144, 21));
    EXPECT_EQ(levelListRect(1, 577, 21), QRect(144, 0, 144, 21));
    EXPECT_EQ(levelListRect(2, 577, 21), QRect(288, 0, 144, 21));
    EXPECT_EQ(levelListRect(3, 577, 21), QRect(432, 0, 139, 21));
    EXPECT_EQ(levelListDropDownCount(768), 32);
    EXPECT_EQ(levelListDropDownCount(199), 1);
}

TEST(GraphScreenLayout, SiblingsFollowTheResizedWindow)
{
    const QSize main(1024, 768);
    GraphScreenRects now = defaults(1024, 768);

    now.browser.setSize(QSize(500, 250));
    GraphScreenRects after = afterBrowserResize(now, main);
    EXPECT_EQ(after.graph, QRect(0, 246, 500, 462));
    EXPECT_EQ(after.viewer, QRect(495, 0, 515, 708));

    now = defaults(1024, 768);
    now.graph = QRect(0, 300, 600, 400);
    after = afterGraphResize(now, main);
    EXPECT_EQ(after.browser, QRect(0, 0, 600, 300));
    EXPECT_EQ(after.viewer, QRect(595, 0, 415, 718));

    now = defaults(1024, 768);
    now.viewer = QRect(650, 0, 360, 708);
    after = afterViewerResize(now);
    EXPECT_EQ(after.browser, QRect(0, 0, 650, 195));
    EXPECT_EQ(after.graph, QRect(0, 195, 650, 513));
}

} // namespace
} // namespace tolvane
