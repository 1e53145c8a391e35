#include "core/acquisition/brake_command.h"

#include <algorithm>
#include <cmath>

#include "core/common/number_text.h"

namespace tolvane {

int brakeOutputCode(double targetRpm, float tachRatio, int highest)
{
    double rollerRpm = targetRpm / static_cast<double>(tachRatio);
    if (std::isnan(rollerRpm))
        rollerRpm = 0.0;
    // Beyond these bounds every code lands on an end of the range anyway; within them the
    // rounding is untouched and 4 x the rounded value cannot overflow.
    rollerRpm = std::clamp(rollerRpm, -1.0, highest / 4.0 + 1.0);
    return static_cast<int>(std::clamp<std::int64_t>(4 * roundHalfEven(rollerRpm) + 2, 0, highest));
}

int aoutBarValue(std::int64_t outputCode)
{
    return static_cast<int>(std::clamp<std::int64_t>(outputCode, 0, AoutBarMax));
}

int sweepOutputCode(int target, float tachRatio)
{
    if (tachRatio > 0.0f && target < SweepCode)
        return brakeOutputCode(target, tachRatio, BrakeCodeMax);
    return std::clamp(target, 0, BrakeCodeMax);
}

BrakeCommand::BrakeCommand(LiveWindow window, std::int64_t outputCode, const BrakeLoopSettings& settings)
{
    const auto low = [](int value) { return static_cast<quint8>(value & 0xFF); };
    const auto code = static_cast<quint16>(std::clamp<std::int64_t>(outputCode, 0, BrakeCodeMax));
    m_bytes[0] = 0x55;
    m_bytes[1] = 0x88;
    m_bytes[2] = low(settings.accelerationMultiplication);
    m_bytes[3] = low(settings.feedbackDivider);
    m_bytes[4] = static_cast<quint8>(code & 0xFF);
    m_bytes[5] = static_cast<quint8>(code >> 8);
    if (window == LiveWindow::Step) {
        m_bytes[6] = 0x10;
        m_bytes[7] = 0x11;
        m_bytes[8] = 0x12;
    } else {
        m_bytes[6] = low(settings.targetAcceleration);
        m_bytes[7] = low(settings.bar2);
        m_bytes[8] = low(settings.bar3);
    }
}

QByteArray BrakeCommand::toByteArray() const
{
    return QByteArray(reinterpret_cast<const char*>(m_bytes.data()), Size);
}

} // namespace tolvane
