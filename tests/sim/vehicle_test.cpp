// The demo vehicles: curve shapes the demo comparisons rely on, and the unit's limits.
#include <gtest/gtest.h>

#include <algorithm>

#include "sim/demo_dyno.h"
#include "sim/eddy_current_brake.h"
#include "sim/vehicle_presets.h"

namespace tolvane::sim {
namespace {

struct Peak {
    double rpm = 0.0;
    double value = 0.0;
};

template <typename F> Peak peakOf(F f, double from, double to)
{
    Peak best;
    for (double rpm = from; rpm <= to; rpm += 10.0) {
        if (f(rpm) > best.value)
            best = {rpm, f(rpm)};
    }
    return best;
}

TEST(Vehicle, PresetsAreFoundByNameAndUnknownNamesAreNot)
{
    EXPECT_EQ(vehiclePresetNames(), QStringList({"stock", "tuned", "middleweight"}));
    for (const QString& name : vehiclePresetNames()) {
        const auto data = vehiclePreset(name);
        ASSERT_TRUE(data.has_value());
        EXPECT_EQ(data->name, name);
    }
    EXPECT_TRUE(vehiclePreset(" Tuned ").has_value());
    EXPECT_FALSE(vehiclePreset("hayabusa").has_value());
    EXPECT_FALSE(vehiclePreset("").has_value());
}

TEST(Vehicle, CurvesHaveTheirPeaksWhereTheBikeHasThem)
{
    struct Expected {
        const char* name;
        double torquePeakRpm;
        double powerPeakRpm;
        double peakWheelHp;
    };
    const Expected table[] = {
        {"stock", 10500, 12250, 155},
        {"tuned", 10500, 12750, 165},
        {"middleweight", 11500, 13500, 102},
    };
    for (const Expected& e : table) {
        const Vehicle v(*vehiclePreset(e.name));
        const Peak torque = peakOf([&](double n) { return v.fullThrottleTorque(n); }, 2000, 16000);
        const Peak power = peakOf([&](double n) { return v.wheelTorque(n, 1.0) * n / v.tachRatio() / 5252; },
                                  2000, v.data().revLimitRpm - 200);
        EXPECT_NEAR(torque.rpm, e.torquePeakRpm, 300) << e.name;
        EXPECT_NEAR(power.rpm, e.powerPeakRpm, 400) << e.name;
        EXPECT_NEAR(power.value, e.peakWheelHp, e.peakWheelHp * 0.05) << e.name << " " << power.value;
    }
    // The tune makes more than the stock bike everywhere a step test goes.
    const Vehicle stock(*vehiclePreset("stock")), tuned(*vehiclePreset("tuned"));
    for (double n = 3000; n <= 13000; n += 500)
        EXPECT_GT(tuned.wheelTorque(n, 1.0), stock.wheelTorque(n, 1.0)) << n;
}

TEST(Vehicle, ThrottleMetersTorqueAndAShutThrottleBrakes)
{
    const Vehicle v(*vehiclePreset("stock"));
    for (double n : {3000.0, 7000.0, 11000.0}) {
        double last = v.engineTorque(n, 0.0);
        EXPECT_LT(last, 0.0) << "engine braking at " << n;
        for (double t = 0.1; t <= 1.0001; t += 0.1) {
            const double torque = v.engineTorque(n, t);
            EXPECT_GT(torque, last) << n << " rpm, throttle " << t;
            last = torque;
        }
        EXPECT_NEAR(v.engineTorque(n, 1.0), v.fullThrottleTorque(n), 1e-9);
    }
    // Idle control: a shut throttle still keeps the engine turning at idle.
    EXPECT_GT(v.engineTorque(v.data().idleRpm - 100, 0.0), 0.0);
    // The limiter takes the torque away just past the limit.
    EXPECT_LT(v.engineTorque(v.data().revLimitRpm + 100, 1.0), 0.0);
}

// Over every speed a test can reach, the roller stays inside 100..6300 rpm and the roller
// torque (what the brake must absorb to hold the engine) inside the load cell's 300 lb-ft.
TEST(Vehicle, EveryPresetStaysInsideTheUnitsPlausibilityLimits)
{
    const EddyCurrentBrake brake;
    for (const QString& name : vehiclePresetNames()) {
        const Vehicle v(*vehiclePreset(name));
        const double idleRoller = v.data().idleRpm / v.tachRatio();
        const double limitRoller = (v.data().revLimitRpm + 100) / v.tachRatio();
        EXPECT_GE(idleRoller, 100.0) << name.toStdString();
        EXPECT_LE(limitRoller, 6300.0) << name.toStdString();
        for (double n = 3000; n <= v.data().revLimitRpm; n += 100) {
            const double torque = v.wheelTorque(n, 1.0);
            EXPECT_GT(torque, 0.0);
            EXPECT_LT(torque, 280.0) << name.toStdString() << " at " << n;
            EXPECT_GT(brake.capacity(n / v.tachRatio()), torque) << "the brake can hold it";
        }
    }
    EXPECT_LE(brake.capacity(6300.0), 300.0);
}

} // namespace
} // namespace tolvane::sim
