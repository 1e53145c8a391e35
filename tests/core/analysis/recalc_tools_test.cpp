// The recalculation tools: inertia and tach ratio (preview and apply), even increments with
// writem. Rewritten texts are compared with golden files to their last line.
#include <gtest/gtest.h>

#include <cmath>

#include "core/analysis/even_increments.h"
#include "core/analysis/inertia_tool.h"
#include "core/analysis/ratio_tool.h"
#include "core/analysis/run_plotter.h"
#include "tool_test_support.h"

namespace tolvane {
namespace {

using test::expectSameLines;
using test::ToolBench;
using test::toolFixture;

struct ApplyCase {
    const char* input;
    double value;
    const char* golden;
};

class InertiaApply : public ::testing::TestWithParam<ApplyCase> {};

TEST_P(InertiaApply, RewritesTheTextAsTheGoldenFile)
{
    ToolBench bench(toolFixture(QString::fromLatin1(GetParam().input)));
    RecalcContext context = bench.context();
    EXPECT_TRUE(SaveNewInertia(context, GetParam().value));
    expectSameLines(bench.text.lines(), toolFixture(QString::fromLatin1(GetParam().golden)));
    EXPECT_TRUE(bench.text.isModified()); // left for the operator to save
    EXPECT_DOUBLE_EQ(bench.viewer.runInertia(), GetParam().value);
}

// The sweep file has a row recorded at zero acceleration (4150 rpm): its torque is the static
// torque over the tach ratio. A step file has no inertia term: only its "Inertia:" line changes.
INSTANTIATE_TEST_SUITE_P(Files, InertiaApply,
                         ::testing::Values(ApplyCase{"sweep.SWP", 3.0, "sweep_inertia_3.SWP"},
                                           ApplyCase{"step.STP", 3.0, "step_inertia_3.STP"}));

class RatioApply : public ::testing::TestWithParam<ApplyCase> {};

TEST_P(RatioApply, RewritesTheTextAsTheGoldenFile)
{
    ToolBench bench(toolFixture(QString::fromLatin1(GetParam().input)));
    RecalcContext context = bench.context();
    EXPECT_TRUE(SaveNewRatio(context, GetParam().value));
    const QStringList golden = toolFixture(QString::fromLatin1(GetParam().golden));
    expectSameLines(bench.text.lines(), golden);

    // A second apply without reloading lands on the same lines again, not after them.
    EXPECT_FALSE(SaveNewRatio(context, GetParam().value));
    expectSameLines(bench.text.lines(), golden);
}

INSTANTIATE_TEST_SUITE_P(Files, RatioApply,
                         ::testing::Values(ApplyCase{"sweep.SWP", 2.5, "sweep_ratio_2.5.SWP"},
                                           ApplyCase{"step.STP", 3.0, "step_ratio_3.STP"}));

TEST(InertiaTool, ApplyWithTachRatioZeroChangesOnlyTheInertiaLine)
{
    QStringList lines = toolFixture(QStringLiteral("sweep.SWP"));
    const qsizetype tach = lines.indexOf(QStringLiteral("Eng. Tachometer Ratio - 2.0000"));
    ASSERT_GT(tach, 0);
    lines[tach] = QStringLiteral("Eng. Tachometer Ratio - 0.0000");
    ToolBench bench(lines);
    RecalcContext context = bench.context();
    EXPECT_TRUE(SaveNewInertia(context, 3.2));

    QStringList expected = lines;
    expected[expected.indexOf(QStringLiteral("Inertia:3.5000"))] = QStringLiteral("Inertia:3.2000");
    expectSameLines(bench.text.lines(), expected);
    EXPECT_FALSE(ShowNewInertia(context, 3.2));
}

TEST(InertiaTool, SummaryLinesUseTheUnitLabelsUpToTheirTab)
{
    ToolBench bench(toolFixture(QStringLiteral("sweep.SWP")));
    bench.units.setForceFactor(2.0);
    bench.units.setPowerUnitLabel(QStringLiteral("kW\tmetric"));
    bench.units.setForceUnit(QStringLiteral("Nm"));
    bench.units.setEngineSpeedUnit(QStringLiteral("1/min\tengine"));
    RecalcContext context = bench.context();
    ASSERT_TRUE(SaveNewInertia(context, 3.0));
    // Last row: T = (3.0 * 1.55 + 24.0) / 2.0 * 2.0 = 28.65, P = 4390 * 28.65 / 5252.
    EXPECT_EQ(bench.text.lines()[3], QStringLiteral("Max kW:  23.95  @  4390 1/min."));
    EXPECT_EQ(bench.text.lines()[4], QStringLiteral("Max Nm:  28.65  @  4390 1/min."));
    EXPECT_EQ(bench.text.lines()[20], QStringLiteral("4390\t83.2\t23.95\t28.65\t1.55\t5.425\t24.000\t0\t"));
}

TEST(InertiaTool, NegativeInertiaIsRefusedAndNothingChanges)
{
    const QStringList lines = toolFixture(QStringLiteral("sweep.SWP"));
    ToolBench bench(lines);
    RecalcContext context = bench.context();
    EXPECT_FALSE(SaveNewInertia(context, -0.5));
    EXPECT_FALSE(ShowNewInertia(context, -0.5));
    EXPECT_FALSE(ShowNewInertia(context, std::nan("")));
    expectSameLines(bench.text.lines(), lines);
    EXPECT_FALSE(bench.text.isModified());
    ASSERT_EQ(bench.prompter.asked().size(), 1u);
    EXPECT_EQ(bench.prompter.asked()[0].title, QStringLiteral("Adjust Inertia Value"));
    EXPECT_EQ(bench.prompter.asked()[0].text, QStringLiteral("The inertia must not be negative."));
}

// Preview points: x is the row's value on the x axis (engine rpm, or road speed in MPH mode);
// the power always uses the row's engine rpm.
struct PreviewCase {
    int xAxisColumn;
    double x;      // of the 4150 rpm row (zero acceleration)
    double power;  // 4150 * 11.25 / 5252
    double torque; // 22.5 / 2
};

class InertiaPreview : public ::testing::TestWithParam<PreviewCase> {};

TEST_P(InertiaPreview, DrawsWhiteDottedCurvesForTheNewInertia)
{
    ToolBench bench(toolFixture(QStringLiteral("sweep.SWP")));
    bench.graph.setXAxisColumn(GetParam().xAxisColumn);
    RecalcContext context = bench.context();
    ASSERT_TRUE(ShowNewInertia(context, 3.0));

    const std::vector<SeriesPoint> power = bench.points(SeriesKey::PreviewPower);
    const std::vector<SeriesPoint> torque = bench.points(SeriesKey::PreviewTorque);
    ASSERT_EQ(power.size(), 6u);
    ASSERT_EQ(torque.size(), 6u);
    EXPECT_DOUBLE_EQ(power[2].x, GetParam().x);
    EXPECT_NEAR(power[2].y, GetParam().power, 1e-9);
    EXPECT_NEAR(torque[2].y, GetParam().torque, 1e-9);
    EXPECT_DOUBLE_EQ(bench.viewer.runInertia(), 3.0);

    const Series* style = bench.chart.series(SeriesKey::PreviewPower);
    EXPECT_EQ(style->lineColor, QStringLiteral("clWhite"));
    EXPECT_EQ(style->lineStyle, LineStyle::Dot);
    EXPECT_FALSE(style->drawMarkers);
    EXPECT_TRUE(bench.chart.isPlotting());
}

INSTANTIATE_TEST_SUITE_P(XAxis, InertiaPreview,
                         ::testing::Values(PreviewCase{0, 4150.0, 4150.0 * 11.25 / 5252.0, 11.25},
                                           PreviewCase{1, 78.6, 4150.0 * 11.25 / 5252.0, 11.25}));

// First preview point of each tool on each kind of file, engine speed on the x axis.
struct FirstPointCase {
    const char* name;
    bool inertiaTool; // else the tach-ratio tool
    const char* file;
    double value;
    std::size_t points;
    double x;
    double power;
    double torque;
};

class ToolPreview : public ::testing::TestWithParam<FirstPointCase> {};

TEST_P(ToolPreview, FirstPoint)
{
    const FirstPointCase& c = GetParam();
    ToolBench bench(toolFixture(QString::fromLatin1(c.file)));
    RecalcContext context = bench.context();
    ASSERT_TRUE(c.inertiaTool ? ShowNewInertia(context, c.value) : ShowNewRatio(context, c.value));
    const std::vector<SeriesPoint> power = bench.points(SeriesKey::PreviewPower);
    const std::vector<SeriesPoint> torque = bench.points(SeriesKey::PreviewTorque);
    ASSERT_EQ(power.size(), c.points);
    ASSERT_EQ(torque.size(), c.points);
    EXPECT_NEAR(power[0].x, c.x, 1e-9);
    EXPECT_NEAR(power[0].y, c.power, 1e-9);
    EXPECT_NEAR(torque[0].x, c.x, 1e-9);
    EXPECT_NEAR(torque[0].y, c.torque, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ToolPreview,
    ::testing::Values(
        // A step run has no inertia term: the preview shows the run as stored.
        FirstPointCase{"inertia_step", true, "step.STP", 3.0, 5, 4020.0, 40.0, 52.3},
        FirstPointCase{"inertia_sweep", true, "sweep.SWP", 3.0, 6, 4020.0, 4020.0 * 12.25 / 5252.0, 12.25},
        FirstPointCase{"ratio_step", false, "step.STP", 1.0, 5, 48.8 * 26.3852, 40.0,
                       40.0 * 5252.0 / (48.8 * 26.3852)},
        FirstPointCase{"ratio_sweep", false, "sweep.SWP", 2.0, 6, 2.0 * 76.2 * 26.3852, 9.7,
                       9.7 * 5252.0 / (2.0 * 76.2 * 26.3852)}),
    [](const ::testing::TestParamInfo<FirstPointCase>& info) { return std::string(info.param.name); });

TEST(InertiaTool, PreviewFollowsTheCurveSwitchesAndNeedsTwoRows)
{
    ToolBench bench(toolFixture(QStringLiteral("sweep.SWP")));
    bench.graph.setShowPower(false);
    RecalcContext context = bench.context();
    ASSERT_TRUE(ShowNewInertia(context, 3.0));
    EXPECT_TRUE(bench.points(SeriesKey::PreviewPower).empty());
    EXPECT_EQ(bench.points(SeriesKey::PreviewTorque).size(), 6u);

    // One data row: the earlier preview stays as it was.
    const QStringList lines = toolFixture(QStringLiteral("sweep.SWP"));
    const qsizetype firstData =
        lines.indexOf(QStringLiteral("4020\t76.2\t9.7\t12.6\t1.50\t5.250\t20.000\t0\t"));
    ASSERT_GT(firstData, 0);
    bench.text.setLines(lines.mid(0, firstData + 1) + lines.mid(lines.indexOf(QStringLiteral("end."))),
                        false);
    EXPECT_FALSE(ShowNewInertia(context, 2.0));
    EXPECT_EQ(bench.points(SeriesKey::PreviewTorque).size(), 6u);
}

TEST(RatioTool, PreviewAtTheStartRatioUsesRoadSpeedForEngineSpeed)
{
    ToolBench bench(toolFixture(QStringLiteral("step.STP")));
    RecalcContext context = bench.context();
    ASSERT_TRUE(ShowNewRatio(context, StartTachRatio));
    const std::vector<SeriesPoint> power = bench.points(SeriesKey::PreviewPower);
    const std::vector<SeriesPoint> torque = bench.points(SeriesKey::PreviewTorque);
    ASSERT_EQ(power.size(), 5u);
    const double rpm = 48.8 * 26.3852; // first row, ratio 1
    EXPECT_NEAR(power[0].x, rpm, 1e-9);
    EXPECT_DOUBLE_EQ(power[0].y, 40.0);
    EXPECT_NEAR(torque[0].y, 40.0 * 5252.0 / rpm, 1e-9);

    bench.graph.setXAxisColumn(GraphSettings::RoadSpeedAxis);
    ASSERT_TRUE(ShowNewRatio(context, 2.0));
    EXPECT_DOUBLE_EQ(bench.points(SeriesKey::PreviewPower)[0].x, 48.8);
}

TEST(RatioTool, UncorrectedPreviewDividesTheAppliedFactorOut)
{
    QStringList lines = toolFixture(QStringLiteral("step.STP"));
    lines[lines.indexOf(QStringLiteral("Correction Factor Applied - 1.0000"))] =
        QStringLiteral("Correction Factor Applied - 1.2500");
    ToolBench bench(lines);
    bench.graph.setCorrected(false);
    RecalcContext context = bench.context();
    ASSERT_TRUE(ShowNewRatio(context, 1.0));
    EXPECT_DOUBLE_EQ(bench.points(SeriesKey::PreviewPower)[0].y, 40.0 / 1.25);
    EXPECT_NEAR(bench.points(SeriesKey::PreviewTorque)[0].y, 40.0 * 5252.0 / (48.8 * 26.3852) / 1.25, 1e-9);
}

TEST(RatioTool, RatioThatIsNotAboveZeroIsRefused)
{
    const QStringList lines = toolFixture(QStringLiteral("sweep.SWP"));
    ToolBench bench(lines);
    RecalcContext context = bench.context();
    for (const double ratio : {0.0, -0.5, std::nan("")}) {
        EXPECT_FALSE(ShowNewRatio(context, ratio));
        EXPECT_FALSE(SaveNewRatio(context, ratio));
    }
    expectSameLines(bench.text.lines(), lines);
    EXPECT_EQ(bench.chart.series(SeriesKey::PreviewPower), nullptr);
    ASSERT_EQ(bench.prompter.asked().size(), 3u);
    EXPECT_EQ(bench.prompter.asked()[0].title, QStringLiteral("Adjust Tach Ratio"));
    EXPECT_EQ(bench.prompter.asked()[0].text, QStringLiteral("The tach ratio must be greater than 0."));
}

TEST(EvenIncTable, RowsAreGatheredPerHundredRpm)
{
    // 4520 and 4580 share bin 45; 19849 is the last counted bin, 19950 lies beyond it.
    const std::vector<double> rows[] = {{4520.0, 1.0, 40.0},
                                        {4580.0, 1.0, 41.0},
                                        {4649.6, 1.0, 45.0},
                                        {19849.0, 1.0, 90.0},
                                        {19950.0, 1.0, 91.0}};
    RunTable table;
    for (const std::vector<double>& row : rows)
        table.appendRow(row);
    EvenIncTable even;
    even.compute(table);
    const std::vector<EvenIncBin>& bins = even.bins();
    ASSERT_EQ(bins.size(), 3u);
    EXPECT_EQ(bins[0].bin, 45);
    EXPECT_DOUBLE_EQ(bins[0].rpmSum, 9100.0);
    EXPECT_EQ(bins[0].rpmCount, 2);
    EXPECT_DOUBLE_EQ(bins[0].meanRpm, 4550.0);
    EXPECT_DOUBLE_EQ(bins[0].meanPower, 40.5);
    EXPECT_FALSE(bins[0].evenPower.has_value());
    // 4649.6 rounds to 4650: bin 46 (its sum is kept to whole rpm), whose even rpm 4600 lies
    // halfway between the two means.
    EXPECT_EQ(bins[1].bin, 46);
    EXPECT_DOUBLE_EQ(bins[1].meanRpm, 4650.0);
    EXPECT_DOUBLE_EQ(*bins[1].evenPower, 42.75);
    EXPECT_EQ(bins[2].bin, 198);
}

struct EvenCase {
    const char* input;
    const char* golden;
    std::vector<SeriesPoint> points;
};

class EvenIncrements : public ::testing::TestWithParam<EvenCase> {};

TEST_P(EvenIncrements, PreviewAndWritemReplaceTheDataLines)
{
    ToolBench bench(toolFixture(QString::fromLatin1(GetParam().input)));
    RecalcContext context = bench.context();
    EvenIncTable table;
    EvnIncClick(context, table);
    expectSameLines(bench.text.lines(), toolFixture(QString::fromLatin1(GetParam().golden)));
    EXPECT_TRUE(bench.text.isModified());
    EXPECT_EQ(bench.points(SeriesKey::PreviewPower), GetParam().points);
    EXPECT_EQ(bench.chart.series(SeriesKey::PreviewPower)->lineColor, QStringLiteral("clYellow"));
    EXPECT_TRUE(bench.points(SeriesKey::PreviewTorque).empty());
    EXPECT_EQ(bench.chart.series(SeriesKey::PreviewTorque)->lineColor, QStringLiteral("clAqua"));

    // "writem" alone writes the kept table into the run's text.
    bench.text.setLines(toolFixture(QString::fromLatin1(GetParam().input)), false);
    EXPECT_TRUE(writem1Click(context, table));
    expectSameLines(bench.text.lines(), toolFixture(QString::fromLatin1(GetParam().golden)));
}

INSTANTIATE_TEST_SUITE_P(
    Files, EvenIncrements,
    ::testing::Values(EvenCase{"sweep.SWP", "sweep_even.SWP", {{4100, 9.45}, {4200, 10.17}, {4300, 11.9}}},
                      EvenCase{"step.STP", "step_even.STP", {{4500, 46.38}, {5000, 51.89}, {5100, 53.23}}}));

TEST(EvenIncrements, WritemWithoutEvenIncrementsChangesNothing)
{
    const QStringList lines = toolFixture(QStringLiteral("sweep.SWP"));
    ToolBench bench(lines);
    RecalcContext context = bench.context();
    EXPECT_FALSE(writem1Click(context, EvenIncTable{}));
    expectSameLines(bench.text.lines(), lines);
    EXPECT_FALSE(bench.text.isModified());
    ASSERT_EQ(bench.prompter.asked().size(), 1u);
    EXPECT_EQ(bench.prompter.asked()[0].title, QStringLiteral("writem"));
}

} // namespace
} // namespace tolvane
