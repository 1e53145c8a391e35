#include "core/acquisition/step_output.h"

namespace tolvane {

void StepOutput::update(int targetRpm, double engineRpm, float tachRatio)
{
    if (targetRpm > engineRpm)
        m_hold = false;
    if (tachRatio > 0.0f && !m_hold)
        m_code = brakeOutputCode(targetRpm, tachRatio, AoutBarMax);
}

} // namespace tolvane
