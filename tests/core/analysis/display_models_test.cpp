#include <gtest/gtest.h>

#include "core/analysis/graph_settings.h"
#include "core/analysis/viewer_state.h"

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

} // namespace
} // namespace tolvane
