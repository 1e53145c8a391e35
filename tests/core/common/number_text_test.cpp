#include <gtest/gtest.h>

#include "core/common/number_text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

using namespace tolvane;

TEST(NumberText, RoundsHalvesToEven)
{
    struct Case {
        double value;
        std::int64_t expected;
    };
    const Case cases[] = {{0.5, 0},   {1.5, 2},    {2.5, 2},    {3.5, 4},       {-2.5, -2},
                          {-3.5, -4}, {2.4999, 2}, {2.5001, 3}, {1234.5, 1234}, {0.0, 0}};
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
        {0.125, "0.00", "0.12", "0,12"}, // an exact binary half: to even
        {0.375, "0.00", "0.38", "0,38"},
        {1.0, "0.0000", "1.0000", "1,0000"},
        {29.22, "0.00", "29.22", "29,22"},
        {7.0, "00", "07", "07"},
        {5.5, "000.00", "005.50", "005,50"},
        {-0.04, "0.0", "0.0", "0,0"}, // no "-0.0" in a file
        {-12.25, "0.0", "-12.2", "-12,2"},
        {1234567.0, "0.00", "1234567.00", "1234567,00"}, // never a thousands separator
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatNumber(c.value, QString::fromLatin1(c.pattern), QLatin1Char('.')),
                  QLatin1String(c.dot))
            << c.value << ' ' << c.pattern;
        EXPECT_EQ(formatNumber(c.value, QString::fromLatin1(c.pattern), QLatin1Char(',')),
                  QLatin1String(c.comma))
            << c.value << ' ' << c.pattern;
    }
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::infinity(), u"0.00", QLatin1Char('.')),
              QLatin1String("0.00"));
}

TEST(NumberText, ParsesFloatsWithBlanksAndTheLocaleSeparator)
{
    struct Case {
        const char* text;
        QChar separator;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {" 29.22 ", '.', 29.22},      {"29,22", ',', 29.22},
        {"+77.0", '.', 77.0},         {"-3", '.', -3.0},
        {"1.5E3", '.', 1500.0},       {"29.22", ',', 29.22}, // a "." still reads on a comma machine
        {"", '.', std::nullopt},      {"  ", '.', std::nullopt},
        {"abc", '.', std::nullopt},   {"12x", '.', std::nullopt},
        {"1,5", '.', std::nullopt},   {"nan", '.', std::nullopt},
        {"1e999", '.', std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseFloat(QString::fromLatin1(c.text), c.separator), c.expected) << c.text;
}

// Plain fields ("4520", "-12.35", ".5") are read by a quicker route than the general one; every
// one must still come out as the very double a correctly rounded conversion gives, sign of zero
// included, whatever its length and with either separator.
TEST(NumberText, PlainFieldsReadBitForBitAsACorrectlyRoundedConversion)
{
    std::mt19937_64 random(42);
    std::uniform_int_distribution<int> digitCount(1, 18);
    std::uniform_int_distribution<int> digit(0, 9);
    for (int i = 0; i < 200000; ++i) {
        std::string text;
        const int sign = i % 3;
        if (sign == 1)
            text += '-';
        const int count = digitCount(random);
        const int point = std::uniform_int_distribution<int>(-1, count)(random); // -1: none
        for (int d = 0; d < count; ++d) {
            if (d == point)
                text += '.';
            text += static_cast<char>('0' + digit(random));
        }
        if (point == count)
            text += '.';
        double expected = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        for (const char separator : {'.', ','}) {
            std::string written = text;
            std::replace(written.begin(), written.end(), '.', separator);
            // A QString, and the bytes of an 8-bit file.
            for (const std::optional<double> read :
                 {parseFloat(QString::fromStdString(written), QLatin1Char(separator)),
                  parseFloat(QLatin1StringView(written.data(), qsizetype(written.size())),
                             QLatin1Char(separator))}) {
                ASSERT_TRUE(read) << written;
                ASSERT_EQ(std::bit_cast<std::uint64_t>(*read), std::bit_cast<std::uint64_t>(expected))
                    << written;
            }
        }
    }
    EXPECT_TRUE(std::signbit(*parseFloat(u"-0", QLatin1Char('.'))));
    EXPECT_EQ(parseFloat(u"+.5", QLatin1Char('.')), 0.5);
    EXPECT_FALSE(parseFloat(u"-", QLatin1Char('.')));
    EXPECT_FALSE(parseFloat(u".", QLatin1Char('.')));
    EXPECT_FALSE(parseFloat(u"1.2.3", QLatin1Char('.')));
    EXPECT_FALSE(parseFloat(u"1,2.3", QLatin1Char(',')));
    // Beyond the plain form the bytes follow the same general rules.
    EXPECT_EQ(parseFloat(QLatin1StringView(" 1.5e2 "), QLatin1Char('.')), 150.0);
    EXPECT_FALSE(parseFloat(QLatin1StringView("12 V"), QLatin1Char('.')));
}

TEST(NumberText, ParsesIntegersWithDollarHex)
{
    struct Case {
        const char* text;
        std::optional<std::int64_t> expected;
    };
    const Case cases[] = {
        {"250", 250},       {" 250 ", 250},         {"-7", -7},
        {"$FF", 255},       {"$0186A0", 100000},    {"$ff", 255},
        {"-$10", -16},      {"$", std::nullopt},    {"12.5", std::nullopt},
        {"", std::nullopt}, {"0x10", std::nullopt}, {"99999999999999999999", std::nullopt},
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
