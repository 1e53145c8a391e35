// The Demo Dyno's rider behind the live sessions: the hand throttle, and the Auto rider that
// rides a step test to its first record line and holds a sweep's start speed, driven by the
// sessions' frames alone (40 ms of the manual clock, one tick).
#include <gtest/gtest.h>

#include "core/acquisition/step_controller.h"
#include "core/acquisition/sweep_controller.h"
#include "support/demo_session_rig.h"

namespace tolvane::sim {
namespace {

using Rig = tolvane::test::DemoSessionRig;

TEST(DemoRider, TheAutoRiderRidesAStepTestToItsFirstRecordLine)
{
    Rig rig;
    rig.step.controller().startFromSetup();
    rig.step.connectUnit();
    ASSERT_TRUE(rig.step.link().isOpen());
    const auto recorded = [&] { return !rig.step.memo().isEmpty(); };

    // By hand with the throttle shut the engine idles: nothing is recorded.
    EXPECT_EQ(rig.run(rig.step, 500, recorded), 500);
    EXPECT_LT(rig.dyno.engineRpm(), 3000.0);

    rig.rider.setAuto(true);
    const int ticks = rig.run(rig.step, 2000, recorded);
    ASSERT_LT(ticks, 2000) << "no record line; engine at " << rig.dyno.engineRpm();
    EXPECT_EQ(rig.rider.liveSession(), &rig.step);
    const QStringList fields = rig.step.memo().lines().constFirst().split(QLatin1Char('\t'));
    ASSERT_GE(fields.size(), 4);
    EXPECT_NEAR(fields[0].toDouble(), 7000.0, 100.0);
    // The line's power is the bike's wide-open power at the target, within the rider's ease-off.
    const double truth = rig.dyno.trueWheelPower(7000.0, 1.0);
    EXPECT_NEAR(fields[2].toDouble(), truth, 0.05 * truth);
}

TEST(DemoRider, TheAutoRiderStopsOnceEveryTargetHasItsLine)
{
    Rig rig;
    rig.step.controller().startFromSetup();
    rig.step.connectUnit();
    rig.rider.setAuto(true);
    const auto allRecorded = [&] { return rig.step.memo().count() == 2; };
    ASSERT_LT(rig.run(rig.step, 5000, allRecorded), 5000) << rig.step.memo().count() << " lines";
    // Twenty seconds on: no third line from the script's start again, the throttle shut.
    rig.run(rig.step, 500);
    EXPECT_EQ(rig.step.memo().count(), 2);
    EXPECT_EQ(rig.dyno.throttleDemand(), 0.0);
    // A restarted test is ridden again.
    rig.step.memo().clear();
    rig.step.controller().restart();
    EXPECT_LT(rig.run(rig.step, 3000, [&] { return !rig.step.memo().isEmpty(); }), 3000);
}

TEST(DemoRider, TheAutoRiderHoldsASweepAtItsStartSpeedThenRunsItWideOpen)
{
    Rig rig;
    rig.setup.setText(TestSetup::Text::InertiaE, QStringLiteral("4.0000"));
    ASSERT_TRUE(rig.sweep.applySetup().isEmpty());
    rig.sweep.controller().reset();
    rig.rider.setAuto(true);
    rig.sweep.connectUnit();
    rig.run(rig.sweep, 1);
    EXPECT_EQ(rig.rider.liveSession(), &rig.sweep);
    EXPECT_EQ(rig.rider.driver().phase(), VirtualDriver::Phase::SweepHold);
    EXPECT_DOUBLE_EQ(rig.dyno.throttleDemand(), VirtualDriver::SweepHoldThrottle);
    const auto recording = [&] { return rig.sweep.controller().state() == SweepState::Recording; };
    ASSERT_LT(rig.run(rig.sweep, 1500, recording), 1500);
    rig.run(rig.sweep, 1);
    EXPECT_EQ(rig.rider.driver().phase(), VirtualDriver::Phase::SweepRun);
    EXPECT_DOUBLE_EQ(rig.dyno.throttleDemand(), 1.0);
}

TEST(DemoRider, TakingTheThrottleEndsTheAutoRiderAndSwitchingLeavesItShut)
{
    Rig rig;
    int changes = 0;
    QObject::connect(&rig.rider, &DemoRider::changed, [&] { ++changes; });
    rig.rider.setThrottlePercent(40);
    EXPECT_DOUBLE_EQ(rig.dyno.throttleDemand(), 0.4);
    rig.rider.setThrottlePercent(140);
    EXPECT_EQ(rig.rider.throttlePercent(), 100);
    rig.rider.setThrottlePercent(-3);
    EXPECT_EQ(rig.rider.throttlePercent(), 0);

    rig.rider.setThrottlePercent(60);
    rig.rider.setAuto(true);
    EXPECT_TRUE(rig.rider.isAuto());
    EXPECT_EQ(rig.dyno.throttleDemand(), 0.0);
    rig.rider.setThrottlePercent(30);
    EXPECT_FALSE(rig.rider.isAuto());
    EXPECT_DOUBLE_EQ(rig.dyno.throttleDemand(), 0.3);
    rig.rider.setAuto(true);
    rig.rider.setAuto(false);
    EXPECT_EQ(rig.rider.throttlePercent(), 0);
    EXPECT_EQ(rig.dyno.throttleDemand(), 0.0);
    EXPECT_EQ(changes, 8);
}

} // namespace
} // namespace tolvane::sim
