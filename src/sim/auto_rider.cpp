#include "sim/auto_rider.h"

#include "core/acquisition/step_controller.h"
#include "core/acquisition/sweep_controller.h"
#include "core/setup/step_script.h"
#include "core/setup/test_setup.h"

namespace tolvane::sim {

namespace {

int targetCount(const QStringList& script)
{
    int count = 0;
    for (const QString& line : script)
        if (scriptTarget(line))
            ++count;
    return count;
}

} // namespace

void AutoRider::steer(const StepController& step)
{
    // Every target has its line: the test is over and the rider waits, throttle shut, for the
    // operator to save it, instead of riding the script round again into the same file.
    if (step.state() != StepState::Recording &&
        step.recordPoints().size() >= targetCount(step.targets())) {
        m_driver.coast();
        return;
    }
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
