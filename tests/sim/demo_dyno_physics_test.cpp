// The Demo Dyno's physics against its own ground truth, read back through the frames.
#include <gtest/gtest.h>

#include <algorithm>

#include "dyno_harness.h"
#include "sim/vehicle_presets.h"

namespace tolvane::sim::test {
namespace {

constexpr double RadPerSecondPerRpm = 0.10472;
constexpr double FrameSeconds = 0.04;
// The program's time step unit, seconds.
constexpr double TimeUnit = 0.864;

DemoDyno::Options quiet(const char* vehicle)
{
    return {QString::fromLatin1(vehicle), 1, 0.0};
}

// Runs until the engine is held within 5 rpm of the target, then `seconds` more.
std::vector<DecodedFrame> settleAt(DynoHarness& h, double engineRpm, double seconds)
{
    h.driver.reach(engineRpm);
    h.holdEngineRpm(engineRpm);
    for (int i = 0; i < 1000; ++i) {
        if (std::abs(h.tick().rollerRpm * h.dyno.trueTachRatio() - engineRpm) < 5.0)
            break;
    }
    return h.run(seconds);
}

struct HoldCase {
    const char* vehicle;
    double engineRpm;
};

class SteadyHold : public ::testing::TestWithParam<HoldCase> {};

TEST_P(SteadyHold, ForcePlusDragEqualsTheWheelTorque)
{
    const HoldCase c = GetParam();
    DynoHarness h({QString::fromLatin1(c.vehicle), 7, 1.0});
    const auto frames = settleAt(h, c.engineRpm, 4.0);
    const std::size_t from = 25; // the last 3 s
    const double rpm = meanOf(frames, from, &DecodedFrame::rollerRpm);
    const double force = meanOf(frames, from, &DecodedFrame::force);
    const double roller = (outputCodeFor(c.engineRpm, h.dyno.trueTachRatio()) - 2) / 4.0;
    EXPECT_NEAR(rpm, roller, 0.3);
    const double truth = h.dyno.trueWheelTorque(rpm * h.dyno.trueTachRatio(), 1.0);
    EXPECT_NEAR(force + DemoDyno::RollerDragPerRpm * rpm, truth, 0.2);
    for (std::size_t i = from; i < frames.size(); ++i) {
        EXPECT_NEAR(frames[i].force, force, 1.5) << "frame " << i;
        EXPECT_NEAR(frames[i].rollerRpm, roller, 1.0) << "frame " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Vehicles, SteadyHold,
                         ::testing::Values(HoldCase{"stock", 3000}, HoldCase{"stock", 8000},
                                           HoldCase{"stock", 12000}, HoldCase{"tuned", 10500},
                                           HoldCase{"middleweight", 5000}, HoldCase{"middleweight", 14000}));

TEST(DemoDynoPhysics, FreeAccelerationIsWheelTorqueOverInertia)
{
    const HoldCase cases[] = {
        {"stock", 3000}, {"stock", 6000}, {"stock", 9000}, {"tuned", 9000}, {"middleweight", 6000}};
    for (const HoldCase& c : cases) {
        DynoHarness h(quiet(c.vehicle));
        settleAt(h, c.engineRpm, 1.0);
        h.driver.manual(1.0);
        h.command(25000); // far above: the loop lets go
        const auto frames = h.run(0.6);
        // Skip the coil's decay; measure over the next 8 frames.
        const DecodedFrame& a = frames[4];
        const DecodedFrame& b = frames[12];
        const double measured = (b.rollerRpm - a.rollerRpm) * RadPerSecondPerRpm / (8 * FrameSeconds);
        const double mid = (a.rollerRpm + b.rollerRpm) / 2;
        const double expected =
            (h.dyno.trueWheelTorque(mid * h.dyno.trueTachRatio(), 1.0) - DemoDyno::RollerDragPerRpm * mid) /
            h.dyno.rotatingInertia();
        EXPECT_NEAR(measured, expected, expected * 0.02) << c.vehicle << " from " << c.engineRpm;
        EXPECT_LT(b.force, 0.05) << "brake off";
    }
}

TEST(DemoDynoPhysics, RevLimiterHoldsTheEngineAtItsLimit)
{
    for (const QString& name : vehiclePresetNames()) {
        DynoHarness h({name, 1, 0.0});
        h.driver.reach(30000);
        const auto frames = h.run(20.0);
        const double limit = h.dyno.vehicle().data().revLimitRpm;
        double highest = 0.0;
        for (const DecodedFrame& f : frames)
            highest = std::max(highest, f.rollerRpm * h.dyno.trueTachRatio());
        EXPECT_LE(highest, limit + 100.0) << name.toStdString();
        EXPECT_NEAR(frames.back().rollerRpm * h.dyno.trueTachRatio(), limit, 100.0) << name.toStdString();
        EXPECT_LE(highest / h.dyno.trueTachRatio(), 6300.0);
    }
}

TEST(DemoDynoPhysics, CoastDownFollowsEngineBrakingAndSettlesAtIdle)
{
    DynoHarness h(quiet("stock"));
    settleAt(h, 11000, 1.0);
    h.driver.coast();
    h.command(25000);
    const auto frames = h.run(1.0);
    // The throttle shuts within a sixth of a second and the coil lets go faster.
    const DecodedFrame& a = frames[8];
    const DecodedFrame& b = frames[16];
    const double measured = (b.rollerRpm - a.rollerRpm) * RadPerSecondPerRpm / (8 * FrameSeconds);
    const double mid = (a.rollerRpm + b.rollerRpm) / 2;
    const double expected =
        (h.dyno.trueWheelTorque(mid * h.dyno.trueTachRatio(), 0.0) - DemoDyno::RollerDragPerRpm * mid) /
        h.dyno.rotatingInertia();
    EXPECT_LT(expected, 0.0);
    EXPECT_NEAR(measured, expected, std::abs(expected) * 0.03);

    const auto later = h.run(40.0);
    const double idle = h.dyno.vehicle().data().idleRpm;
    const double engine = later.back().rollerRpm * h.dyno.trueTachRatio();
    EXPECT_GE(engine, idle - 20.0);
    EXPECT_LE(engine, idle + 100.0);
}

struct SweepCase {
    const char* vehicle;
    int rate;
    double redline;
};

class ControlledAcceleration : public ::testing::TestWithParam<SweepCase> {};

// The sweep as the program computes it: rows 4 frames either side give the acceleration, the
// setup inertia turns it into torque, the drag term is added back.
TEST_P(ControlledAcceleration, HoldsTheRateAndTheSweepPowerMatchesTheWheelPower)
{
    const SweepCase c = GetParam();
    DynoHarness h({QString::fromLatin1(c.vehicle), 3, 1.0});
    h.driver.sweepHold(3000);
    h.holdEngineRpm(3000);
    h.run(6.0);
    h.driver.sweepRun();
    std::vector<DecodedFrame> sweep;
    while (sweep.size() < 2000) {
        h.command(32768, c.rate);
        sweep.push_back(h.tick());
        if (sweep.back().rollerRpm * h.dyno.trueTachRatio() >= c.redline)
            break;
    }
    ASSERT_LT(sweep.size(), 2000u);
    const double tach = h.dyno.trueTachRatio();
    const double inertia = h.dyno.setupInertia();
    int checked = 0;
    for (std::size_t r = 10; r + 4 < sweep.size(); ++r) {
        const double rate = (sweep[r + 4].rollerRpm - sweep[r - 4].rollerRpm) * RadPerSecondPerRpm /
                            (8 * FrameSeconds / TimeUnit);
        const double rpm = sweep[r].rollerRpm;
        const double power =
            rpm * (sweep[r].force + rpm * DemoDyno::RollerDragPerRpm + inertia * rate) / 5252;
        const double truth = h.dyno.trueWheelPower(rpm * tach, 1.0);
        EXPECT_NEAR(rate, c.rate, c.rate * 0.05) << "at " << rpm * tach;
        EXPECT_NEAR(power, truth, truth * 0.02) << "at " << rpm * tach;
        EXPECT_GE(sweep[r].force, -1.0);
        EXPECT_LE(sweep[r].force, 300.0);
        ++checked;
    }
    EXPECT_GT(checked, 100);
}

INSTANTIATE_TEST_SUITE_P(Vehicles, ControlledAcceleration,
                         ::testing::Values(SweepCase{"stock", 20, 12000}, SweepCase{"stock", 10, 12000},
                                           SweepCase{"tuned", 25, 13000},
                                           SweepCase{"middleweight", 20, 14000}));

// The brake-down after a sweep loads the engine as hard as the brake can; the reaction must
// stay inside what the unit reports as plausible.
TEST(DemoDynoPhysics, FullBrakeStaysInsideTheLoadCellRange)
{
    DynoHarness h({QStringLiteral("tuned"), 5, 1.0});
    settleAt(h, 13000, 0.5);
    h.driver.coast();
    h.command(2); // hold the roller at 0: full brake
    double highest = 0.0;
    for (const DecodedFrame& f : h.run(3.0))
        highest = std::max(highest, f.force);
    EXPECT_GT(highest, 250.0);
    EXPECT_LE(highest, 300.0);
}

// The load-cell calibration: engine off, roller standing, then a known weight on the arm.
TEST(DemoDynoPhysics, StandingRollerReadsZeroPeriodAndTheArmWeight)
{
    DynoHarness h(quiet("stock"));
    h.dyno.setEngineRunning(false);
    const auto frames = h.run(15.0);
    EXPECT_EQ(frames.back().period, 0u);
    EXPECT_EQ(h.dyno.rollerRpm(), 0.0);

    struct Case {
        double pounds;
        quint32 count;
    };
    for (const Case c : {Case{0.0, 4096}, Case{50.0, 9096}, Case{123.45, 16441}}) {
        h.dyno.setArmWeight(c.pounds);
        const DecodedFrame f = h.tick();
        EXPECT_EQ(f.load, c.count) << c.pounds;
        EXPECT_NEAR(f.force, c.pounds * DemoDyno::TorqueArmFeet, 0.005);
        EXPECT_EQ(f.period, 0u);
    }

    h.dyno.setArmWeight(0.0);
    h.dyno.setEngineRunning(true);
    h.run(5.0);
    EXPECT_NEAR(h.dyno.engineRpm(), h.dyno.vehicle().data().idleRpm, 100.0) << "starts and idles again";
}

TEST(DemoDynoPhysics, SetupInertiaOfTheStockBikeIsTheSetupDefault)
{
    ManualClock clock;
    DemoDyno dyno(clock);
    EXPECT_DOUBLE_EQ(dyno.trueTachRatio(), 3.125);
    EXPECT_NEAR(dyno.setupInertia(), 3.5, 1e-9);
    EXPECT_NEAR(dyno.rotatingInertia(), 3.5 * 0.864, 1e-9);
}

std::vector<QByteArray> recordRun(const DemoDyno::Options& options)
{
    DynoHarness h(options);
    std::vector<QByteArray> frames;
    h.driver.reach(7000);
    h.holdEngineRpm(7000);
    for (int i = 0; i < 150; ++i) {
        h.clock.advanceMs(40);
        quint8 bytes[12] = {};
        quint32 got = 0;
        h.dyno.read(h.handle, bytes, 12, got);
        frames.emplace_back(reinterpret_cast<const char*>(bytes), 12);
        h.driver.update();
        if (i == 100)
            h.driver.coast();
    }
    return frames;
}

TEST(DemoDynoPhysics, ARunIsDeterminedByItsSeed)
{
    EXPECT_EQ(recordRun({QStringLiteral("stock"), 42, 1.0}), recordRun({QStringLiteral("stock"), 42, 1.0}));
    EXPECT_NE(recordRun({QStringLiteral("stock"), 42, 1.0}), recordRun({QStringLiteral("stock"), 43, 1.0}));
    EXPECT_EQ(recordRun({QStringLiteral("stock"), 42, 0.0}), recordRun({QStringLiteral("stock"), 43, 0.0}))
        << "without noise the seed does not matter";
}

TEST(DemoDynoPhysics, ClockJumpsNeitherReplayNorStall)
{
    DynoHarness h(quiet("stock"));
    quint8 bytes[12] = {};
    quint32 got = 0;
    h.clock.advanceMs(24LL * 3600 * 1000); // a day later: skipped, not simulated
    EXPECT_EQ(h.dyno.read(h.handle, bytes, 12, got), F32xStatus::Success);

    h.clock.set(h.clock.now() - 1.0); // set back a day: frames keep coming every 40 ms
    EXPECT_EQ(h.dyno.read(h.handle, bytes, 12, got), F32xStatus::RxQueueNotReady);
    h.clock.advanceMs(40);
    EXPECT_EQ(h.dyno.read(h.handle, bytes, 12, got), F32xStatus::Success);
    EXPECT_EQ(got, 12u);
}

} // namespace
} // namespace tolvane::sim::test
