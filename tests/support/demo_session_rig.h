#pragma once
// The live sessions over the Demo Dyno as the program wires them, on a manual clock: the
// setup's defaults with a two-step script, the load cell calibrated to the dyno, and its rider.
// run() ticks a session the way the window's 40 ms timer does.
#include "core/acquisition/acquisition_session.h"
#include "core/common/clock.h"
#include "core/common/scripted_prompter.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"
#include "sim/demo_rider.h"

namespace tolvane::test {

struct DemoSessionRig {
    explicit DemoSessionRig(const sim::DemoDyno::Options& options = {}) : dyno(clock, options)
    {
        setup.DefaultBClick();
        setup.setScript({QStringLiteral("7000"), QStringLiteral("9000")});
        for (AcquisitionSession* session :
             {static_cast<AcquisitionSession*>(&step), static_cast<AcquisitionSession*>(&sweep)}) {
            LiveCalibration calibration = LiveCalibration::defaults(session->window());
            calibration.loadOffset = sim::DemoDyno::LoadCellOffset;
            calibration.loadSpan = sim::DemoDyno::LoadCellSpan;
            session->setCalibration(calibration);
        }
    }

    // Ticks until `done` or the limit; the ticks taken.
    template <typename Done> int run(AcquisitionSession& session, int maxTicks, Done done)
    {
        int ticks = 0;
        while (!done() && ticks < maxTicks) {
            clock.advanceMs(sim::DemoDyno::FrameIntervalMs);
            session.tick();
            ++ticks;
        }
        return ticks;
    }
    void run(AcquisitionSession& session, int ticks)
    {
        run(session, ticks, [] { return false; });
    }

    ScriptedPrompter prompter;
    const TextLocale locale = TextLocale::standard();
    UnitSettings units;
    TestSetup setup{units, prompter, locale};
    ManualClock clock{46366.5};
    sim::DemoDyno dyno;
    StepSession step{dyno, clock, setup, units, prompter, locale};
    SweepSession sweep{dyno, clock, setup, units, prompter, locale};
    sim::DemoRider rider{dyno, step, sweep};
};

} // namespace tolvane::test
