#include "core/common/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <limits>

namespace tolvane {

std::int64_t roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return 0;
    // nearbyint follows the current rounding mode, which is round-to-nearest-even by default.
    const double r = std::nearbyint(value);
    if (r >= 9.2e18)
        return std::numeric_limits<std::int64_t>::max();
    if (r <= -9.2e18)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(r);
}

namespace {

struct Pattern {
    int integerDigits = 1;
    int decimals = 0;
};

Pattern parsePattern(QStringView pattern)
{
    Pattern p;
    const qsizetype dot = pattern.indexOf(QLatin1Char('.'));
    p.integerDigits = static_cast<int>(dot < 0 ? pattern.size() : dot);
    p.decimals = dot < 0 ? 0 : static_cast<int>(pattern.size() - dot - 1);
    return p;
}

} // namespace

namespace {

// printf's answer, used where the quick path below cannot be sure of the rounding.
QString formatWithPrintf(double value, const Pattern& p, QChar decimalSeparator)
{
    // printf rounds the exact binary value, ties to even: "%.2f" of 0.125 is "0.12".
    char buf[400];
    const int n = std::snprintf(buf, sizeof buf, "%.*f", p.decimals, value);
    QString digits = QString::fromLatin1(buf, n);
    bool negative = digits.startsWith(QLatin1Char('-'));
    if (negative) {
        digits.remove(0, 1);
        bool allZero = true;
        for (QChar c : digits)
            if (c != QLatin1Char('0') && c != QLatin1Char('.'))
                allZero = false;
        negative = !allZero;
    }
    qsizetype dot = digits.indexOf(QLatin1Char('.'));
    qsizetype intLen = dot < 0 ? digits.size() : dot;
    if (intLen < p.integerDigits) {
        digits.prepend(QString(p.integerDigits - intLen, QLatin1Char('0')));
        dot = digits.indexOf(QLatin1Char('.'));
    }
    if (dot >= 0)
        digits[dot] = decimalSeparator;
    if (negative)
        digits.prepend(QLatin1Char('-'));
    return digits;
}

using number_text::PowersOfTen;

} // namespace

QString formatNumber(double value, QStringView pattern, QChar decimalSeparator)
{
    const Pattern p = parsePattern(pattern);
    if (!std::isfinite(value))
        value = 0.0;
    // The live windows format a dozen numbers per 40 ms frame, so the common case avoids printf:
    // scale, round to the nearest integer and write its digits. The scaled product carries at most
    // half a unit in its last place of error, which can only change the result when the exact
    // value lies that close to a half; those cases, and very large numbers, go to printf.
    if (p.decimals < static_cast<int>(std::size(PowersOfTen))) {
        const double scaled = value * PowersOfTen[p.decimals];
        const double magnitude = std::fabs(scaled);
        const double fraction = magnitude - std::floor(magnitude);
        if (magnitude < 1e15 && std::fabs(fraction - 0.5) > magnitude * 1e-15 + 1e-300) {
            auto units = static_cast<std::uint64_t>(std::floor(magnitude) + (fraction > 0.5 ? 1.0 : 0.0));
            char buf[48];
            int n = 0;
            for (int d = 0; d < p.decimals; ++d) {
                buf[n++] = static_cast<char>('0' + units % 10);
                units /= 10;
            }
            if (p.decimals > 0)
                buf[n++] = '.';
            int integerDigits = 0;
            do {
                buf[n++] = static_cast<char>('0' + units % 10);
                units /= 10;
                ++integerDigits;
            } while (units != 0);
            while (integerDigits < p.integerDigits && n < static_cast<int>(sizeof buf)) {
                buf[n++] = '0';
                ++integerDigits;
            }
            bool allZero = true;
            for (int i = 0; i < n; ++i)
                if (buf[i] != '0' && buf[i] != '.')
                    allZero = false;
            // A value that rounds to zero is written without a sign.
            const bool negative = value < 0.0 && !allZero;
            QString text(n + (negative ? 1 : 0), Qt::Uninitialized);
            QChar* out = text.data();
            if (negative)
                *out++ = QLatin1Char('-');
            for (int i = n - 1; i >= 0; --i)
                *out++ = buf[i] == '.' ? decimalSeparator : QChar(QLatin1Char(buf[i]));
            return text;
        }
    }
    return formatWithPrintf(value, p, decimalSeparator);
}

std::optional<double> parseFloat(QStringView text, QChar decimalSeparator)
{
    // Nearly every field of a run file is a plain number without blanks: no trimming for those.
    double plain = 0.0;
    if (parsePlainNumber(text.begin(), text.end(), decimalSeparator.unicode(), plain))
        return plain;
    text = text.trimmed();
    if (text.isEmpty() || text.size() > 300)
        return std::nullopt;
    if (parsePlainNumber(text.begin(), text.end(), decimalSeparator.unicode(), plain))
        return plain;
    std::string ascii;
    ascii.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text) {
        if (c == decimalSeparator)
            ascii.push_back('.');
        else if (c.unicode() < 128)
            ascii.push_back(static_cast<char>(c.unicode()));
        else
            return std::nullopt;
    }
    const char* first = ascii.data();
    const char* last = first + ascii.size();
    if (*first == '+')
        ++first;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc() || ptr != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int64_t> parseInt(QStringView text)
{
    text = text.trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text.front() == QLatin1Char('-') || text.front() == QLatin1Char('+'))) {
        negative = text.front() == QLatin1Char('-');
        text = text.mid(1);
    }
    int base = 10;
    if (!text.isEmpty() && text.front() == QLatin1Char('$')) {
        base = 16;
        text = text.mid(1);
    }
    if (text.isEmpty() || text.size() > 20)
        return std::nullopt;
    std::string ascii;
    for (QChar c : text) {
        if (c.unicode() >= 128)
            return std::nullopt;
        ascii.push_back(static_cast<char>(c.unicode()));
    }
    std::uint64_t magnitude = 0;
    const auto [ptr, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), magnitude, base);
    if (ec != std::errc() || ptr != ascii.data() + ascii.size())
        return std::nullopt;
    if (magnitude > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        return std::nullopt;
    const auto v = static_cast<std::int64_t>(magnitude);
    return negative ? -v : v;
}

QString formatGeneral(double value, QChar decimalSeparator)
{
    if (!std::isfinite(value))
        value = 0.0;
    char buf[64];
    const int n = std::snprintf(buf, sizeof buf, "%.15G", value);
    QString text = QString::fromLatin1(buf, n);
    text.replace(QLatin1Char('.'), decimalSeparator);
    return text;
}

std::optional<double> parseFloat(QLatin1StringView text, QChar decimalSeparator)
{
    double plain = 0.0;
    if (parsePlainNumber(text.begin(), text.end(), decimalSeparator.unicode(), plain))
        return plain;
    // Blanks, exponents and the like are rare: the general rules of the QString form decide.
    return parseFloat(QString(text), decimalSeparator);
}

} // namespace tolvane
