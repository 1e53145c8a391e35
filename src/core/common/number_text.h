#pragma once
// Number texts: fixed patterns, the locale's decimal separator, no thousands separator, halves
// rounded to even; and the tolerant parsers every reader of typed-in or stored text uses.
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <type_traits>

#include "core/common/text_locale.h"

namespace tolvane {

// Nearest integer, exact halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
std::int64_t roundHalfEven(double value);

// Formats with a pattern of the form "0", "00", "0.0", "0.00", "000.00", ...: the zeros before the
// point give the minimum count of integer digits, those after it the count of decimals. A value
// that rounds to zero is written without a minus sign. NaN and infinities are written "0" in the
// pattern's shape, so a broken measurement never puts "nan" into a test file.
QString formatNumber(double value, QStringView pattern, QChar decimalSeparator);
inline QString formatNumber(double value, QStringView pattern, const TextLocale& locale)
{
    return formatNumber(value, pattern, locale.decimalSeparator);
}

// Decimal text with blanks around it; the decimal separator is the locale's (a "." is accepted as
// well so values typed on another machine are not lost). Exponents are accepted.
std::optional<double> parseFloat(QStringView text, QChar decimalSeparator);
// The same for 8-bit text read as Latin-1 (a test file's bytes).
std::optional<double> parseFloat(QLatin1StringView text, QChar decimalSeparator);
inline std::optional<double> parseFloat(QStringView text, const TextLocale& locale)
{
    return parseFloat(text, locale.decimalSeparator);
}

// Integer text with blanks around it and an optional sign; a leading "$" marks hexadecimal digits.
std::optional<std::int64_t> parseInt(QStringView text);

namespace number_text {
// Every one is exact in a double.
inline constexpr double PowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
} // namespace number_text

// The plain fields of a run file ("4520", "-12.35", "0,5") over the characters of a QString or
// the bytes of an 8-bit file: a sign, at most 15 digits and one point, nothing else. Their
// digits make an integer below 2^53 and the decimals a power of ten up to 10^15, both exact, and
// a single division of two exact doubles is rounded once, to the double nearest the decimal:
// the value parseFloat gives. False for anything else (blanks, exponents, long digit strings),
// which parseFloat's general rules decide. Inline, with a flag and an out value, because a run's
// loader calls it for every field.
template <typename Char>
inline bool parsePlainNumber(const Char* c, const Char* const end, char16_t decimalSeparator, double& value)
{
    if (c == end)
        return false;
    const auto code = [](Char ch) -> char16_t {
        if constexpr (std::is_same_v<Char, QChar>)
            return ch.unicode();
        else
            return static_cast<unsigned char>(ch);
    };
    const bool negative = code(*c) == u'-';
    if (negative || code(*c) == u'+')
        ++c;
    std::uint64_t digits = 0;
    int count = 0;
    int decimals = -1; // -1 until the point
    for (; c != end; ++c) {
        const char16_t u = code(*c);
        if (u >= u'0' && u <= u'9') {
            if (++count > 15)
                return false;
            digits = digits * 10 + (u - u'0');
            if (decimals >= 0)
                ++decimals;
        } else if ((u == decimalSeparator || u == u'.') && decimals < 0) {
            decimals = 0;
        } else {
            return false;
        }
    }
    if (count == 0)
        return false;
    const double magnitude =
        static_cast<double>(digits) / number_text::PowersOfTen[decimals < 0 ? 0 : decimals];
    value = negative ? -magnitude : magnitude;
    return true;
}

// Shortest general form with up to 15 significant digits ("1.5", "30924000", "0.001"), as the
// configuration file stores floats.
QString formatGeneral(double value, QChar decimalSeparator);

} // namespace tolvane
