// The gauges' arithmetic: load-gauge rows and trace widths, the tachometer's window, re-centring
// and trail, and the round dials' marks, labels, tones and needle angles.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "core/acquisition/gauge_scales.h"

namespace tolvane {
namespace {

constexpr double Pi = std::numbers::pi;

TEST(GaugeScalesTest, LoadGaugeRowsRunFromZeroToTheHeightInTurn)
{
    int row = 0;
    std::vector<int> rows;
    for (int i = 0; i < 18; ++i) {
        row = loadGaugeNextRow(row, 16);
        rows.push_back(row);
    }
    const std::vector<int> expected{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0, 1};
    EXPECT_EQ(rows, expected);
    // A strip made lower than the row it had reached starts again at the top.
    EXPECT_EQ(loadGaugeNextRow(16, 10), 0);
    EXPECT_EQ(loadGaugeNextRow(-5, 16), 0);
}

TEST(GaugeScalesTest, LoadGaugeTraceWidthIsTheRoundedMagnitudeHeldAtTheLimit)
{
    struct Case {
        float value;
        int halfWidth;
    };
    const float inf = std::numeric_limits<float>::infinity();
    const Case cases[] = {
        {0.0f, 0},    {2.5f, 2},   {3.5f, 4},     {-2.5f, 2}, {-7.6f, 8},
        {12.49f, 12}, {1e9f, 632}, {-1e30f, 632}, {inf, 0},   {std::nanf(""), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(loadGaugeHalfWidth(c.value, 632), c.halfWidth) << c.value;
}

TEST(GaugeScalesTest, TachometerPlacesTheSpeedInItsTwoThousandRpmWindow)
{
    struct Case {
        double rpm;
        int base;
        int width;
        int x;
    };
    const Case cases[] = {
        {9000, 9, 1000, 500}, {8000, 9, 1000, 0},   {10000, 9, 1000, 1000},
        {9500, 9, 1000, 750}, {9000, 9, 1265, 632}, // 632.5 rounds to the even 632
        {9001, 9, 1265, 633},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tachometerX(c.rpm, c.base, c.width), c.x) << c.rpm << " on " << c.width;

    EXPECT_TRUE(tachometerInWindow(8000, 9));
    EXPECT_TRUE(tachometerInWindow(10000, 9));
    EXPECT_FALSE(tachometerInWindow(10100, 9));
    EXPECT_FALSE(tachometerInWindow(7999, 9));
    EXPECT_EQ(tachometerBase(10100), 10);
    EXPECT_EQ(tachometerBase(8500), 8); // halves to even
    EXPECT_EQ(tachometerBase(9500), 10);
}

TEST(GaugeScalesTest, TachometerLabelsAndTheirPlaces)
{
    const std::array<QString, 3> expected{QStringLiteral("9.5 "), QStringLiteral("10.0 "),
                                          QStringLiteral("10.5 ")};
    EXPECT_EQ(tachometerLabels(10, QLatin1Char('.')), expected);
    EXPECT_EQ(tachometerLabels(0, QLatin1Char(','))[0], QStringLiteral("-0,5 "));
    const std::array<int, 3> xs{316, 632, 949}; // 316.25, 632.5 (to even), 948.75
    EXPECT_EQ(tachometerLabelXs(1265), xs);
    EXPECT_EQ(tachometerLabelXs(1265)[1], tachometerX(9000, 9, 1265));
}

TEST(GaugeScalesTest, TachometerReCentresWhenTheSpeedLeavesTheWindow)
{
    TachometerScale scale;
    // The first sample draws the scale whatever the base was.
    const TachometerScale::Placement first = scale.place(9000, 1000);
    EXPECT_TRUE(first.recentred);
    EXPECT_EQ(scale.base(), 9);
    EXPECT_EQ(first.x, 500);

    const TachometerScale::Placement inside = scale.place(9900, 1000);
    EXPECT_FALSE(inside.recentred);
    EXPECT_EQ(inside.x, 950);

    // 10100 rpm is beyond 8000..10000: the scale moves to 10 and the pointer is placed on it.
    const TachometerScale::Placement outside = scale.place(10100, 1000);
    EXPECT_TRUE(outside.recentred);
    EXPECT_EQ(scale.base(), 10);
    EXPECT_EQ(outside.x, 550);
    TachometerScale::Trail trail;
    trail.fill(500);
    trail[0] = 550;
    EXPECT_EQ(scale.trail(), trail);
}

TEST(GaugeScalesTest, TachometerTrailKeepsTheNineteenNewestPositions)
{
    TachometerScale scale;
    for (int i = 0; i <= 25; ++i)
        scale.place(5000 + 10 * i, 2000); // x = 1000 + 10 i
    const TachometerScale::Trail& trail = scale.trail();
    for (int k = 0; k < TachometerScale::TrailLength; ++k)
        EXPECT_EQ(trail[std::size_t(k)], 1000 + 10 * (25 - k)) << k;

    // A resize re-centres on the next sample even inside the window; broken speeds count as 0.
    scale.recentreNext();
    EXPECT_TRUE(scale.place(5000, 2000).recentred);
    const TachometerScale::Placement broken = scale.place(std::nan(""), 2000);
    EXPECT_EQ(scale.base(), 0);
    EXPECT_EQ(broken.x, 1000);
    scale.place(1e300, 2000);
    EXPECT_GE(scale.trail()[0], 0);
    EXPECT_LE(scale.trail()[0], 2000);
}

TEST(GaugeScalesTest, RpmDialMarksEveryTwoHundredRpmToTheEndOfTheArc)
{
    const std::vector<DialMark> marks = rpmDialMarks(8000, 4000);
    ASSERT_EQ(marks.size(), 41u); // 1000 .. 9000 rpm
    EXPECT_DOUBLE_EQ(marks.front().angle, 3 * Pi / 4);
    EXPECT_DOUBLE_EQ(marks.back().angle, 9 * Pi / 4);
    QStringList labels;
    for (const DialMark& mark : marks) {
        if (mark.major)
            labels << mark.label;
        else
            EXPECT_TRUE(mark.label.isEmpty());
        const DialTone tone = mark.value == 8000   ? DialTone::Red
                              : mark.value == 4000 ? DialTone::Green
                                                   : DialTone::Plain;
        EXPECT_EQ(mark.tone, tone) << mark.value;
    }
    EXPECT_EQ(labels.join(u' '), QStringLiteral("1 2 3 4 5 6 7 8 9"));
    // Each 1000 rpm takes 3π/2 x 1000 / redline of the arc.
    EXPECT_DOUBLE_EQ(marks[5].angle - marks[0].angle, DialSweepAngle / 8);

    // A redline between labels: no label is red, the arc still ends at 1000 + redline.
    const std::vector<DialMark> odd = rpmDialMarks(7500, 3000);
    EXPECT_EQ(odd.back().value, 8400);
    EXPECT_LE(odd.back().angle, DialEndAngle);
    EXPECT_TRUE(
        std::none_of(odd.begin(), odd.end(), [](const DialMark& m) { return m.tone == DialTone::Red; }));
    // A redline that would leave no scale is held.
    EXPECT_EQ(rpmDialMarks(0, 0).size(), 6u);
}

TEST(GaugeScalesTest, PowerDialLabelsEveryQuarterTurnFromMinusFifty)
{
    const std::vector<DialMark> marks = powerDialMarks();
    QStringList labels;
    int minor = 0;
    for (const DialMark& mark : marks) {
        if (!mark.major) {
            ++minor;
            EXPECT_EQ(mark.tone, DialTone::Plain);
            continue;
        }
        labels << mark.label;
        EXPECT_EQ(mark.tone, mark.value == 0 ? DialTone::Green : DialTone::Plain) << mark.value;
        EXPECT_NEAR(mark.angle, powerNeedleAngle(mark.value), 1e-12);
    }
    EXPECT_EQ(labels.join(u' '), QStringLiteral("-50 0 50 100 150 200"));
    EXPECT_EQ(minor, 50);
    EXPECT_LT(marks.back().angle, DialEndAngle);
}

TEST(GaugeScalesTest, NeedleAngles)
{
    EXPECT_DOUBLE_EQ(rpmNeedleAngle(1000, 8000), 3 * Pi / 4);
    EXPECT_DOUBLE_EQ(rpmNeedleAngle(9000, 8000), 9 * Pi / 4);
    EXPECT_DOUBLE_EQ(rpmNeedleAngle(5000, 8000), 3 * Pi / 2); // straight up
    EXPECT_DOUBLE_EQ(rpmNeedleAngle(std::nan(""), 8000), rpmNeedleAngle(0, 8000));
    EXPECT_TRUE(std::isfinite(rpmNeedleAngle(5000, 0)));

    EXPECT_DOUBLE_EQ(powerNeedleAngle(0), Pi);           // left
    EXPECT_DOUBLE_EQ(powerNeedleAngle(100), 3 * Pi / 2); // up
    EXPECT_DOUBLE_EQ(powerNeedleAngle(200), 2 * Pi);     // right
    EXPECT_DOUBLE_EQ(powerNeedleAngle(std::numeric_limits<double>::infinity()), Pi);
}

} // namespace
} // namespace tolvane
