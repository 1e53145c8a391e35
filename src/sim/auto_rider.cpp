#include "sim/auto_rider.h"

#include "core/acquisition/step_controller.h"
#include "core/acquisition/sweep_controller.h"
#include "core/setup/test_setup.h"

namespace tolvane::sim {

void AutoRider::steer(const StepController& step)
{
    switch (step.state()) {
    case StepState::Decelerating:
        m_driver.coast();
        break;
    case StepState::Recording:
        if (step.recordCount() >= m_recordSamples)
            m_driver.coast();
        else
            m_driver.reach(step.target());
        break;
    default:
        m_driver.reach(step.target());
        break;
    }
}

void AutoRider::steer(const SweepController& sweep, const TestSetup& setup)
{
    switch (sweep.state()) {
    case SweepState::Waiting:
        m_driver.sweepHold(setup.value(TestSetup::Spin::MnRpm));
        break;
    case SweepState::Recording:
        m_driver.sweepRun();
        break;
    default:
        m_driver.coast();
        break;
    }
}

} // namespace tolvane::sim
