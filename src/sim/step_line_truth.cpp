#include "sim/step_line_truth.h"

namespace tolvane::sim {

StepLineTruth::StepLineTruth(int smoothingDepth)
{
    m_smoothing.setDepth(smoothingDepth);
}

void StepLineTruth::addSample(int recordX, const DemoDyno::FrameTruth& frame)
{
    const SampleSmoothing::Means means = m_smoothing.add(static_cast<float>(frame.absorbedPower), 0.0f,
                                                         static_cast<float>(frame.engineRpm));
    if (recordX <= 0)
        return;
    // A recording's x starts again at 1; what an abandoned one left is no part of this one.
    if (recordX == 1)
        m_trace.clear();
    m_trace.addSample(recordX, means.engineRpm, means.power);
}

void StepLineTruth::lineWritten(int recordX, int minSeconds)
{
    double rpmSum = 0.0;
    double powerSum = 0.0;
    int taken = 0;
    for (int x = minSeconds; x <= recordX - minSeconds; ++x) {
        if (const auto point = m_trace.sampleAt(x)) {
            rpmSum += point->rpm;
            powerSum += point->power;
            ++taken;
        }
    }
    m_trace.clear();
    m_lines.push_back(taken > 0 ? Line{rpmSum / taken, powerSum / taken} : Line{});
}

} // namespace tolvane::sim
