#include "core/analysis/series_model.h"

#include <gtest/gtest.h>

#include "recording_chart.h"

namespace tolvane {
namespace {

// The points kept after adding these one by one, or (bulk) the first alone and the rest at once,
// which must keep exactly the same.
std::vector<SeriesPoint> pointsAfter(double tolerance, const std::vector<SeriesPoint>& added,
                                     bool bulk = false)
{
    SeriesModel model;
    model.setNumericalTolerance(1, tolerance);
    if (bulk) {
        model.AddPoint(1, added.front().x, added.front().y);
        model.AddPoints(1, std::span(added).subspan(1));
    } else {
        for (const SeriesPoint& p : added)
            model.AddPoint(1, p.x, p.y);
    }
    return model.series(1)->points;
}

struct AddCase {
    const char* name;
    double tolerance;
    std::vector<SeriesPoint> added;
    std::vector<SeriesPoint> kept;
};

TEST(SeriesModelTest, AddPointKeepsXOrderAndReplacesWithinTolerance)
{
    const AddCase cases[] = {
        {"rising x appends", 0.001, {{1, 10}, {2, 20}, {3, 30}}, {{1, 10}, {2, 20}, {3, 30}}},
        {"falling x inserts in order", 0.001, {{3, 30}, {1, 10}, {2, 20}}, {{1, 10}, {2, 20}, {3, 30}}},
        {"same x replaces", 0.001, {{1, 10}, {1, 11}}, {{1, 11}}},
        // Mode "3.0": 4500 then 4502 — only the later-read point remains.
        {"later point past the end wins", 3.0, {{4500, 50}, {4502, 52}}, {{4502, 52}}},
        {"earlier x within tolerance of the next point", 3.0, {{4502, 52}, {4500, 50}}, {{4500, 50}}},
        // Only the neighbour at or after the new x counts while there is one.
        {"near the point before but not after",
         3.0,
         {{4500, 50}, {4510, 51}, {4502, 52}},
         {{4500, 50}, {4502, 52}, {4510, 51}}},
        {"outside tolerance inserts", 1.0, {{4500, 50}, {4502, 52}}, {{4500, 50}, {4502, 52}}},
        {"exactly the tolerance replaces", 2.0, {{4500, 50}, {4502, 52}}, {{4502, 52}}},
        {"mode 0.5 merges below 0.1", 0.1, {{10, 1}, {10.05, 2}, {10.3, 3}}, {{10.05, 2}, {10.3, 3}}},
    };
    for (const AddCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(pointsAfter(c.tolerance, c.added), c.kept);
        EXPECT_EQ(pointsAfter(c.tolerance, c.added, true), c.kept);
    }
}

TEST(SeriesModelTest, ClearKeepsStylesAndUnknownKeysStayUnmade)
{
    SeriesModel model;
    model.setLineColor(5, QStringLiteral("clRed"));
    model.setMarkerShape(5, MarkerShape::Diamond);
    model.AddPoint(5, 1, 2);
    model.ClearSeries(5);
    model.ClearSeries(6);
    ASSERT_NE(model.series(5), nullptr);
    EXPECT_TRUE(model.series(5)->points.empty());
    EXPECT_EQ(model.series(5)->lineColor, QStringLiteral("clRed"));
    EXPECT_EQ(model.series(5)->markerShape, MarkerShape::Diamond);
    EXPECT_EQ(model.series(6), nullptr);
}

TEST(SeriesModelTest, SuspendedDrawingRedrawsOnceOnResume)
{
    test::RecordingChart chart;
    SeriesModel model(&chart);
    model.AddPoint(1, 1, 1);
    ASSERT_EQ(chart.draws.size(), 1u); // drawing on: every change draws
    EXPECT_EQ(chart.draws[0].seriesKeys, std::vector<int>({1}));

    chart.draws.clear();
    model.SetPlotting(false);
    for (int i = 0; i < 100; ++i) {
        model.AddPoint(3, i, i);
        model.AddPoint(2, i, i);
    }
    model.setXAxisRange(0, 10);
    EXPECT_TRUE(chart.draws.empty());
    model.SetPlotting(true);
    ASSERT_EQ(chart.draws.size(), 1u);
    EXPECT_EQ(chart.draws[0].seriesKeys, std::vector<int>({2, 3}));
    EXPECT_TRUE(chart.draws[0].axes);

    // Resuming with nothing changed still redraws once; an unchanged style draws nothing.
    model.SetPlotting(false);
    model.SetPlotting(true);
    model.setLineStyle(2, LineStyle::Solid);
    ASSERT_EQ(chart.draws.size(), 2u);
    EXPECT_TRUE(chart.draws[1].isEmpty());
}

TEST(SeriesModelTest, AxisRangeStopsAutomaticFit)
{
    SeriesModel model;
    EXPECT_TRUE(model.xAxis().automatic);
    model.setXAxisRange(1992, 9008);
    EXPECT_FALSE(model.xAxis().automatic);
    EXPECT_EQ(model.xAxis().minimum, 1992);
    EXPECT_EQ(model.xAxis().maximum, 9008);
    EXPECT_TRUE(model.yAxis().automatic);
}

} // namespace
} // namespace tolvane
