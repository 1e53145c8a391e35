// The rider: what it does with the throttle in each phase a test asks for.
#include <gtest/gtest.h>

#include "dyno_harness.h"

namespace tolvane::sim::test {
namespace {

TEST(VirtualDriver, EachPhaseSetsItsThrottle)
{
    struct Case {
        const char* what;
        std::function<void(VirtualDriver&)> tell;
        double expected;
    };
    // The bike idles at about 1200 rpm while the rider is told.
    const Case cases[] = {
        {"coast", [](VirtualDriver& d) { d.coast(); }, 0.0},
        {"reach far above", [](VirtualDriver& d) { d.reach(8000); }, 1.0},
        {"reach with a given throttle", [](VirtualDriver& d) { d.reach(8000, 0.6); }, 0.6},
        {"reach a target below idle", [](VirtualDriver& d) { d.reach(500); }, 0.0},
        {"sweep hold below the start", [](VirtualDriver& d) { d.sweepHold(3000); },
         VirtualDriver::SweepHoldThrottle},
        {"sweep run", [](VirtualDriver& d) { d.sweepRun(); }, 1.0},
        {"manual", [](VirtualDriver& d) { d.manual(0.3); }, 0.3},
        {"manual out of range", [](VirtualDriver& d) { d.manual(1.7); }, 1.0},
    };
    for (const Case& c : cases) {
        DynoHarness h;
        c.tell(h.driver);
        h.driver.update();
        EXPECT_DOUBLE_EQ(h.dyno.throttleDemand(), c.expected) << c.what;
    }
}

TEST(VirtualDriver, WithoutABrakeHoldingItTheRiderHoldsNearTheTarget)
{
    DynoHarness h({QStringLiteral("stock"), 1, 0.0});
    h.driver.reach(7000);
    const auto frames = h.run(15.0);
    const double engine = frames.back().rollerRpm * h.dyno.trueTachRatio();
    EXPECT_GT(engine, 7000.0 + VirtualDriver::EaseOffStartRpm);
    EXPECT_LT(engine, 7000.0 + VirtualDriver::EaseOffStartRpm + VirtualDriver::EaseOffSpanRpm);
    EXPECT_GT(h.dyno.throttle(), 0.0);
    EXPECT_LT(h.dyno.throttle(), 1.0);
}

TEST(VirtualDriver, ThrottleMovesAtTheHandsPace)
{
    DynoHarness h;
    h.driver.sweepRun();
    h.tick();
    // One 40 ms tick after the rider was told: the throttle is on its way, not there.
    h.clock.advanceMs(40);
    h.dyno.advanceToNow();
    EXPECT_NEAR(h.dyno.throttle(), DemoDyno::ThrottleRatePerSecond * 0.04, 1e-9);
    h.run(0.2);
    EXPECT_DOUBLE_EQ(h.dyno.throttle(), 1.0);
}

} // namespace
} // namespace tolvane::sim::test
