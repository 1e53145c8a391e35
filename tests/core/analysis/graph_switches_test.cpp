// Axis titles, the x-quantity and correction switches, and the "Line display mode" items.
#include <gtest/gtest.h>

#include "core/analysis/graph_settings.h"
#include "core/analysis/graph_switches.h"
#include "core/analysis/line_display_mode.h"
#include "core/analysis/series_model.h"
#include "core/setup/unit_settings.h"

namespace tolvane {
namespace {

struct TitleCase {
    bool hp;
    bool torque;
    bool co;
    const char* y;
};

class WriteAxisTitles : public ::testing::TestWithParam<TitleCase> {};

TEST_P(WriteAxisTitles, YTitleNamesTheCurvesShown)
{
    const TitleCase& c = GetParam();
    UnitSettings units; // MPH, RPM, BHP, Ft/Lbs
    EXPECT_EQ(writeAxisTitles(false, c.hp, c.torque, c.co, units),
              (AxisTitles{"RPM", QString::fromLatin1(c.y)}));
    EXPECT_EQ(writeAxisTitles(true, c.hp, c.torque, c.co, units).x, QStringLiteral("MPH"));
}

INSTANTIATE_TEST_SUITE_P(Switches, WriteAxisTitles,
                         ::testing::Values(TitleCase{true, true, true, "BHP, Ft/Lbs, CO%/Acc"},
                                           TitleCase{true, true, false, "BHP, Ft/Lbs"},
                                           TitleCase{true, false, true, "BHP, CO%/Acc"},
                                           TitleCase{true, false, false, "BHP"},
                                           TitleCase{false, true, true, "Ft/Lbs, CO%/Acc"},
                                           TitleCase{false, true, false, "Ft/Lbs"},
                                           TitleCase{false, false, true, "CO%"},
                                           TitleCase{false, false, false, ""}));

TEST(AxisTitles, MouseReadoutNamesBothValues)
{
    const AxisTitles titles{QStringLiteral("RPM"), QStringLiteral("BHP, Ft/Lbs")};
    EXPECT_EQ(mouseReadout(4512.34, 87.25, titles, TextLocale::standard()),
              QStringLiteral("     87.2 BHP, Ft/Lbs   @   4512.3 RPM"));
    EXPECT_EQ(mouseReadout(45.06, -1.0, titles, TextLocale::withDecimal(QLatin1Char(','))),
              QStringLiteral("     -1,0 BHP, Ft/Lbs   @   45,1 RPM"));
}

TEST(GraphSwitches, MphTurnsTorqueOffAndRpmDoesNotTurnItBack)
{
    GraphSettings settings;
    SeriesModel chart;
    chooseRoadSpeedAxis(settings, chart, QStringLiteral("MPH\tmiles an hour"));
    EXPECT_EQ(settings.xAxisColumn(), GraphSettings::RoadSpeedAxis);
    EXPECT_FALSE(settings.showTorque());
    EXPECT_EQ(chart.xAxis().title, QStringLiteral("Roller MPH"));

    chooseEngineSpeedAxis(settings, chart, QStringLiteral("RPM\tengine"));
    EXPECT_EQ(settings.xAxisColumn(), GraphSettings::EngineSpeedAxis);
    EXPECT_FALSE(settings.showTorque());
    EXPECT_EQ(chart.xAxis().title, QStringLiteral("RPM"));
}

TEST(GraphSwitches, GraphWindowItemsToggleTheXQuantity)
{
    GraphSettings settings;
    SeriesModel chart;
    UnitSettings units;
    toggleXQuantity(settings, chart, units);
    EXPECT_EQ(settings.xAxisColumn(), GraphSettings::RoadSpeedAxis);
    EXPECT_EQ(chart.xAxis().title, QStringLiteral("Roller MPH"));
    // The "MPH" item then writes the titles; torque is off now.
    writeAxis(chart, settings, units);
    EXPECT_EQ(chart.xAxis().title, QStringLiteral("MPH"));
    EXPECT_EQ(chart.yAxis().title, QStringLiteral("BHP, CO%/Acc"));

    toggleXQuantity(settings, chart, units);
    EXPECT_EQ(settings.xAxisColumn(), GraphSettings::EngineSpeedAxis);
    EXPECT_EQ(chart.xAxis().title, QStringLiteral("RPM"));
}

TEST(GraphSwitches, UncorrectedThenCorrectedRestoresTheLook)
{
    GraphSettings settings;
    SeriesModel chart;
    const ChartAppearance start = chart.appearance();
    chooseCorrected(settings, chart, false);
    EXPECT_FALSE(settings.corrected());
    EXPECT_EQ(chart.yAxis().title, QStringLiteral("(UnCorrected)"));
    EXPECT_EQ(chart.appearance().marginColor, QStringLiteral("clSilver"));
    EXPECT_EQ(chart.appearance().textColor, QStringLiteral("clBlack"));

    chooseCorrected(settings, chart, true);
    EXPECT_TRUE(settings.corrected());
    EXPECT_EQ(chart.yAxis().title, QStringLiteral("(SAE  Corrected)"));
    EXPECT_EQ(chart.appearance(), start);
}

TEST(GraphSwitches, GridLinesToggle)
{
    GraphSettings settings;
    SeriesModel chart;
    toggleGridLines(settings, chart);
    EXPECT_FALSE(settings.gridLines());
    EXPECT_FALSE(chart.appearance().gridLines);
    toggleGridLines(settings, chart);
    EXPECT_TRUE(settings.gridLines());
    EXPECT_TRUE(chart.appearance().gridLines);
}

TEST(LineDisplayMode, ItemsInMenuOrderWithTheirTolerances)
{
    struct Item {
        const char* caption;
        double tolerance;
        bool showHighest;
    };
    const std::vector<Item> expected{{"Show highest (normal)", 1.0, true},
                                     {"Show all (diagnose)", 0.001, false},
                                     {"3.0", 3.0, false},
                                     {"2.0", 2.0, false},
                                     {"1.0", 1.0, false},
                                     {"0.5", 0.1, false}, // merges closer than 0.1, not 0.5
                                     {"0.1", 0.001, false}};
    const auto& items = lineDisplayItems();
    ASSERT_EQ(items.size(), expected.size());
    GraphSettings settings;
    EXPECT_DOUBLE_EQ(settings.pointTolerance(), 0.001); // nothing chosen yet
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].caption, QString::fromLatin1(expected[i].caption));
        settings.setLineDisplayMode(items[i].mode);
        EXPECT_DOUBLE_EQ(settings.pointTolerance(), expected[i].tolerance) << expected[i].caption;
        EXPECT_EQ(settings.showHighest(), expected[i].showHighest) << expected[i].caption;
    }
}

} // namespace
} // namespace tolvane
