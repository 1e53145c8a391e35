#pragma once
// The step window's brake output: the output code held in the diagnostics slider AOUTBarS, and
// the output hold. While the hold is set the code keeps its last value, so a target picked below
// the engine's speed takes effect only once the engine has come down to it; the hold is set when
// the operator picks a target and when the test setup is closed with "Test" or "Go Back".
#include <cstdint>

#include "core/acquisition/brake_command.h"

namespace tolvane {

class StepOutput {
public:
    bool isHeld() const { return m_hold; }
    void setHold(bool hold) { m_hold = hold; }

    // The slider's value, 0..AoutBarMax; the operator may move it on the diagnostics panel.
    int code() const { return m_code; }
    void setCode(std::int64_t code) { m_code = aoutBarValue(code); }

    // End of a controller pass: a target above the engine speed releases the hold; with a tach
    // ratio and no hold the slider takes the target's output code.
    void update(int targetRpm, double engineRpm, float tachRatio);

    BrakeCommand command(const BrakeLoopSettings& settings) const
    {
        return BrakeCommand(LiveWindow::Step, m_code, settings);
    }

private:
    bool m_hold = false;
    int m_code = 0;
};

} // namespace tolvane
