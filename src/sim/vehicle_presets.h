#pragma once
// The demo vehicles, chosen by name, so that demo runs of different bikes (or tunes of the same
// bike) give visibly different curves. Every preset stays inside the unit's plausibility limits
// (roller 100 to 6300 rpm, roller torque up to 300 lb-ft) over its whole speed range.
#include <QString>
#include <QStringList>

#include <optional>

#include "sim/vehicle.h"

namespace tolvane::sim {

// "stock" (the default), "tuned", "middleweight".
QStringList vehiclePresetNames();
// Case-insensitive; nullopt for an unknown name.
std::optional<VehicleData> vehiclePreset(const QString& name);

} // namespace tolvane::sim
