#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

#include "core/common/number_text.h"

using namespace tolvane;

namespace {

// What printf makes of the value: the exact binary value rounded, ties to even, with the
// pattern's minimum integer digits and no sign on a zero result.
std::string printfReference(double value, int integerDigits, int decimals)
{
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    std::string s = buf;
    bool negative = s[0] == '-';
    if (negative) {
        s.erase(0, 1);
        negative = s.find_first_not_of("0.") != std::string::npos;
    }
    const std::size_t dot = s.find('.');
    const std::size_t intLen = dot == std::string::npos ? s.size() : dot;
    if (intLen < static_cast<std::size_t>(integerDigits))
        s.insert(0, static_cast<std::size_t>(integerDigits) - intLen, '0');
    return negative ? "-" + s : s;
}

} // namespace

// The quick path of formatNumber must agree with printf everywhere, above all next to halves.
TEST(NumberText, FormatNumberAgreesWithPrintf)
{
    struct Pattern {
        const char* text;
        int integerDigits;
        int decimals;
    };
    const Pattern patterns[] = {{"0", 1, 0},      {"0.0", 1, 1}, {"0.00", 1, 2},  {"0.000", 1, 3},
                                {"0.0000", 1, 4}, {"00", 2, 0},  {"000.00", 3, 2}};
    std::mt19937_64 random(20260102);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-6, 16);
    std::uniform_int_distribution<long long> integer(-2000000, 2000000);
    for (int i = 0; i < 40000; ++i) {
        double value = 0.0;
        switch (i % 4) {
        case 0:
            value = unit(random) * std::pow(10.0, exponent(random));
            break;
        case 1:
            value = (static_cast<double>(integer(random)) + 0.5) / 1000.0;
            break; // near halves
        case 2:
            value = static_cast<double>(integer(random)) / 200.0;
            break; // exact .005 steps
        default:
            value = static_cast<double>(integer(random)) * 0.1 + 0.05;
            break;
        }
        for (const Pattern& p : patterns) {
            const std::string expected = printfReference(value, p.integerDigits, p.decimals);
            const QString actual = formatNumber(value, QString::fromLatin1(p.text), QLatin1Char('.'));
            ASSERT_EQ(actual.toStdString(), expected) << "value " << value << " pattern " << p.text;
        }
    }
}
