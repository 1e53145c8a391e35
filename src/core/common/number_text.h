#pragma once
// Number texts: fixed patterns, the locale's decimal separator, no thousands separator, halves
// rounded to even; and the tolerant parsers every reader of typed-in or stored text uses.
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

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
inline std::optional<double> parseFloat(QStringView text, const TextLocale& locale)
{
    return parseFloat(text, locale.decimalSeparator);
}

// Integer text with blanks around it and an optional sign; a leading "$" marks hexadecimal digits.
std::optional<std::int64_t> parseInt(QStringView text);

// Shortest general form with up to 15 significant digits ("1.5", "30924000", "0.001"), as the
// configuration file stores floats.
QString formatGeneral(double value, QChar decimalSeparator);

} // namespace tolvane
