#include "sim/brake_loop.h"

#include <algorithm>
#include <numbers>

namespace tolvane::sim {

namespace {

// Integral gain: coil demand per rpm*s of speed error at feedback divider 1. With the default
// divider of 3 and the demo roller it puts the loop's natural frequency near 2 Hz.
constexpr double IntegralGain = 0.49;
// Seconds of anticipation per step of the acceleration multiplication, beyond a small base
// the loop always has; the default 16 damps the demo roller to a short, quick settle.
constexpr double RateTermPerStep = 0.0065;
constexpr int RateTermBase = 2;
// How far the running target of a controlled acceleration may lead the roller.
constexpr double RampLeadRpm = 20.0;
// The program's acceleration unit: rad/s per 0.864 s.
constexpr double ProgramTimeUnitSeconds = 0.864;

constexpr int MaxMultiplication = 31;
constexpr int MinDivider = 1;
constexpr int MaxDivider = 20;

} // namespace

bool BrakeLoop::applyCommand(const quint8* bytes, quint32 count)
{
    if (bytes == nullptr || count < CommandSize || bytes[0] != Header0 || bytes[1] != Header1)
        return false;
    m_multiplication = std::min<int>(bytes[2], MaxMultiplication);
    m_divider = std::clamp<int>(bytes[3], MinDivider, MaxDivider);
    m_code = static_cast<quint16>(bytes[4] | (bytes[5] << 8));
    m_rate = bytes[6];
    m_hasCommand = true;
    return true;
}

double BrakeLoop::targetRateRpmPerSecond() const
{
    return m_rate / ProgramTimeUnitSeconds * 30.0 / std::numbers::pi;
}

double BrakeLoop::step(double rollerRpm, double dt)
{
    if (!m_hasCommand)
        return 0.0;
    const bool accelerating = m_code >= SweepCode;
    if (accelerating) {
        if (!m_accelerating)
            m_target = rollerRpm;
        m_target = std::min(m_target + targetRateRpmPerSecond() * dt, rollerRpm + RampLeadRpm);
    } else {
        m_target = (m_code - 2) / 4.0;
    }
    m_accelerating = accelerating;

    const double error = rollerRpm - m_target;
    if (!m_started) {
        m_lastError = error;
        m_started = true;
    }
    const double rateTerm = RateTermPerStep * (m_multiplication + RateTermBase);
    // Velocity form: the state is the demand itself (in rpm*s), so holding it inside its range
    // is all the wind-up protection the loop needs.
    const double fullScale = m_divider / IntegralGain;
    m_integral = std::clamp(m_integral + error * dt + rateTerm * (error - m_lastError), 0.0, fullScale);
    m_lastError = error;
    return m_integral / fullScale;
}

} // namespace tolvane::sim
