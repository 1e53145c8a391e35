#pragma once
// The Demo Dyno comes with its load cell calibrated, as a dyno leaves the works: a configuration
// without a load-cell calibration gets the dyno's own offset and span, so the decoded force is the
// brake's reaction from the first test on. A configuration with its own calibration (a shop's,
// or one made with the load-cell window) is left as it is.
#include <QString>

#include <optional>

namespace tolvane {
class Configuration;
}

namespace tolvane::sim {

class DemoDyno;

// The error text when the configuration could not be written.
std::optional<QString> storeDemoLoadCell(Configuration& configuration, const DemoDyno& dyno);

} // namespace tolvane::sim
