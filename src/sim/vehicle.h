#pragma once
// The Demo Dyno's vehicle: an engine with a full-throttle torque curve, a throttle that meters
// part of it, an idle control and a soft rev limiter, driving the roller through gearing with a
// fixed efficiency and a tyre that loses a little torque rolling on the drum.
//
// Units: engine torque in lb-ft at the crank, wheel torque in lb-ft at the roller shaft (the
// torque the tyre hands to the roller), speeds in rpm, throttle 0 (closed) to 1 (wide open),
// inertia in lb-ft*s^2 referred to the roller.
#include <QString>

#include <vector>

namespace tolvane::sim {

struct TorquePoint {
    double rpm;
    double lbFt;
};

struct VehicleData {
    QString name;
    QString description;
    // Net crank torque at wide-open throttle, rpm ascending; smooth in between.
    std::vector<TorquePoint> fullThrottleTorque;
    double idleRpm = 1200.0;
    double revLimitRpm = 13500.0;
    // Friction and pumping torque: what the engine absorbs with the throttle shut.
    double frictionLbFt = 4.0;
    double frictionLbFtPerRpm = 0.0012;
    // Engine revolutions per roller revolution, with the vehicle's tyre on this dyno's roller.
    double tachRatio = 3.125;
    double drivelineEfficiency = 0.92;
    // Wheel, chain, gearbox and crank referred to the roller (their inertia x ratio squared).
    double drivelineInertia = 0.424;
    // Rolling loss of the tyre on the small drum, lb-ft at the roller.
    double tyreLossLbFt = 2.0;
    double tyreLossLbFtPerRollerRpm = 0.0004;
};

class Vehicle {
public:
    explicit Vehicle(VehicleData data);

    const VehicleData& data() const { return m_data; }
    double tachRatio() const { return m_data.tachRatio; }

    // Crank torque at an engine speed and throttle position; negative when the engine brakes.
    // Includes the idle control (it opens the throttle itself below idle) and the rev limiter.
    double engineTorque(double engineRpm, double throttle) const;
    // Torque the tyre delivers to the roller at that engine speed and throttle, in steady state.
    double wheelTorque(double engineRpm, double throttle) const;
    // The same with the ignition off: the roller turns the dead engine through the drive line.
    double wheelTorqueEngineOff(double engineRpm) const;
    // Full-throttle curve alone, for checks against the shape of the table.
    double fullThrottleTorque(double engineRpm) const;

private:
    double frictionTorque(double engineRpm) const;
    double atRoller(double crankTorque, double engineRpm) const;

    VehicleData m_data;
    // Tangents of the monotone cubic through the table, one per point.
    std::vector<double> m_slopes;
};

} // namespace tolvane::sim
