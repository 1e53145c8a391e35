#include <gtest/gtest.h>

#include "core/common/number_text.h"

#include <limits>

using namespace tolvane;

TEST(NumberText, RoundsHalvesToEven)
{
    struct Case {
        double value;
        std::int64_t expected;
    };
    const Case cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4},
                          {2.4999, 2}, {2.5001, 3}, {1234.5, 1234}, {0.0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(roundHalfEven(c.value), c.expected) << c.value;
    EXPECT_EQ(roundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(NumberText, FormatsFixedPatternsWithEitherSeparator)
{
    struct Case {
        double value;
        const char* pattern;
        const char* dot;
        const char* comma;
    };
    const Case cases[] = {
        {3000.0, "0", "3000", "3000"},
        {2.5, "0", "2", "2"},
        {3.5, "0", "4", "4"},
        {12345.678, "0.0", "12345.7", "12345,7"},
        {0.125, "0.00", "0.12", "0,12"},      // an exact binary half: to even
        {0.375, "0.00", "0.38", "0,38"},
        {1.0, "0.0000", "1.0000", "1,0000"},
        {29.22, "0.00", "29.22", "29,22"},
        {7.0, "00", "07", "07"},
        {5.5, "000.00", "005.50", "005,50"},
        {-0.04, "0.0", "0.0", "0,0"},         // no "-0.0" in a file
        {-12.25, "0.0", "-12.2", "-12,2"},
        {1234567.0, "0.00", "1234567.00", "1234567,00"}, // never a thousands separator
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatNumber(c.value, QString::fromLatin1(c.pattern), QLatin1Char('.')), QLatin1String(c.dot))
            << c.value << ' ' << c.pattern;
        EXPECT_EQ(formatNumber(c.value, QString::fromLatin1(c.pattern), QLatin1Char(',')), QLatin1String(c.comma))
            << c.value << ' ' << c.pattern;
    }
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::infinity(), u"0.00", QLatin1Char('.')), QLatin1String("0.00"));
}

TEST(NumberText, ParsesFloatsWithBlanksAndTheLocaleSeparator)
{
    struct Case {
        const char* text;
        QChar separator;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {" 29.22 ", '.', 29.22}, {"29,22", ',', 29.22}, {"+77.0", '.', 77.0}, {"-3", '.', -3.0},
        {"1.5E3", '.', 1500.0},  {"29.22", ',', 29.22},  // a "." still reads on a comma machine
        {"", '.', std::nullopt}, {"  ", '.', std::nullopt}, {"abc", '.', std::nullopt},
        {"12x", '.', std::nullopt}, {"1,5", '.', std::nullopt}, {"nan", '.', std::nullopt},
        {"1e999", '.', std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseFloat(QString::fromLatin1(c.text), c.separator), c.expected) << c.text;
}

TEST(NumberText, ParsesIntegersWithDollarHex)
{
    struct Case {
        const char* text;
        std::optional<std::int64_t> expected;
    };
    const Case cases[] = {
        {"250", 250},      {" 250 ", 250}, {"-7", -7},          {"$FF", 255},
        {"$0186A0", 100000}, {"$ff", 255}, {"-$10", -16},       {"$", std::nullopt},
        {"12.5", std::nullopt}, {"", std::nullopt}, {"0x10", std::nullopt}, {"99999999999999999999", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseInt(QString::fromLatin1(c.text)), c.expected) << c.text;
}

TEST(NumberText, GeneralFormIsShortest)
{
    EXPECT_EQ(formatGeneral(1500.0, QLatin1Char('.')), QLatin1String("1500"));
    EXPECT_EQ(formatGeneral(0.0379, QLatin1Char(',')), QLatin1String("0,0379"));
    EXPECT_EQ(formatGeneral(30924000.0, QLatin1Char('.')), QLatin1String("30924000"));
    EXPECT_EQ(formatGeneral(0.0197539931094777, QLatin1Char('.')), QLatin1String("0.0197539931094777"));
}
