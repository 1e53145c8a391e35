// The Demo Dyno read by the program's own frame decoder, calibrated with the dyno's load-cell
// offset and span and set up with its tach ratio and setup inertia: the decoded power is the
// vehicle's wheel power, held (step window) and while sweeping (sweep window).
#include <gtest/gtest.h>

#include "core/acquisition/frame_decoder.h"
#include "core/acquisition/sample_grid.h"
#include "dyno_harness.h"

namespace tolvane::sim::test {
namespace {

struct LiveDecoder {
    explicit LiveDecoder(LiveWindow window, const DemoDyno& dyno)
        : grid(window), decoder(window, grid, TextLocale::standard())
    {
        LiveCalibration calibration = LiveCalibration::defaults(window);
        calibration.loadOffset = dyno.loadCellOffset();
        calibration.loadSpan = dyno.loadCellSpan();
        decoder.setCalibration(calibration);
        decoder.setTachRatio(static_cast<float>(dyno.trueTachRatio()));
        decoder.setInertia(static_cast<float>(dyno.setupInertia()));
    }

    // One poll as the window makes it: the frame of the window's size, decoded at the clock.
    FrameOutcome poll(DynoHarness& h)
    {
        h.clock.advanceMs(40);
        const int size = BlackBoxFrame::sizeFor(decoder.window());
        quint8 bytes[12] = {};
        quint32 got = 0;
        EXPECT_EQ(h.dyno.read(h.handle, bytes, quint32(size), got), F32xStatus::Success);
        const FrameOutcome outcome =
            decoder.decode(BlackBoxFrame(decoder.window(), bytes, got), h.clock.now()).outcome;
        h.driver.update();
        return outcome;
    }

    SampleGrid grid;
    FrameDecoder decoder;
};

TEST(DemoDynoWithDecoder, StepWindowPowerIsTheWheelPower)
{
    for (const double target : {4000.0, 8000.0, 12000.0}) {
        DynoHarness h;
        LiveDecoder live(LiveWindow::Step, h.dyno);
        h.driver.reach(target);
        h.holdEngineRpm(target);
        for (int i = 0; i < 400; ++i)
            live.poll(h);
        const DynoSample& s = live.decoder.sample();
        EXPECT_NEAR(s.engineRpm, target, 2.0);
        const double truth = h.dyno.trueWheelPower(s.engineRpm, 1.0);
        EXPECT_NEAR(s.smoothedPower, truth, truth * 0.005) << target;
    }
}

TEST(DemoDynoWithDecoder, SweepWindowPowerIsTheWheelPowerWhileAccelerating)
{
    DynoHarness h;
    LiveDecoder live(LiveWindow::Sweep, h.dyno);
    h.driver.sweepHold(3000);
    h.holdEngineRpm(3000);
    for (int i = 0; i < 150; ++i)
        live.poll(h);
    h.driver.sweepRun();
    int checked = 0;
    while (live.decoder.sample().engineRpm < 11500.0 && checked < 1000) {
        h.command(32768, 20);
        ASSERT_EQ(live.poll(h), FrameOutcome::Accepted);
        const DynoSample& s = live.decoder.sample();
        if (s.engineRpm > 4000.0) {
            // One frame's difference: the speed noise shows, so allow a little more than a
            // run's smoothed values would need.
            const double truth = h.dyno.trueWheelPower(s.engineRpm, 1.0);
            EXPECT_NEAR(s.power, truth, truth * 0.04) << s.engineRpm;
            EXPECT_NEAR(s.angularAcceleration, 20.0, 2.0) << s.engineRpm;
        }
        ++checked;
    }
    EXPECT_GT(checked, 200);
}

} // namespace
} // namespace tolvane::sim::test
