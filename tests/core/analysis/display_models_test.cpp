#include <gtest/gtest.h>

#include "core/analysis/graph_settings.h"
#include "core/analysis/viewer_state.h"
#include "core/analysis/viewer_text.h"

namespace tolvane {
namespace {

TEST(DisplayModelsTest, GraphSettingsStartAndSignalRealChangesOnly)
{
    GraphSettings settings;
    EXPECT_EQ(settings.xAxisColumn(), 0);
    EXPECT_TRUE(settings.showPower() && settings.showTorque() && settings.showCo() && settings.corrected());
    EXPECT_FALSE(settings.printPoints() || settings.averageTestPhases() || settings.showHighest());

    int changes = 0;
    QObject::connect(&settings, &GraphSettings::changed, [&] { ++changes; });
    settings.setShowTorque(true);
    settings.setXAxisColumn(GraphSettings::EngineSpeedAxis);
    EXPECT_EQ(changes, 0);
    settings.setCorrected(false);
    settings.setLineDisplayMode(GraphSettings::LineDisplayMode::ShowHighest);
    settings.setAverageTestPhases(true);
    EXPECT_EQ(changes, 3);

    const RunLoadSettings load = settings.loadSettings(QLatin1Char(','));
    EXPECT_FALSE(load.corrected);
    EXPECT_TRUE(load.showHighest);
    EXPECT_TRUE(load.averageTestPhases);
    EXPECT_EQ(load.decimalSeparator, QLatin1Char(','));
}

TEST(DisplayModelsTest, ViewerStateStartValues)
{
    ViewerState viewer;
    EXPECT_DOUBLE_EQ(viewer.runCorrection(), 1.0);
    EXPECT_DOUBLE_EQ(viewer.runTachRatio(), 0.0);
    EXPECT_DOUBLE_EQ(viewer.runInertia(), 0.0);
    EXPECT_EQ(viewer.firstDataLine(), 0);
    EXPECT_FALSE(viewer.rescalePending() || viewer.spikeFilterArmed());
    // The full plot's start extents: any real point moves them.
    EXPECT_EQ(viewer.plotExtents(), (PlotExtents{100000.0, 1000.0, 0.0, 0.0}));

    int changes = 0;
    QObject::connect(&viewer, &ViewerState::changed, [&] { ++changes; });
    viewer.setCurrentFile(QStringLiteral("/runs/a.STP"));
    viewer.setCurrentFile(QStringLiteral("/runs/a.STP"));
    EXPECT_EQ(changes, 1);
}

TEST(DisplayModelsTest, FileIndexCountsTheNamedTabsOfTheRunStrip)
{
    struct Case {
        QStringList strip;
        int fileIndex;
    };
    const Case cases[] = {
        {{"02dyno.SWP", "03dyno.SWP", "04dyno.SWP"}, 3}, // three runs plotted
        {{"02dyno.SWP"}, 1},
        {{"", "", ""}, 0}, // runs selected but the plot reached none
        {{}, 0},           // the cleared strip
    };
    for (const Case& c : cases) {
        ViewerState viewer;
        viewer.setRunStrip(c.strip);
        EXPECT_EQ(viewer.fileIndex(), c.fileIndex) << c.strip.join(QLatin1Char(',')).toStdString();
    }

    // A removed run's tab goes; the later ones move up with their runs.
    ViewerState viewer;
    viewer.setRunStrip({"a", "b", "c"});
    viewer.removeRunStripTab(2);
    EXPECT_EQ(viewer.runStrip(), (QStringList{"a", "c"}));
    viewer.removeRunStripTab(3); // no such tab
    viewer.removeRunStripTab(0);
    EXPECT_EQ(viewer.fileIndex(), 2);
}

// The caption names the run whose text is shown: a file read sets both, edits and tools keep it.
TEST(DisplayModelsTest, ViewerTextCaptionFollowsTheShownFile)
{
    ViewerText text;
    text.showFile({QStringLiteral("a"), QStringLiteral("b")}, QStringLiteral("02dyno.SWP"));
    EXPECT_EQ(text.caption(), QStringLiteral("02dyno.SWP"));
    EXPECT_FALSE(text.isModified());
    text.setLines({QStringLiteral("a"), QStringLiteral("edited")}, true);
    EXPECT_EQ(text.caption(), QStringLiteral("02dyno.SWP"));
    text.showFile({QStringLiteral("c")}, QStringLiteral("03dyno.SWP"));
    EXPECT_FALSE(text.isModified());
    EXPECT_EQ(text.caption(), QStringLiteral("03dyno.SWP"));
    text.clear();
    EXPECT_TRUE(text.lines().isEmpty());
    EXPECT_TRUE(text.caption().isEmpty());
}

} // namespace
} // namespace tolvane
