#pragma once
// The eddy-current brake on the roller. Its coil current follows the unit's demand with the
// coil's own lag; the torque it can make grows with roller speed (eddy currents need motion)
// and levels off towards its rating, so it never stops the roller outright.
//
// Units: demand and current 0..1 of full coil current, torque in lb-ft at the roller.
namespace tolvane::sim {

class EddyCurrentBrake {
public:
    // The rating keeps the reaction on the load cell inside the unit's 300 lb-ft range at every
    // roller speed the unit accepts.
    static constexpr double RatedTorque = 300.0;
    static constexpr double HalfTorqueRollerRpm = 100.0;
    static constexpr double CoilTimeConstant = 0.015; // s

    double capacity(double rollerRpm) const;
    // Moves the coil current towards `demand` over `dt` seconds.
    void step(double demand, double dt);
    double current() const { return m_current; }
    // Braking torque at this roller speed and the present coil current.
    double torque(double rollerRpm) const { return m_current * capacity(rollerRpm); }

private:
    double m_current = 0.0;
};

} // namespace tolvane::sim
