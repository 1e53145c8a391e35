#include "core/analysis/run_plotter.h"

#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

#include "core/analysis/graph_settings.h"
#include "core/analysis/graph_switches.h"
#include "core/analysis/series_model.h"
#include "core/analysis/viewer_state.h"
#include "core/common/scripted_prompter.h"
#include "core/library/selection.h"
#include "recording_chart.h"
#include "run_test_support.h"

namespace tolvane {
namespace {

using test::fixturePath;
using test::runFixture;

const QString NoData = QStringLiteral("No Data! \nThis can happen if ALL the data in one file is cold...");

class RunPlotterTest : public ::testing::Test {
protected:
    void add(const QString& path)
    {
        ASSERT_FALSE(selection.addRun(path, QString(), QStringLiteral("12/9/2026"),
                                      Selection::MarkerSpelling::Capital));
    }
    void addFixture(const QString& name) { add(fixturePath(QStringLiteral("runs/") + name)); }
    // A small run file with the given data lines.
    QString writeRun(const QString& name, const QStringList& data)
    {
        const QString path = dir.filePath(name);
        QStringList lines = {QStringLiteral("QV512e -USB- Auto Step   12/9/2026"),
                             QStringLiteral("\\") + name, QStringLiteral("RPM\tMPH\tBHP\tFt/Lbs\t")};
        lines << data << QStringLiteral("end.");
        EXPECT_FALSE(writeTextLines(path, lines));
        return path;
    }
    std::vector<SeriesPoint> points(int key) const
    {
        const Series* s = model.series(key);
        return s ? s->points : std::vector<SeriesPoint>{};
    }

    QTemporaryDir dir;
    test::RecordingChart chart;
    SeriesModel model{&chart};
    Selection selection;
    GraphSettings settings;
    ViewerState viewer;
    ScriptedPrompter prompter;
    RunPlotter plotter{model, selection, settings, viewer, prompter, QLatin1Char('.')};
};

TEST_F(RunPlotterTest, TwoRunsPowerSolidTorqueDashed)
{
    settings.setShowCo(false);
    addFixture(QStringLiteral("step_basic.STP"));
    addFixture(QStringLiteral("sweep_basic.SWP"));
    chart.draws.clear();
    const PlotAllResult result = plotter.PlotAll();

    EXPECT_EQ(result.outcome, PlotAllResult::Outcome::Plotted);
    EXPECT_TRUE(prompter.asked().empty());
    EXPECT_EQ(chart.draws.size(), 1u); // one redraw for the whole refresh
    EXPECT_EQ(points(1), std::vector<SeriesPoint>({{3000, 40}, {4000, 60}, {5000, 80}, {6000, 90}}));
    EXPECT_EQ(points(21), std::vector<SeriesPoint>({{3000, 70}, {4000, 78.8}, {5000, 84}, {6000, 78.8}}));
    EXPECT_EQ(points(2).size(), 3u);
    EXPECT_EQ(points(22).size(), 3u);
    EXPECT_TRUE(points(41).empty()); // CO% unchecked: no gas curves at all
    EXPECT_TRUE(points(42).empty());

    struct Expected {
        int key;
        const char* color;
        LineStyle style;
        MarkerShape shape;
    };
    for (const Expected& e : {Expected{1, "clRed", LineStyle::Solid, MarkerShape::Circle},
                              Expected{21, "clRed", LineStyle::Dash, MarkerShape::Circle},
                              Expected{2, "clAqua", LineStyle::Solid, MarkerShape::Diamond},
                              Expected{22, "clAqua", LineStyle::Dash, MarkerShape::Diamond}}) {
        SCOPED_TRACE(e.key);
        const Series& s = *model.series(e.key);
        EXPECT_EQ(s.lineColor, QString::fromLatin1(e.color));
        EXPECT_EQ(s.markerColor, QString::fromLatin1(e.color));
        EXPECT_EQ(s.lineStyle, e.style);
        EXPECT_EQ(s.markerShape, e.shape);
        EXPECT_EQ(s.markerSize, 8);
        EXPECT_TRUE(s.drawLine);
        EXPECT_FALSE(s.drawMarkers); // no PrintPoints
        EXPECT_EQ(s.regressionLineStyle, LineStyle::None);
        EXPECT_DOUBLE_EQ(s.numericalTolerance, 0.001);
    }
    // The viewer is left on the last run.
    EXPECT_EQ(result.runNames, QStringList({"step_basic.STP", "sweep_basic.SWP"}));
    EXPECT_EQ(result.lastRunLines, runFixture(QStringLiteral("sweep_basic.SWP")));
    EXPECT_EQ(result.lastRunColor, QStringLiteral("clAqua"));
    EXPECT_EQ(viewer.currentFile(), fixturePath(QStringLiteral("runs/sweep_basic.SWP")));
    EXPECT_EQ(viewer.fileCountAtPlot(), 2);
    EXPECT_TRUE(model.xAxis().automatic); // no rescale asked for
}

TEST_F(RunPlotterTest, CurveSwitchesAndMarkers)
{
    addFixture(QStringLiteral("step_basic.STP"));
    settings.setShowPower(false);
    plotter.PlotAll();
    // Without "HP" the power points stay but no line joins them.
    EXPECT_EQ(points(1).size(), 4u);
    EXPECT_FALSE(model.series(1)->drawLine);
    EXPECT_FALSE(model.series(1)->drawMarkers);
    // CO% is plotted uncorrected, dotted, only where the table has a value.
    EXPECT_EQ(points(41), std::vector<SeriesPoint>({{3000, 2.5}, {4000, 3.1}}));
    EXPECT_EQ(model.series(41)->lineStyle, LineStyle::Dot);

    settings.setShowPower(true);
    settings.setPrintPoints(true);
    settings.setLineDisplayMode(GraphSettings::LineDisplayMode::Tolerance3);
    plotter.PlotAll();
    EXPECT_TRUE(model.series(1)->drawLine);
    EXPECT_TRUE(model.series(1)->drawMarkers);
    EXPECT_TRUE(model.series(21)->drawMarkers);
    EXPECT_DOUBLE_EQ(model.series(41)->numericalTolerance, 3.0);
}

TEST_F(RunPlotterTest, UncorrectedDividesOutTheAppliedFactor)
{
    addFixture(QStringLiteral("step_basic.STP"));
    settings.setCorrected(false);
    plotter.PlotAll();
    EXPECT_DOUBLE_EQ(points(1).front().y, 40.0 / 1.04);
    EXPECT_DOUBLE_EQ(points(21).front().y, 70.0 / 1.04);
    EXPECT_DOUBLE_EQ(points(41).front().y, 2.5);
    EXPECT_DOUBLE_EQ(viewer.runCorrection(), 1.0 / 1.04);
}

TEST_F(RunPlotterTest, RunWithoutDataEndsThePlot)
{
    // One data row (in the smallest files the browser refuses and accepts), or only warm-up lines.
    const char* empties[] = {"lines15.STP", "lines16.STP", "cold_only.STP"};
    for (const char* empty : empties) {
        SCOPED_TRACE(empty);
        selection.clear();
        prompter.clearRecord();
        addFixture(QStringLiteral("step_basic.STP"));
        addFixture(QString::fromLatin1(empty));
        addFixture(QStringLiteral("sweep_basic.SWP"));
        chart.draws.clear();
        const PlotAllResult result = plotter.PlotAll();
        EXPECT_EQ(result.outcome, PlotAllResult::Outcome::NoData);
        ASSERT_EQ(prompter.asked().size(), 1u);
        EXPECT_EQ(prompter.asked()[0].text, NoData);
        EXPECT_EQ(prompter.asked()[0].buttons, PromptButtons::Ok);
        EXPECT_EQ(prompter.asked()[0].icon, PromptIcon::Warning);
        EXPECT_EQ(points(1).size(), 4u); // the run before stays plotted
        EXPECT_TRUE(points(3).empty());  // the run after is not drawn
        EXPECT_EQ(result.runNames.size(), 2);
        EXPECT_EQ(chart.draws.size(), 1u); // and drawing resumes to show them
    }
}

TEST_F(RunPlotterTest, UnreadableFileEndsThePlotWithItsReason)
{
    addFixture(QStringLiteral("step_basic.STP"));
    add(dir.filePath(QStringLiteral("gone.STP")));
    const PlotAllResult result = plotter.PlotAll();
    EXPECT_EQ(result.outcome, PlotAllResult::Outcome::FileError);
    ASSERT_EQ(prompter.asked().size(), 1u);
    EXPECT_TRUE(prompter.asked()[0].text.contains(QStringLiteral("gone.STP")));
    EXPECT_EQ(points(1).size(), 4u);
}

TEST_F(RunPlotterTest, RescaleFitsTheAxesOnce)
{
    add(writeRun(QStringLiteral("a.STP"), {"2000\t20\t10\t20\t", "5000\t50\t60\t60\t"}));
    add(writeRun(QStringLiteral("b.STP"), {"4000\t40\t50\t30\t", "9000\t90\t95\t40\t"}));
    settings.setShowCo(false);
    viewer.setRescalePending(true);
    plotter.PlotAll();
    EXPECT_EQ(model.xAxis(), (ChartAxis{1992, 9008, false, {}}));
    EXPECT_EQ(model.yAxis(), (ChartAxis{2, 103, false, {}}));
    EXPECT_FALSE(viewer.rescalePending());
    EXPECT_EQ(viewer.plotExtents(), (PlotExtents{2000, 10, 9000, 95}));

    // The next refresh leaves the axes alone.
    model.setXAxisRange(0, 1);
    plotter.PlotAll();
    EXPECT_EQ(model.xAxis().maximum, 1);
}

// A fitted range is fixed; a switch that changes what the curves show must fit it again at the
// next full plot, or road speeds would sit under the rpm range (about 2000 ... 9000) and show no
// curve at all. A plain refresh still leaves the range alone (above).
TEST_F(RunPlotterTest, SwitchesThatChangeThePlottedValuesFitTheAxesAgain)
{
    add(writeRun(QStringLiteral("a.STP"), {"2000\t20\t10\t20\t", "5000\t50\t60\t60\t"}));
    add(writeRun(QStringLiteral("b.STP"),
                 {"Correction Factor Applied - 1.25", "4000\t40\t50\t30\t", "9000\t90\t95\t40\t"}));
    settings.setShowCo(false);
    viewer.setRescalePending(true);
    plotter.PlotAll();
    ASSERT_EQ(model.xAxis().maximum, 9008);

    chooseRoadSpeedAxis(settings, model, QStringLiteral("MPH"));
    plotter.PlotAll();
    EXPECT_EQ(model.xAxis().minimum, 12);
    EXPECT_EQ(model.xAxis().maximum, 98);
    EXPECT_EQ(model.yAxis().maximum, 103);
    chooseCorrected(settings, model, false); // run b's power 95 is 76 uncorrected
    plotter.PlotAll();
    EXPECT_EQ(model.yAxis().maximum, 84);

    const struct {
        const char* name;
        std::function<void()> change;
    } switches[] = {
        {"RPM", [&] { chooseEngineSpeedAxis(settings, model, QStringLiteral("RPM")); }},
        {"Corrected", [&] { chooseCorrected(settings, model, true); }},
        {"Torque", [&] { settings.setShowTorque(true); }},
        {"CO%", [&] { settings.setShowCo(true); }},
        {"HP", [&] { settings.setShowPower(false); }},
        {"Average test phases", [&] { settings.setAverageTestPhases(true); }},
        {"Line display mode",
         [&] { settings.setLineDisplayMode(GraphSettings::LineDisplayMode::ShowHighest); }},
    };
    for (const auto& s : switches) {
        SCOPED_TRACE(s.name);
        // Whatever range the axes hold, the switch's refresh fits them to what it plots.
        model.setXAxisRange(0, 1);
        model.setYAxisRange(0, 1);
        s.change();
        plotter.PlotAll();
        const PlotExtents& plotted = viewer.plotExtents();
        EXPECT_EQ(model.xAxis(),
                  (ChartAxis{plotted.xMinimum - 8, plotted.xMaximum + 8, false, model.xAxis().title}));
        EXPECT_EQ(model.yAxis(),
                  (ChartAxis{plotted.yMinimum - 8, plotted.yMaximum + 8, false, model.yAxis().title}));
    }
    EXPECT_EQ(model.xAxis().minimum, 1992);
}

TEST_F(RunPlotterTest, RoadSpeedOnTheXAxis)
{
    addFixture(QStringLiteral("step_basic.STP"));
    settings.setXAxisColumn(GraphSettings::RoadSpeedAxis);
    plotter.PlotAll();
    EXPECT_EQ(points(1).front(), (SeriesPoint{30, 40}));
}

TEST_F(RunPlotterTest, PreviewDrawsWhiteDottedCurves)
{
    const QStringList lines = runFixture(QStringLiteral("step_basic.STP"));
    chart.draws.clear();
    ASSERT_TRUE(plotter.PreViewG(lines));
    EXPECT_EQ(chart.draws.size(), 1u);

    struct Expected {
        int key;
        MarkerShape shape;
        int size;
    };
    for (const Expected& e : {Expected{100, MarkerShape::Cross, 15}, Expected{101, MarkerShape::Diamond, 4},
                              Expected{102, MarkerShape::Circle, 4}}) {
        SCOPED_TRACE(e.key);
        const Series& s = *model.series(e.key);
        EXPECT_TRUE(s.enabled && s.drawLine && s.drawMarkers);
        EXPECT_FALSE(s.fillMarkers);
        EXPECT_EQ(s.lineColor, QStringLiteral("clWhite"));
        EXPECT_EQ(s.markerColor, QStringLiteral("clWhite"));
        EXPECT_EQ(s.lineStyle, LineStyle::Dot);
        EXPECT_EQ(s.markerShape, e.shape);
        EXPECT_EQ(s.markerSize, e.size);
        EXPECT_EQ(s.regressionLineColor, QStringLiteral("clBlack"));
        EXPECT_EQ(s.regressionLineStyle, LineStyle::None);
    }
    EXPECT_EQ(points(100).size(), 4u);
    EXPECT_EQ(points(101).size(), 4u);
    // The last two rows have no gas value, and a row without one empties the gas preview.
    EXPECT_TRUE(points(102).empty());

    EXPECT_DOUBLE_EQ(viewer.runTachRatio(), 2.5);
    EXPECT_DOUBLE_EQ(viewer.runInertia(), 3.5);
    EXPECT_EQ(viewer.firstDataLine(), 10);
    // The gas values counted for the extents before their curve was emptied.
    EXPECT_EQ(viewer.plotExtents(), (PlotExtents{3000, 2.5, 6000, 90}));
}

TEST_F(RunPlotterTest, ShortRunKeepsThePreviousPreview)
{
    ASSERT_TRUE(plotter.PreViewG(runFixture(QStringLiteral("correction_zero.STP"))));
    const std::vector<SeriesPoint> before = points(100);
    EXPECT_EQ(before.size(), 2u);
    EXPECT_FALSE(plotter.PreViewG(runFixture(QStringLiteral("lines16.STP"))));
    EXPECT_EQ(points(100), before);
}

TEST_F(RunPlotterTest, PreviewWidensOnlyFittedAxes)
{
    // Axes exactly 3 beyond the extents count as fitted and follow the preview.
    viewer.setPlotExtents(PlotExtents{3000, 40, 5000, 80});
    model.setXAxisRange(2997, 5003);
    model.setYAxisRange(37, 83);
    settings.setShowTorque(false);
    settings.setShowCo(false);
    plotter.PreViewG(runFixture(QStringLiteral("step_basic.STP")));
    EXPECT_EQ(model.xAxis().maximum, 6003);
    EXPECT_EQ(model.yAxis().maximum, 93);
    EXPECT_EQ(model.xAxis().minimum, 2997);

    // Axes as a rescale leaves them (8 beyond) stay put.
    viewer.setPlotExtents(PlotExtents{3000, 40, 5000, 80});
    model.setXAxisRange(2992, 5008);
    model.setYAxisRange(32, 88);
    plotter.PreViewG(runFixture(QStringLiteral("step_basic.STP")));
    EXPECT_EQ(model.xAxis().maximum, 5008);
    EXPECT_EQ(model.yAxis().maximum, 88);
}

TEST_F(RunPlotterTest, PreviewWithPowerOffClearsItsSeries)
{
    plotter.PreViewG(runFixture(QStringLiteral("step_basic.STP")));
    settings.setShowPower(false);
    settings.setShowTorque(false);
    plotter.PreViewG(runFixture(QStringLiteral("step_basic.STP")));
    EXPECT_TRUE(points(100).empty());
    EXPECT_TRUE(points(101).empty());
}

TEST_F(RunPlotterTest, SpikeFilterRunsOnlyWhenArmed)
{
    int calls = 0;
    plotter.setSpikeFilter([&](RunTable&, int) { ++calls; });
    const QStringList lines = runFixture(QStringLiteral("step_basic.STP"));
    plotter.PreViewG(lines);
    EXPECT_EQ(calls, 0);
    viewer.setSpikeFilterArmed(true);
    plotter.PreViewG(lines);
    EXPECT_EQ(calls, 1);
}

} // namespace
} // namespace tolvane
