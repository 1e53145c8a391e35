#include "sim/vehicle_presets.h"

namespace tolvane::sim {

namespace {

// A litre-class sport bike in the gear that gives the setup's default tach ratio: peak torque
// about 80 lb-ft at 10500 rpm, peak power about 173 hp at 12250 rpm, limiter at 13500 rpm. Its
// drive line and the roller together come to the setup's default rotating inertia.
VehicleData stockData()
{
    VehicleData data;
    data.name = QStringLiteral("stock");
    data.description = QStringLiteral("1000 cc sport bike, stock");
    data.fullThrottleTorque = {{1000, 38.0},  {2000, 45.0},  {3000, 50.0},  {4000, 55.0},
                               {5000, 58.0},  {6000, 62.0},  {7000, 68.0},  {8000, 73.0},
                               {9000, 77.0},  {10000, 80.0}, {10500, 80.5}, {11000, 79.5},
                               {12000, 75.5}, {13000, 69.0}, {13500, 66.0}, {14000, 62.0}};
    return data;
}

// The same bike with a full exhaust and a new map: more everywhere above 3000 rpm, most at the
// top, and the limiter raised by 500 rpm.
VehicleData tunedData()
{
    VehicleData data = stockData();
    data.name = QStringLiteral("tuned");
    data.description = QStringLiteral("1000 cc sport bike, exhaust and map");
    data.fullThrottleTorque = {{1000, 38.0},  {2000, 46.0},  {3000, 52.0},  {4000, 57.0},  {5000, 60.0},
                               {6000, 65.0},  {7000, 71.0},  {8000, 76.0},  {9000, 80.0},  {10000, 83.5},
                               {10500, 84.5}, {11000, 84.0}, {12000, 80.5}, {13000, 75.0}, {13500, 72.0},
                               {14000, 68.0}, {14500, 63.0}};
    data.revLimitRpm = 14000.0;
    return data;
}

// A 600 cc sport bike: peaky, about 115 hp at 13500 rpm, limiter at 15500 rpm, a lighter drive
// line and a shorter gear (so a different tach ratio).
VehicleData middleweightData()
{
    VehicleData data;
    data.name = QStringLiteral("middleweight");
    data.description = QStringLiteral("600 cc sport bike, stock");
    data.fullThrottleTorque = {{1000, 22.0},  {2000, 26.0},  {3000, 29.0},  {4000, 32.0},  {5000, 34.0},
                               {6000, 36.0},  {7000, 38.0},  {8000, 40.5},  {9000, 43.0},  {10000, 45.0},
                               {11000, 47.0}, {11500, 47.5}, {12000, 47.0}, {13000, 46.0}, {14000, 43.0},
                               {15000, 39.0}, {16000, 35.0}};
    data.idleRpm = 1400.0;
    data.revLimitRpm = 15500.0;
    data.frictionLbFt = 3.0;
    data.frictionLbFtPerRpm = 0.0009;
    data.tachRatio = 3.4;
    data.drivelineInertia = 0.36;
    return data;
}

} // namespace

QStringList vehiclePresetNames()
{
    return {QStringLiteral("stock"), QStringLiteral("tuned"), QStringLiteral("middleweight")};
}

std::optional<VehicleData> vehiclePreset(const QString& name)
{
    const QString key = name.trimmed().toLower();
    if (key == QLatin1String("stock"))
        return stockData();
    if (key == QLatin1String("tuned"))
        return tunedData();
    if (key == QLatin1String("middleweight"))
        return middleweightData();
    return std::nullopt;
}

} // namespace tolvane::sim
