#include "core/library/graph_screen_layout.h"

#include <algorithm>

namespace tolvane::GraphScreenLayout {

bool needsMaximise(int width, int height)
{
    return height < 200 || width < 300;
}

GraphScreenRects defaults(int width, int height)
{
    GraphScreenRects rects;
    rects.browser = QRect(0, 0, width / 2 + 65, 200);
    rects.graph =
        QRect(0, rects.browser.height() - 5, rects.browser.width(), height - rects.browser.height() - 55);
    const int viewerLeft = rects.browser.width() - 5;
    rects.viewer = QRect(viewerLeft, 0, width - rects.browser.width() - 8, height - 60);
    return rects;
}

QRect mainRect(const WindowRect& saved)
{
    return QRect(saved.left, saved.top, saved.right - saved.left, saved.bottom - saved.top);
}

QRect childRect(const WindowRect& saved, QPoint mainTopLeft)
{
    const QPoint topLeft = QPoint(saved.left, saved.top) - mainTopLeft - ClientOffset;
    return QRect(topLeft, QSize(saved.right - saved.left, saved.bottom - saved.top));
}

WindowRect savedMainRect(const QRect& frame)
{
    return {frame.top(), frame.left(), frame.top() + frame.height(), frame.left() + frame.width()};
}

QRect fittedInto(const QRect& saved, const QRect& room)
{
    QRect fitted(saved.topLeft(), QSize(std::clamp(saved.width(), 0, room.width()),
                                        std::clamp(saved.height(), 0, room.height())));
    if (!fitted.intersects(room))
        fitted.moveTopLeft(room.topLeft());
    return fitted;
}

WindowRect savedChildRect(const QRect& child, QPoint mainTopLeft)
{
    return savedMainRect(child.translated(mainTopLeft + ClientOffset));
}

BrowserWidths repaired(BrowserWidths stored)
{
    if (stored.color < 10)
        stored.color = 19;
    if (stored.date < 10)
        stored.date = 80;
    if (stored.files < 10)
        stored.files = 100;
    return stored;
}

int fileNameColumnWidth(int browserWidth, const BrowserWidths& widths)
{
    return browserWidth - widths.color - widths.files - widths.date - 14;
}

QRect levelListRect(int index, int browserWidth, int height)
{
    const int width = browserWidth / 4 - (index == 3 ? 5 : 0);
    return QRect(browserWidth * index / 4, 0, width, height);
}

int levelListDropDownCount(int mainHeight)
{
    // A list that drops down shows at least its first entry, however small the main window.
    return std::max(1, mainHeight / 16 - 16);
}

GraphScreenRects afterBrowserResize(const GraphScreenRects& now, QSize mainSize)
{
    GraphScreenRects rects = now;
    rects.browser.moveTo(0, 0);
    const int graphTop = rects.browser.height() - 4;
    rects.graph = QRect(0, graphTop, rects.browser.width(), mainSize.height() - graphTop - 60);
    const int viewerLeft = rects.browser.width() - 5;
    rects.viewer = QRect(viewerLeft, 0, mainSize.width() - viewerLeft - 14, mainSize.height() - 60);
    return rects;
}

GraphScreenRects afterGraphResize(const GraphScreenRects& now, QSize mainSize)
{
    GraphScreenRects rects = now;
    rects.browser = QRect(0, 0, now.graph.width(), now.graph.top());
    const int viewerLeft = now.graph.width() - 5;
    rects.viewer = QRect(viewerLeft, 0, mainSize.width() - viewerLeft - 14, mainSize.height() - 50);
    return rects;
}

GraphScreenRects afterViewerResize(const GraphScreenRects& now)
{
    GraphScreenRects rects = now;
    rects.browser = QRect(0, 0, now.viewer.left(), now.graph.top());
    rects.graph = QRect(0, now.graph.top(), now.viewer.left(), now.graph.height());
    return rects;
}

} // namespace tolvane::GraphScreenLayout
