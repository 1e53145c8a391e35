#pragma once
// AutoRider: the Demo Dyno's rider on autopilot. It reads the live controller's state the way an
// operator reads the status bar and tells the VirtualDriver what to do: hold steady at each step
// target, end a recording once enough samples are in, and close the throttle once every target
// has its line; in a sweep hold the start speed, open fully once the sweep records, and close at
// the redline. Used by the headless runs and by the
// Demo Dyno window's "Auto rider".
#include "sim/virtual_driver.h"

namespace tolvane {
class StepController;
class SweepController;
class TestSetup;
} // namespace tolvane

namespace tolvane::sim {

class AutoRider {
public:
    // The samples taken while the throttle closes at the end drag a record line's mean down:
    // about 1.3 % after 25 samples, under 0.5 % after 75 (three seconds).
    static constexpr int DefaultRecordSamples = 75;

    explicit AutoRider(VirtualDriver& driver, int recordSamples = DefaultRecordSamples)
        : m_driver(driver), m_recordSamples(recordSamples)
    {
    }

    // Once per tick, after the frame was decoded; then the driver's update().
    void steer(const StepController& step);
    void steer(const SweepController& sweep, const TestSetup& setup);

private:
    VirtualDriver& m_driver;
    int m_recordSamples;
};

} // namespace tolvane::sim
