#pragma once
// The power units the operator can choose: the short name shown and stored as "Units"/"Power",
// and the multiplier, stored as the integer "Power mf" (factor x 1000) and used in memory as
// that integer / 1000.
#include <QString>

#include <array>
#include <optional>

#include "core/common/text_file.h"

namespace tolvane {

class Configuration;
class UnitSettings;

enum class PowerUnit { Bhp, Ps, Kw };

struct PowerUnitEntry {
    PowerUnit unit;
    const char* label;
    int storedFactor;
};

inline constexpr std::array<PowerUnitEntry, 3> PowerUnits{{
    {PowerUnit::Bhp, "BHP", 1000},
    {PowerUnit::Ps, "PS", 1014},
    {PowerUnit::Kw, "KW", 746},
}};
static_assert([] {
    for (std::size_t i = 0; i < PowerUnits.size(); ++i)
        if (static_cast<std::size_t>(PowerUnits[i].unit) != i)
            return false;
    return true;
}());

const PowerUnitEntry& powerUnitEntry(PowerUnit unit);

// Writes "Power" and "Power mf" in one rewrite, then gives the unit settings the new label and
// factor so everything that formats or plots power uses the unit from now on. When the file
// cannot be written the settings stay as they were and the error is returned.
std::optional<FileError> choosePowerUnit(PowerUnit unit, Configuration& config, UnitSettings& units);

} // namespace tolvane
