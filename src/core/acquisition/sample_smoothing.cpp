#include "core/acquisition/sample_smoothing.h"

#include <algorithm>

namespace tolvane {

void SampleSmoothing::setDepth(int depth)
{
    m_depth = std::clamp(depth, MinDepth, MaxDepth);
}

SampleSmoothing::Means SampleSmoothing::add(float power, float engineTorque, float engineRpm)
{
    m_power[0] = power;
    m_torque[0] = engineTorque;
    m_rpm[0] = engineRpm;
    // Shifting from the deep end keeps entry 0 duplicated into entry 1, so the sum over 1..depth
    // is the newest `depth` values including this one.
    double sumPower = 0.0;
    double sumTorque = 0.0;
    double sumRpm = 0.0;
    for (int i = m_depth; i >= 1; --i) {
        m_power[i] = m_power[i - 1];
        m_torque[i] = m_torque[i - 1];
        m_rpm[i] = m_rpm[i - 1];
        sumPower += m_power[i];
        sumTorque += m_torque[i];
        sumRpm += m_rpm[i];
    }
    const double n = m_depth;
    return {static_cast<float>(sumPower / n), static_cast<float>(sumTorque / n),
            static_cast<float>(sumRpm / n)};
}

} // namespace tolvane
