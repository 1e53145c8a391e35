#include <gtest/gtest.h>

#include <cmath>

#include "core/common/number_text.h"
#include "core/setup/sae_correction.h"
#include "core/setup/vapour_table.h"

using namespace tolvane;

namespace {

constexpr double InHgPerMmHg = 29.921 / 760.0;

double fahrenheit(double celsius)
{
    return celsius * 1.8 + 32.0;
}

// The factor restated from a table entry in mm Hg, independently of the look-up.
double factorFromEntry(double humidity, double baro, double tempF, double vapourMmHg)
{
    const double dry = baro - humidity * 0.01 * vapourMmHg * InHgPerMmHg;
    return (29.22 / dry) * 1.18 * std::sqrt((tempF + 460.0) / 537.0) - 0.18;
}

} // namespace

TEST(VapourTable, CompiledRowsMatchThePublishedClassicValues)
{
    struct Row {
        bool negative;
        int degree;
        double values[5];
    };
    const Row rows[] = {
        {false, 0, {4.579, 4.647, 4.715, 4.785, 4.855}},
        {false, 10, {9.209, 9.333, 9.458, 9.585, 9.714}},
        {false, 20, {17.535, 17.753, 17.974, 18.197, 18.422}},
        {false, 25, {23.756, 24.039, 24.326, 24.617, 24.912}},
        {false, 30, {31.824, 32.191, 32.561, 32.934, 33.312}},
        {false, 40, {55.324, 55.91, 56.51, 57.11, 57.72}},
        {false, 50, {92.51, 93.5, 94.4, 95.3, 96.3}},
        {false, 60, {149.38, 150.7, 152.1, 153.5, 155.0}},
        {false, 65, {187.54, 189.2, 190.9, 192.6, 194.3}},
        {true, 0, {4.579, 4.513, 4.448, 4.385, 4.32}},
        {true, 5, {3.163, 3.115, 3.069, 3.022, 2.976}},
        {true, 10, {2.149, 2.116, 2.084, 2.05, 2.018}},
        {true, 15, {1.436, 1.414, 1.39, 1.368, 1.345}},
    };
    for (const Row& r : rows) {
        const VapourRow& compiled = r.negative ? VapourNegativeRows[r.degree] : VapourPositiveRows[r.degree];
        for (int c = 0; c < 5; ++c)
            EXPECT_DOUBLE_EQ(compiled.values[c], r.values[c])
                << (r.negative ? "-" : "") << r.degree << " col " << c;
    }
    // The saturation curve rises with temperature through the whole table, across the sign change.
    double previous = 0.0;
    for (int d = VapourNegativeRowCount - 1; d >= 0; --d)
        for (int c = 4; c >= 0; --c) {
            EXPECT_GT(VapourNegativeRows[d].values[c], previous) << "-" << d << " col " << c;
            previous = VapourNegativeRows[d].values[c];
        }
    previous = 0.0;
    for (int d = 0; d < VapourPositiveRowCount; ++d)
        for (int c = 0; c < 5; ++c) {
            EXPECT_GT(VapourPositiveRows[d].values[c], previous) << d << " col " << c;
            previous = VapourPositiveRows[d].values[c];
        }
}

TEST(SaeCorrection, VapourPressureLooksUpEvenTenthsAndAveragesOddOnes)
{
    struct Case {
        double celsius;
        double mmHg;
    };
    const Case cases[] = {
        {25.0, 23.756},
        {25.2, 24.039},
        {0.0, 4.579},
        {0.1, (4.579 + 4.647) / 2},  // 4.613
        {-0.1, (4.579 + 4.513) / 2}, // 4.546
        {-0.04, 4.579},              // rounds to -0.0: the negative row 0
        {-5.4, 3.069},
        {-5.5, (3.069 + 3.022) / 2},
        {10.9, (9.714 + 9.844) / 2}, // the mean across a row boundary
        {-15.8, 1.345},              // the table's ends
        {65.8, 194.3},
    };
    for (const Case& c : cases) {
        const auto inHg = VapPress(fahrenheit(c.celsius));
        ASSERT_TRUE(inHg.has_value()) << c.celsius;
        EXPECT_NEAR(*inHg, c.mmHg * InHgPerMmHg, 1e-12) << c.celsius;
    }
}

TEST(SaeCorrection, FactorsMatchHandComputedReferences)
{
    struct Case {
        double humidity;
        double baro;
        double tempF;
        double vapourMmHg; // the table entry the temperature reads
        const char* shown;
    };
    const Case cases[] = {
        {0.0, 29.22, 77.0, 23.756, "1.0000"}, // standard dry air
        {1.0, 29.22, 77.0, 23.756, "1.0004"},
        {50.0, 29.22, 77.0, 23.756, "1.0192"},
        {80.0, 30.5, 95.0, 42.175, "1.0216"},                  // 35 °C
        {20.0, 28.5, 40.0, 6.275, "0.9894"},                   // 4.444 °C: tenth 44
        {45.0, 29.884, 75.8, (22.647 + 22.920) / 2, "0.9883"}, // 24.333 °C: tenth 243, odd
    };
    for (const Case& c : cases) {
        const auto factor = SaeCorr(c.humidity, c.baro, c.tempF);
        ASSERT_TRUE(factor.has_value()) << c.tempF;
        EXPECT_NEAR(*factor, factorFromEntry(c.humidity, c.baro, c.tempF, c.vapourMmHg), 1e-12) << c.tempF;
        EXPECT_EQ(formatNumber(*factor, u"0.0000", QLatin1Char('.')), QLatin1String(c.shown)) << c.tempF;
    }
    EXPECT_NEAR(*SaeCorr(0.0, 29.22, 77.0), 1.0, 1e-15);
    EXPECT_NEAR(*DryPress(50.0, 29.22, 77.0), 29.22 - 0.5 * 23.756 * InHgPerMmHg, 1e-12);
}

TEST(SaeCorrection, RefusesTemperaturesOutsideTheTableAndNoDryAir)
{
    // An odd tenth at either end would need a row the table does not have.
    struct Case {
        double tempF;
        bool inside;
    };
    const Case cases[] = {{3.5, true},    {3.4, false},   {150.5, true},  {150.6, false},
                          {-40.0, false}, {400.0, false}, {1e300, false}, {std::nan(""), false}};
    for (const Case& c : cases) {
        EXPECT_EQ(VapPress(c.tempF).has_value(), c.inside) << c.tempF;
        EXPECT_EQ(SaeCorr(10.0, 29.0, c.tempF).has_value(), c.inside) << c.tempF;
    }
    EXPECT_FALSE(SaeCorr(0.0, 0.0, 77.0).has_value());
    EXPECT_FALSE(SaeCorr(0.0, -29.22, 77.0).has_value());
    // 100 % humidity at 150 °F leaves no dry air below about 7.6 inHg.
    EXPECT_FALSE(SaeCorr(100.0, 7.0, 150.0).has_value());
    EXPECT_TRUE(SaeCorr(100.0, 8.0, 150.0).has_value());
}
