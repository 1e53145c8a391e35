// The data graph's stacked chart: one y axis per quantity that has curves, at most six, all on
// the same engine-speed range.
#include <gtest/gtest.h>

#include "platform/chart/qcp_multi_axis_chart.h"

namespace tolvane {
namespace {

DataGraphSubset curve(const char* color, double scale)
{
    DataGraphSubset c;
    c.colour = QString::fromLatin1(color);
    for (double rpm = 2000; rpm <= 6000; rpm += 500)
        c.points.append({rpm, scale * rpm / 1000.0});
    return c;
}

TEST(QcpMultiAxisChart, StacksOneAxisPerQuantityWithCurves)
{
    QcpMultiAxisChart chart;
    std::vector<DataGraphAxis> axes{
        {QStringLiteral("BHP"), {curve("clRed", 10), curve("clAqua", 12)}},
        {QStringLiteral("Ft/Lbs"), {curve("clRed", 20), curve("clAqua", 22)}},
        {QStringLiteral("Unused"), {}},
        {QStringLiteral("CO%"), {curve("clRed", 1)}},
    };
    axes[1].subsets[1].points.append({7000, 5}); // the second run reaches further
    chart.setAxes(QStringLiteral("Engine RPM"), axes);

    ASSERT_EQ(chart.axisCount(), 3);
    EXPECT_EQ(chart.axisTitle(0), "BHP");
    EXPECT_EQ(chart.axisTitle(1), "Ft/Lbs");
    EXPECT_EQ(chart.axisTitle(2), "CO%");
    EXPECT_EQ(chart.curveCount(0), 2);
    EXPECT_EQ(chart.curveCount(2), 1);
    EXPECT_EQ(chart.xRange(), QPointF(2000, 7000));
    // Each axis scales to its own curves.
    EXPECT_LE(chart.yRange(0).x(), 20);
    EXPECT_GE(chart.yRange(0).y(), 72);
    EXPECT_LT(chart.yRange(0).y(), 100);
    EXPECT_LE(chart.yRange(2).x(), 2);
    EXPECT_GE(chart.yRange(2).y(), 6);
    EXPECT_LT(chart.yRange(2).y(), 10);

    const QImage image = chart.capture(900, 700);
    EXPECT_EQ(image.size(), QSize(900, 700));
}

TEST(QcpMultiAxisChart, KeepsAtMostSixAxesAndStartsOverOnEachCall)
{
    QcpMultiAxisChart chart;
    std::vector<DataGraphAxis> axes;
    for (int i = 0; i < 8; ++i)
        axes.push_back({QStringLiteral("Q%1").arg(i), {curve("clLime", i + 1)}});
    chart.setAxes(QStringLiteral("Engine RPM"), axes);
    EXPECT_EQ(chart.axisCount(), QcpMultiAxisChart::MaxAxes);
    EXPECT_EQ(chart.axisTitle(5), "Q5");

    chart.setAxes(QStringLiteral("Engine RPM"), {{QStringLiteral("BHP"), {curve("clRed", 10)}}});
    EXPECT_EQ(chart.axisCount(), 1);
    EXPECT_EQ(chart.curveCount(0), 1);

    chart.setAxes(QStringLiteral("Engine RPM"), {});
    EXPECT_EQ(chart.axisCount(), 0);
    EXPECT_FALSE(chart.capture(200, 100).isNull());
}

} // namespace
} // namespace tolvane
