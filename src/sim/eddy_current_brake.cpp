#include "sim/eddy_current_brake.h"

#include <algorithm>

namespace tolvane::sim {

double EddyCurrentBrake::capacity(double rollerRpm) const
{
    const double n = std::max(rollerRpm, 0.0);
    return RatedTorque * n / (n + HalfTorqueRollerRpm);
}

void EddyCurrentBrake::step(double demand, double dt)
{
    const double target = std::clamp(demand, 0.0, 1.0);
    m_current += (target - m_current) * std::min(1.0, dt / CoilTimeConstant);
}

} // namespace tolvane::sim
