#pragma once
// The rider of the Demo Dyno: does what the live windows ask the operator to do, by watching
// the bike's own tachometer and moving the throttle. A runner tells it the phase each time the
// controller's state changes (it does not guess the phase from the brake command: a hold, a
// brake-down and a deceleration all look alike on the wire) and calls update() once per tick,
// after polling the link.
//
// Phases, and what the runner maps to them:
//   coast()          throttle shut; the engine idles or is braked down. Step: "Decelerating";
//                    sweep: "Braking", "Complete" and after saving; whenever no test runs.
//   reach(rpm, t)    open the throttle to t (default wide open) and keep it there while the
//                    brake holds the engine at the target; ease off only if the engine runs
//                    past the target (no brake holding it), shut at 250 rpm over. Step:
//                    "Waiting", "Acquiring" and "Recording" with the controller's target.
//                    A recording lasts as long as the samples stay in band, so the rider ends
//                    it the way an operator does: once enough samples are in (say a record
//                    count of 25), coast(); the power falls below "Min hp:", the line is
//                    written and the deceleration follows.
//   sweepHold(rpm)   a steady part throttle while the brake holds the start speed, with the
//                    same ease-off above it. Sweep: "Waiting" with the start speed.
//   sweepRun()       wide open to the redline. Sweep: "Recording".
//   manual(t)        the throttle is t, set from outside (a demo window's slider).
#include "sim/demo_dyno.h"

namespace tolvane::sim {

class VirtualDriver {
public:
    enum class Phase { Coast, Reach, SweepHold, SweepRun, Manual };

    // The steady opening held at a sweep's start speed.
    static constexpr double SweepHoldThrottle = 0.4;
    // Above the target the rider starts closing at this many rpm over and is shut at
    // EaseOffSpanRpm further.
    static constexpr double EaseOffStartRpm = 50.0;
    static constexpr double EaseOffSpanRpm = 200.0;

    explicit VirtualDriver(DemoDyno& dyno) : m_dyno(dyno) {}

    void coast();
    void reach(double targetEngineRpm, double throttle = 1.0);
    void sweepHold(double startEngineRpm);
    void sweepRun();
    void manual(double throttle);

    Phase phase() const { return m_phase; }
    double targetRpm() const { return m_target; }

    // Looks at the engine speed now and sets the throttle for the next tick.
    void update();

private:
    void setPhase(Phase phase, double target, double throttle);

    DemoDyno& m_dyno;
    Phase m_phase = Phase::Coast;
    double m_target = 0.0;
    double m_throttle = 0.0;
};

} // namespace tolvane::sim
