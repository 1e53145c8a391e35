#include "sim/virtual_driver.h"

#include <algorithm>

namespace tolvane::sim {

void VirtualDriver::setPhase(Phase phase, double target, double throttle)
{
    m_phase = phase;
    m_target = target;
    m_throttle = std::clamp(throttle, 0.0, 1.0);
}

void VirtualDriver::coast()
{
    setPhase(Phase::Coast, 0.0, 0.0);
}

void VirtualDriver::reach(double targetEngineRpm, double throttle)
{
    setPhase(Phase::Reach, targetEngineRpm, throttle);
}

void VirtualDriver::sweepHold(double startEngineRpm)
{
    setPhase(Phase::SweepHold, startEngineRpm, SweepHoldThrottle);
}

void VirtualDriver::sweepRun()
{
    setPhase(Phase::SweepRun, 0.0, 1.0);
}

void VirtualDriver::manual(double throttle)
{
    setPhase(Phase::Manual, 0.0, throttle);
}

void VirtualDriver::update()
{
    m_dyno.advanceToNow();
    double throttle = m_throttle;
    if (m_phase == Phase::Reach || m_phase == Phase::SweepHold) {
        const double over = m_dyno.engineRpm() - m_target;
        throttle *= std::clamp(1.0 - (over - EaseOffStartRpm) / EaseOffSpanRpm, 0.0, 1.0);
    }
    m_dyno.setThrottle(throttle);
}

} // namespace tolvane::sim
