#include "core/setup/sae_correction.h"

#include <cmath>
#include <cstdint>

#include "core/common/number_text.h"
#include "core/setup/vapour_table.h"

namespace tolvane {

namespace {

constexpr double MmHgToInHg = 29.921 / 760.0;

// The table entry of an even count of tenths of a degree; the sign flag chooses the table (so
// -0.0 °C reads the negative row 0, which starts with the same value as the positive one).
std::optional<double> lookUp(std::int64_t tenths, bool negative)
{
    const std::int64_t row = tenths / 10;
    std::int64_t remainder = tenths - 10 * row;
    if (negative)
        remainder = -remainder;
    const std::int64_t column = remainder / 2;
    if (column < 0 || column > 4)
        return std::nullopt;
    if (negative) {
        if (row > 0 || -row >= VapourNegativeRowCount)
            return std::nullopt;
        return VapourNegativeRows[-row].values[column];
    }
    if (row < 0 || row >= VapourPositiveRowCount)
        return std::nullopt;
    return VapourPositiveRows[row].values[column];
}

} // namespace

std::optional<double> VapPress(double tempF)
{
    if (!std::isfinite(tempF))
        return std::nullopt;
    const double tC = (tempF - 32.0) * 5.0 / 9.0;
    // Far outside the table: answer before the tenths could overflow.
    if (std::fabs(tC) > 1000.0)
        return std::nullopt;
    const bool negative = tC < 0.0;
    const std::int64_t n = roundHalfEven(tC * 10.0);
    std::optional<double> mmHg;
    if (n % 2 != 0) {
        const auto above = lookUp(n + 1, negative);
        const auto below = lookUp(n - 1, negative);
        if (above && below)
            mmHg = (*above + *below) / 2.0;
    } else {
        mmHg = lookUp(n, negative);
    }
    if (!mmHg)
        return std::nullopt;
    return *mmHg * MmHgToInHg;
}

std::optional<double> DryPress(double humidity, double baro, double tempF)
{
    const auto vapour = VapPress(tempF);
    if (!vapour || !std::isfinite(humidity) || !std::isfinite(baro))
        return std::nullopt;
    return baro - humidity * 0.01 * *vapour;
}

std::optional<double> SaeCorr(double humidity, double baro, double tempF)
{
    const auto dry = DryPress(humidity, baro, tempF);
    if (!dry || *dry <= 0.0)
        return std::nullopt;
    return (29.22 / *dry) * 1.18 * std::sqrt((tempF + 460.0) / 537.0) - 0.18;
}

} // namespace tolvane
