// The data graph's data: each run's block of data lines, sorted, and the stacked quantity axes.
#include <gtest/gtest.h>

#include "core/analysis/data_graph_data.h"
#include "tool_test_support.h"

namespace tolvane {
namespace {

using test::toolFixture;

QStringList column(const DataGraphRun& run, int k)
{
    QStringList cells;
    for (const QStringList& row : run.rows)
        cells << row[k];
    return cells;
}

QStringList strings(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list << QString::fromLatin1(text);
    return list;
}

TEST(DataGraphData, SweepBlockKeepsTheHeadingLabelsAndFormatsNumbers)
{
    const DataGraphData data = DataGraphData::build(
        {ComparedRun{"sweep", "clAqua", toolFixture("sweep.SWP")}}, TextLocale::standard());
    ASSERT_EQ(data.runs().size(), 1u);
    const DataGraphRun& run = data.runs()[0];
    EXPECT_EQ(run.labels, strings({"RPM", "MPH", "BHP", "Ft/Lbs", "Acc ", "D_Tq ", "S_Tq ", "AngO "}));
    // Heading, six data lines, and the blank line after the heading, which sorts last.
    ASSERT_EQ(run.rows.size(), 8u);
    EXPECT_EQ(run.rows[0], strings({"E-RPM", "MPH", "BHP", "Ft/Lbs", "Acc ", "D_Tq ", "S_Tq ", "E-AngO "}));
    EXPECT_EQ(run.rows[1],
              strings({"4020.00", "076.20", "009.70", "012.60", "001.50", "005.25", "020.00", "000.00"}));
    EXPECT_EQ(run.rows[7], strings({"E- ", "", "", "", "", "", "", ""}));
}

TEST(DataGraphData, RowsSortByEngineSpeedWithTextRowsLast)
{
    const DataGraphData data = DataGraphData::build(
        {ComparedRun{"step", "clRed", toolFixture("notes_a.STP")}}, TextLocale::standard());
    const DataGraphRun& run = data.runs()[0];
    EXPECT_EQ(run.labels.size(), 9);
    EXPECT_EQ(column(run, 0), strings({"E-RPM", "4000.00", "9000.00", "10000.00", "c3000", "E-short"}));
    EXPECT_EQ(column(run, 4), strings({"CO ", "001.20", "", "", "", ""}));
    EXPECT_EQ(column(run, 8), strings({"E-Flux", "040.00", "", "", "", ""}));
}

TEST(DataGraphData, AxesHoldOneCurvePerRunAndQuantity)
{
    const DataGraphData data =
        DataGraphData::build({ComparedRun{"step", "clRed", toolFixture("notes_a.STP")},
                              ComparedRun{"sweep", "clAqua", toolFixture("sweep.SWP")}},
                             TextLocale::standard());
    const std::vector<DataGraphAxis> axes = data.axes();
    ASSERT_EQ(axes.size(), static_cast<std::size_t>(DataGraphAxisCount));
    const QStringList labels = strings({"BHP", "Ft/Lbs", "Acc ", "D_Tq ", "S_Tq ", "AngO "});
    for (int k = 0; k < DataGraphAxisCount; ++k) {
        const DataGraphAxis& axis = axes[static_cast<std::size_t>(k)];
        EXPECT_EQ(axis.label, labels[k]) << "axis " << k; // the last run with the column names it
        ASSERT_EQ(axis.subsets.size(), 2u);
        EXPECT_EQ(axis.subsets[0].colour, QStringLiteral("clRed"));
        EXPECT_EQ(axis.subsets[1].colour, QStringLiteral("clAqua"));
        EXPECT_EQ(axis.subsets[1].points.size(), 6);
    }
    // Power of the step run, in engine-speed order; warm-up and text rows give no point.
    EXPECT_EQ(axes[0].subsets[0].points, (QList<QPointF>{{4000, 40.0}, {9000, 105.0}, {10000, 115.5}}));
    // Only one step line carries gas values.
    EXPECT_EQ(axes[2].subsets[0].points, (QList<QPointF>{{4000, 1.2}}));
    EXPECT_EQ(axes[1].subsets[1].points[2], QPointF(4150, 11.2));
}

TEST(DataGraphData, LabelsAreTakenWholeForAnyNumberOfColumns)
{
    const QStringList lines{QStringLiteral("Speed\tRoad\tPower\tTorque\tExtra\t"),
                            QStringLiteral("4020\t76,2\t9,7\t12,6\t1\t"), QStringLiteral("end.")};
    const DataGraphData data =
        DataGraphData::build({ComparedRun{"r", "clLime", lines}}, TextLocale::withDecimal(QLatin1Char(',')));
    const DataGraphRun& run = data.runs()[0];
    EXPECT_EQ(run.labels, strings({"Speed", "Road", "Power", "Torque", "Extra"}));
    EXPECT_EQ(run.rows[1], strings({"4020,00", "076,20", "009,70", "012,60", "001,00"}));
    const std::vector<DataGraphAxis> axes = data.axes();
    ASSERT_EQ(axes.size(), 3u);
    EXPECT_EQ(axes[2].label, QStringLiteral("Extra"));
    EXPECT_EQ(axes[0].subsets[0].points, (QList<QPointF>{{4020, 9.7}}));
}

TEST(DataGraphData, RunWithoutHeadingHasNoCurves)
{
    const QStringList lines{QStringLiteral("QV512e -USB- Auto Step"), QStringLiteral("4020\t76.2\t"),
                            QStringLiteral("end.")};
    const DataGraphData data =
        DataGraphData::build({ComparedRun{"r", "clLime", lines}}, TextLocale::standard());
    EXPECT_TRUE(data.runs()[0].labels.isEmpty());
    EXPECT_TRUE(data.runs()[0].rows.empty());
    EXPECT_TRUE(data.axes().empty());
}

} // namespace
} // namespace tolvane
