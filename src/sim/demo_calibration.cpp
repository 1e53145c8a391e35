#include "sim/demo_calibration.h"

#include <cmath>
#include <limits>

#include "core/common/configuration.h"
#include "sim/demo_dyno.h"

namespace tolvane::sim {

std::optional<QString> storeDemoLoadCell(Configuration& configuration, const DemoDyno& dyno)
{
    constexpr double none = std::numeric_limits<double>::quiet_NaN();
    if (!std::isnan(configuration.read(ConfigKeys::LoadOff, none)) &&
        !std::isnan(configuration.read(ConfigKeys::LoadSpan, none)))
        return std::nullopt;
    ConfigChanges changes = configuration.changes();
    changes.set(ConfigKeys::LoadOff, dyno.loadCellOffset());
    changes.set(ConfigKeys::LoadSpan, dyno.loadCellSpan());
    if (const std::optional<FileError> error = configuration.apply(changes))
        return error->message;
    return std::nullopt;
}

} // namespace tolvane::sim
