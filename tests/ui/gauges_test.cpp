// The live gauges as drawn: the load gauge's rows, marks and erasing; the tachometer's scale,
// pointer, re-centring and exact erasing; the round dials' colours and needles.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPixmap>

#include <cmath>
#include <limits>
#include <numbers>

#include "ui/acquisition/load_gauge.h"
#include "ui/acquisition/round_dials.h"
#include "ui/acquisition/scrolling_tachometer.h"

namespace tolvane {
namespace {

constexpr double Pi = std::numbers::pi;
constexpr QRgb Black = 0xFF000000;
constexpr QRgb Aqua = 0xFF00FFFF;
constexpr QRgb Yellow = 0xFFFFFF00;
constexpr QRgb Green = 0xFF008000;
constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb Silver = 0xFFC0C0C0;

QRgb pixel(const QImage& image, QPointF at)
{
    return image.pixel(at.toPoint()) | 0xFF000000;
}

// Pixels of exactly `colour` in a square around `at`.
int countAround(const QImage& image, QPointF at, int half, QRgb colour)
{
    int count = 0;
    const QPoint c = at.toPoint();
    for (int y = c.y() - half; y <= c.y() + half; ++y)
        for (int x = c.x() - half; x <= c.x() + half; ++x)
            if (image.valid(x, y) && (image.pixel(x, y) | 0xFF000000) == colour)
                ++count;
    return count;
}

QPointF onCircle(QPointF centre, double radius, double angle)
{
    return centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
}

// ---- Load gauge ------------------------------------------------------------------------------

// What one row holds on a 200-pixel strip with marks 40 (fps) and 24 (lbs) from the centre 100.
QRgb expectedLoadPixel(int x, int y, int force, int acceleration)
{
    if (x == 100)
        return Aqua;
    if (std::abs(x - 100) <= acceleration)
        return Green;
    if (y >= 4 && (x == 76 || x == 124))
        return Green;
    if (std::abs(x - 100) <= force)
        return Yellow;
    if (y >= 4 && (x == 60 || x == 140))
        return Yellow;
    return Black;
}

TEST(LoadGaugeTest, EachSampleRedrawsOneRowAgainstTheLimitMarks)
{
    struct Case {
        float acceleration;
        float forceRate;
        int forceHalf; // the rounded half-widths of the two lines
        int accelerationHalf;
    };
    const Case cases[] = {
        {0.0f, 0.0f, 0, 0},   {4.0f, 10.0f, 10, 4}, {-4.4f, -10.5f, 10, 4}, // halves to even
        {30.0f, 2.5f, 2, 30}, {0.5f, 1.5f, 2, 0},   {3.0f, 70.0f, 70, 3},
    };
    LoadGauge gauge;
    gauge.resize(200, LoadGauge::StripHeight);
    gauge.setLimits(5, 3);
    for (int round = 0; round < 2; ++round) {
        for (const Case& c : cases) {
            gauge.show(c.acceleration, c.forceRate);
            const int y = gauge.row();
            const QImage& image = gauge.image();
            ASSERT_EQ(image.size(), QSize(200, 16));
            if (y >= image.height())
                continue;
            for (int x = 0; x < 200; ++x)
                ASSERT_EQ(pixel(image, QPoint(x, y)),
                          expectedLoadPixel(x, y, c.forceHalf, c.accelerationHalf))
                    << "row " << y << " x " << x << " force rate " << c.forceRate;
        }
    }
}

TEST(LoadGaugeTest, RowsComeRoundAndTheOldTraceIsErased)
{
    LoadGauge gauge;
    gauge.resize(200, LoadGauge::StripHeight);
    gauge.setLimits(5, 3);
    gauge.show(0.0f, 30.0f); // row 1: a wide yellow line
    ASSERT_EQ(gauge.row(), 1);
    EXPECT_EQ(pixel(gauge.image(), QPoint(75, 1)), Yellow);

    std::vector<int> rows;
    for (int i = 0; i < 16; ++i) {
        gauge.show(0.0f, 0.0f);
        rows.push_back(gauge.row());
    }
    const std::vector<int> expected{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0};
    EXPECT_EQ(rows, expected);
    // Row 1 still holds the first trace until the cycle reaches it again.
    EXPECT_EQ(pixel(gauge.image(), QPoint(75, 1)), Yellow);
    gauge.show(0.0f, 0.0f);
    EXPECT_EQ(gauge.row(), 1);
    for (int x = 0; x < 200; ++x)
        EXPECT_EQ(pixel(gauge.image(), QPoint(x, 1)), x == 100 ? Aqua : Black) << x;
    // Between rows 4 and 15 every column but the marks and the centre is black now.
    for (int y = 4; y < 16; ++y)
        EXPECT_EQ(pixel(gauge.image(), QPoint(60, y)), Yellow) << y;
}

TEST(LoadGaugeTest, WildRatesAreHeldToTheStripAndAResizeStartsBlack)
{
    LoadGauge gauge;
    gauge.resize(200, LoadGauge::StripHeight);
    gauge.show(std::numeric_limits<float>::infinity(), 1e30f);
    EXPECT_EQ(pixel(gauge.image(), QPoint(0, 1)), Yellow);
    EXPECT_EQ(pixel(gauge.image(), QPoint(199, 1)), Yellow);
    gauge.show(std::nanf(""), -1e30f);
    EXPECT_EQ(pixel(gauge.image(), QPoint(0, 2)), Yellow);

    gauge.resize(300, LoadGauge::StripHeight);
    gauge.show(0.0f, 0.0f);
    const QImage& image = gauge.image();
    ASSERT_EQ(image.size(), QSize(300, 16));
    EXPECT_EQ(pixel(image, QPoint(0, 1)), Black); // the old rows went with the old image
    EXPECT_EQ(pixel(image, QPoint(0, 2)), Black);
    EXPECT_EQ(pixel(image, QPoint(150, 0)), Aqua);
}

// ---- Scrolling tachometer --------------------------------------------------------------------

QImage labelBand(const ScrollingTachometer& tach)
{
    return tach.image().copy(0, 0, tach.image().width(), 28);
}

TEST(ScrollingTachometerTest, DrawsScalePointerAndSpeed)
{
    ScrollingTachometer tach(TextLocale::standard());
    tach.resize(1265, ScrollingTachometer::StripHeight);
    EXPECT_FALSE(QFontInfo(QFont()).family().isEmpty());
    tach.show(9250);
    EXPECT_EQ(tach.base(), 9);
    EXPECT_EQ(tach.pointerX(), 791); // (9.25 - 8) x 632.5 = 790.6
    EXPECT_EQ(tach.valueText(), QStringLiteral("9250"));
    const QImage& image = tach.image();
    // The long lines at a quarter, half and three quarters and at both ends; short marks.
    for (int x : {316, 632, 949})
        EXPECT_EQ(pixel(image, QPoint(x, 31)), Aqua) << x;
    EXPECT_EQ(pixel(image, QPoint(1, 29)), Aqua);
    EXPECT_EQ(pixel(image, QPoint(1261, 69)), Aqua);
    EXPECT_EQ(pixel(image, QPoint(380, 49)), Aqua); // 0.30 of the width
    EXPECT_EQ(pixel(image, QPoint(380, 40)), Black);
    // The labels in aqua at the top, the pointer and its speed in yellow.
    for (int x : {316, 632, 949})
        EXPECT_GT(countAround(image, QPoint(x, 14), 12, Aqua), 10) << x;
    EXPECT_EQ(pixel(image, QPoint(791, 45)), Yellow);
    EXPECT_GT(countAround(image, QPoint(791, 85), 12, Yellow), 20);
    EXPECT_EQ(countAround(image, QPoint(632, 85), 12, Yellow), 0);
}

TEST(ScrollingTachometerTest, LeavingTheWindowReCentresOnTheNextThousand)
{
    // Base 9 shows 8000 to 10000 rpm; 10100 lies outside and moves the scale to 10.
    ScrollingTachometer tach(TextLocale::standard());
    tach.resize(1265, ScrollingTachometer::StripHeight);
    tach.show(9000);
    ASSERT_EQ(tach.base(), 9);
    const QImage nineLabels = labelBand(tach);
    tach.show(10100);
    EXPECT_EQ(tach.base(), 10);
    EXPECT_EQ(tach.pointerX(), 696); // on the new scale: 1.1 x 632.5 = 695.75
    TachometerScale::Trail trail;
    trail.fill(632);
    trail[0] = 696;
    EXPECT_EQ(tach.trail(), trail);
    EXPECT_NE(labelBand(tach), nineLabels);

    // Nothing of the old scale is left: the strip is the one a first sample of 10100 draws.
    ScrollingTachometer fresh(TextLocale::standard());
    fresh.resize(1265, ScrollingTachometer::StripHeight);
    fresh.show(10100);
    EXPECT_EQ(fresh.base(), 10);
    EXPECT_EQ(tach.image(), fresh.image());
}

TEST(ScrollingTachometerTest, ErasingLeavesNoTraceOfEarlierPointers)
{
    ScrollingTachometer steady(TextLocale::standard());
    steady.resize(1265, ScrollingTachometer::StripHeight);
    for (int i = 0; i < TachometerScale::TrailLength; ++i)
        steady.show(9000);

    // A swing away and back: once the trail is full of 9000 again the strip must be the same.
    ScrollingTachometer swung(TextLocale::standard());
    swung.resize(1265, ScrollingTachometer::StripHeight);
    for (double rpm : {9000.0, 9400.0, 8200.0, 9950.0, 8800.0})
        swung.show(rpm);
    EXPECT_EQ(swung.trail()[0], 506); // 8800 on base 9: (8.8 - 8) x 632.5
    for (int i = 0; i < TachometerScale::TrailLength; ++i)
        swung.show(9000);
    EXPECT_EQ(swung.valueText(), QStringLiteral("9000"));
    EXPECT_EQ(swung.image(), steady.image());
    for (int x : swung.trail())
        EXPECT_EQ(x, 632);
}

TEST(ScrollingTachometerTest, AResizeRedrawsTheScaleForTheNewWidth)
{
    ScrollingTachometer tach(TextLocale::withDecimal(QLatin1Char(',')));
    tach.resize(1265, ScrollingTachometer::StripHeight);
    tach.show(9000);
    tach.resize(800, ScrollingTachometer::StripHeight);
    tach.show(9000);
    EXPECT_EQ(tach.image().width(), 800);
    EXPECT_EQ(tach.pointerX(), 400);
    EXPECT_EQ(pixel(tach.image(), QPoint(200, 31)), Aqua);
    EXPECT_GT(countAround(tach.image(), QPoint(400, 14), 12, Aqua), 10);
    EXPECT_EQ(pixel(tach.image(), QPoint(632, 45)), Black); // where the pointer stood before
}

// ---- Round dials ---------------------------------------------------------------------------

struct DialsFixture : ::testing::Test {
    DialsFixture()
    {
        dials.resize(600, 300);
        dials.setScale(8000, 4000);
    }
    // The colours within a pixel or two of a point of a mark or needle.
    static bool has(const QImage& image, QPointF at, QRgb colour)
    {
        return countAround(image, at, 1, colour) > 0;
    }
    static bool clear(const QImage& image, QPointF at) { return countAround(image, at, 2, Black) == 25; }
    QPointF markMiddle(const RoundDials::Geometry& g, double angle, bool major) const
    {
        return onCircle(g.centre, g.markRadius - (major ? g.majorLength : g.minorLength) / 2, angle);
    }
    RoundDials dials;
};

TEST_F(DialsFixture, RedlineRedStartSpeedGreenOthersAquaOnSilver)
{
    const QImage& image = dials.image();
    ASSERT_EQ(image.size(), QSize(600, 300));
    const RoundDials::Geometry g = dials.rpmDialGeometry();
    struct Case {
        int rpm;
        QRgb mark;
        QRgb label; // 0: a minor mark, no label
    };
    const Case cases[] = {
        {8000, Red, Red},     {4000, Green, Green}, {5000, Silver, Aqua}, {1000, Silver, Aqua},
        {9000, Silver, Aqua}, {4200, Silver, 0},    {7800, Silver, 0},
    };
    for (const Case& c : cases) {
        const double angle = rpmNeedleAngle(c.rpm, 8000);
        const QPointF mark = markMiddle(g, angle, c.label != 0);
        EXPECT_TRUE(has(image, mark, c.mark)) << c.rpm;
        for (QRgb other : {Red, Green, Silver}) {
            if (other != c.mark) {
                EXPECT_FALSE(has(image, mark, other)) << c.rpm;
            }
        }
        if (c.label == 0)
            continue;
        const QPointF label = onCircle(g.centre, g.labelRadius, angle);
        EXPECT_GT(countAround(image, label, 8, c.label), 5) << c.rpm;
        for (QRgb other : {Red, Green, Aqua}) {
            if (other != c.label) {
                EXPECT_EQ(countAround(image, label, 8, other), 0) << c.rpm;
            }
        }
    }
    // Nothing beyond the end of the arc, at 9200 rpm.
    EXPECT_TRUE(clear(image, markMiddle(g, rpmNeedleAngle(9200, 8000), true)));
}

TEST_F(DialsFixture, PowerDialZeroIsGreenAtTheLeft)
{
    const QImage& image = dials.image();
    const RoundDials::Geometry g = dials.powerDialGeometry();
    EXPECT_GT(g.centre.x(), 300);
    for (int power : {-50, 0, 50, 100, 150, 200}) {
        const double angle = powerNeedleAngle(power);
        const QRgb tone = power == 0 ? Green : Aqua;
        EXPECT_TRUE(has(image, markMiddle(g, angle, true), power == 0 ? Green : Silver)) << power;
        EXPECT_FALSE(has(image, markMiddle(g, angle, true), power == 0 ? Silver : Green)) << power;
        EXPECT_GT(countAround(image, onCircle(g.centre, g.labelRadius, angle), 8, tone), 5) << power;
    }
    // A minor mark between 0 and 50, none after 200.
    EXPECT_TRUE(has(image, markMiddle(g, Pi + Pi / 4 / 11 * 5, false), Silver));
    EXPECT_TRUE(clear(image, markMiddle(g, 2 * Pi + Pi / 8, true)));
}

TEST_F(DialsFixture, EachSampleMovesBothNeedlesAndErasesTheOldOnes)
{
    const RoundDials::Geometry rpm = dials.rpmDialGeometry();
    const RoundDials::Geometry power = dials.powerDialGeometry();
    dials.show(5000, 100); // both straight up
    EXPECT_DOUBLE_EQ(dials.rpmAngle(), 3 * Pi / 2);
    EXPECT_DOUBLE_EQ(dials.powerAngle(), 3 * Pi / 2);
    const QPointF rpmUp = onCircle(rpm.centre, rpm.needleLength * 0.7, 3 * Pi / 2);
    const QPointF powerUp = onCircle(power.centre, power.needleLength * 0.7, 3 * Pi / 2);
    EXPECT_TRUE(has(dials.image(), rpmUp, Yellow));
    EXPECT_TRUE(has(dials.image(), powerUp, Yellow));

    dials.show(1000, 0); // lower left and left
    EXPECT_TRUE(clear(dials.image(), rpmUp));
    EXPECT_TRUE(clear(dials.image(), powerUp));
    EXPECT_TRUE(has(dials.image(), onCircle(rpm.centre, rpm.needleLength * 0.7, 3 * Pi / 4), Yellow));
    EXPECT_TRUE(has(dials.image(), onCircle(power.centre, power.needleLength * 0.7, Pi), Yellow));

    // Erasing is exact: after wandering, the dials look as if only the last sample was shown.
    for (double e : {7300.0, 2200.0, 8900.0, 12000.0, -50.0})
        dials.show(e, e / 40);
    dials.show(6100, 73.5);
    RoundDials fresh;
    fresh.resize(600, 300);
    fresh.setScale(8000, 4000);
    fresh.show(6100, 73.5);
    EXPECT_EQ(dials.image(), fresh.image());
    // What the operator sees is the kept image.
    EXPECT_EQ(dials.grab().toImage().convertToFormat(QImage::Format_RGB32), dials.image());
}

TEST_F(DialsFixture, AResizeRedrawsEverythingWithTheNeedlesWhereTheyWere)
{
    dials.show(5000, 100);
    dials.resize(800, 300);
    dials.show(5000, 100); // a sample after the resize, erasing the needles of the new drawing
    const QImage& image = dials.image();
    ASSERT_EQ(image.size(), QSize(800, 300));
    const RoundDials::Geometry rpm = dials.rpmDialGeometry();
    EXPECT_DOUBLE_EQ(rpm.centre.x(), 200);
    EXPECT_TRUE(has(image, onCircle(rpm.centre, rpm.needleLength * 0.7, 3 * Pi / 2), Yellow));
    EXPECT_TRUE(has(image, markMiddle(rpm, rpmNeedleAngle(8000, 8000), true), Red));

    // A new scale moves the red and green marks and the needle with it.
    dials.setScale(6000, 2000);
    const double redAngle = rpmNeedleAngle(6000, 6000);
    EXPECT_TRUE(has(dials.image(), markMiddle(rpm, redAngle, true), Red));
    EXPECT_TRUE(has(dials.image(), markMiddle(rpm, rpmNeedleAngle(2000, 6000), true), Green));
    EXPECT_FALSE(has(dials.image(), markMiddle(rpm, rpmNeedleAngle(8000, 8000), true), Red)); // the old one
    EXPECT_DOUBLE_EQ(dials.rpmAngle(), rpmNeedleAngle(5000, 6000));
}

} // namespace
} // namespace tolvane
