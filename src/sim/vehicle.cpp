#include "sim/vehicle.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tolvane::sim {

namespace {

// The idle control opens the throttle up to this far as the engine falls to idle speed, and
// starts opening it this many rpm above idle, so the engine settles just above its idle speed.
constexpr double IdleThrottle = 0.05;
constexpr double IdleControlStartAbove = 50.0;
constexpr double IdleControlSpan = 200.0;

// The limiter retards and cuts over a short band centred on the limit instead of a hard
// on/off cut: the engine then sits at the limit without a state to carry between steps.
constexpr double LimiterBand = 200.0;

// Below this roller speed the tyre loss fades to nothing, so a stopped roller is not pushed
// backwards by its own rolling resistance.
constexpr double TyreLossFadeRpm = 20.0;

// The share of the full-throttle air flow a throttle opening lets through: a small opening
// fills the engine at low speed but starves it at high speed.
double throttleFill(double throttle, double engineRpm)
{
    const double c = 0.02 + 0.15 * std::max(engineRpm, 0.0) / 6000.0;
    return throttle * (1.0 + c) / (throttle + c);
}

} // namespace

Vehicle::Vehicle(VehicleData data) : m_data(std::move(data))
{
    // Fritsch-Carlson tangents: the curve passes through every point without overshooting
    // between them, so a table with a flat top does not grow a bump the bike does not have.
    const auto& p = m_data.fullThrottleTorque;
    const std::size_t n = p.size();
    m_slopes.assign(n, 0.0);
    if (n < 2)
        return;
    std::vector<double> secant(n - 1);
    for (std::size_t i = 0; i + 1 < n; ++i)
        secant[i] = (p[i + 1].lbFt - p[i].lbFt) / (p[i + 1].rpm - p[i].rpm);
    m_slopes[0] = secant[0];
    m_slopes[n - 1] = secant[n - 2];
    for (std::size_t i = 1; i + 1 < n; ++i)
        m_slopes[i] = secant[i - 1] * secant[i] <= 0.0 ? 0.0 : (secant[i - 1] + secant[i]) / 2.0;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (secant[i] == 0.0) {
            m_slopes[i] = m_slopes[i + 1] = 0.0;
            continue;
        }
        const double a = m_slopes[i] / secant[i];
        const double b = m_slopes[i + 1] / secant[i];
        const double h = a * a + b * b;
        if (h > 9.0) {
            const double t = 3.0 / std::sqrt(h);
            m_slopes[i] = t * a * secant[i];
            m_slopes[i + 1] = t * b * secant[i];
        }
    }
}

double Vehicle::fullThrottleTorque(double engineRpm) const
{
    const auto& p = m_data.fullThrottleTorque;
    if (p.empty())
        return 0.0;
    if (engineRpm <= p.front().rpm)
        return p.front().lbFt;
    if (engineRpm >= p.back().rpm)
        return std::max(0.0, p.back().lbFt + m_slopes.back() * (engineRpm - p.back().rpm));
    const auto upper = std::upper_bound(p.begin(), p.end(), engineRpm,
                                        [](double rpm, const TorquePoint& point) { return rpm < point.rpm; });
    const auto i = static_cast<std::size_t>(upper - p.begin()) - 1;
    const double h = p[i + 1].rpm - p[i].rpm;
    const double t = (engineRpm - p[i].rpm) / h;
    const double t2 = t * t;
    const double t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * p[i].lbFt + (t3 - 2 * t2 + t) * h * m_slopes[i] +
           (-2 * t3 + 3 * t2) * p[i + 1].lbFt + (t3 - t2) * h * m_slopes[i + 1];
}

double Vehicle::frictionTorque(double engineRpm) const
{
    return m_data.frictionLbFt + m_data.frictionLbFtPerRpm * std::max(engineRpm, 0.0);
}

double Vehicle::engineTorque(double engineRpm, double throttle) const
{
    const double idleOpening =
        IdleThrottle *
        std::clamp((m_data.idleRpm + IdleControlStartAbove - engineRpm) / IdleControlSpan, 0.0, 1.0);
    const double opening = std::max(std::clamp(throttle, 0.0, 1.0), idleOpening);
    const double limiterCut =
        std::clamp((engineRpm - (m_data.revLimitRpm - LimiterBand / 2)) / LimiterBand, 0.0, 1.0);
    const double friction = frictionTorque(engineRpm);
    const double combustion = (fullThrottleTorque(engineRpm) + friction) * throttleFill(opening, engineRpm);
    return combustion * (1.0 - limiterCut) - friction;
}

double Vehicle::wheelTorque(double engineRpm, double throttle) const
{
    return atRoller(engineTorque(engineRpm, throttle), engineRpm);
}

double Vehicle::wheelTorqueEngineOff(double engineRpm) const
{
    return atRoller(-frictionTorque(engineRpm), engineRpm);
}

double Vehicle::atRoller(double crankTorque, double engineRpm) const
{
    // The drive line loses torque in whichever direction the power flows.
    const double delivered = crankTorque >= 0.0 ? crankTorque * m_data.tachRatio * m_data.drivelineEfficiency
                                                : crankTorque * m_data.tachRatio / m_data.drivelineEfficiency;
    const double rollerRpm = std::max(engineRpm, 0.0) / m_data.tachRatio;
    const double tyreLoss = (m_data.tyreLossLbFt + m_data.tyreLossLbFtPerRollerRpm * rollerRpm) *
                            std::min(1.0, rollerRpm / TyreLossFadeRpm);
    return delivered - tyreLoss;
}

} // namespace tolvane::sim
