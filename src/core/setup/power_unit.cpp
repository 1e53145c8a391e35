#include "core/setup/power_unit.h"

#include "core/common/configuration.h"
#include "core/setup/unit_settings.h"

namespace tolvane {

const PowerUnitEntry& powerUnitEntry(PowerUnit unit)
{
    return PowerUnits[static_cast<std::size_t>(unit)];
}

std::optional<FileError> choosePowerUnit(PowerUnit unit, Configuration& config, UnitSettings& units)
{
    const PowerUnitEntry& entry = powerUnitEntry(unit);
    ConfigChanges changes = config.changes();
    changes.set(ConfigKeys::Power, QString::fromLatin1(entry.label));
    changes.set(ConfigKeys::PowerMf, entry.storedFactor);
    if (auto error = config.apply(changes))
        return error;
    units.setPowerUnitLabel(QString::fromLatin1(entry.label));
    units.setPowerFactor(entry.storedFactor / 1000.0);
    return std::nullopt;
}

} // namespace tolvane
