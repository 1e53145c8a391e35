#pragma once
// The step window's running means of power, engine torque and engine rpm over the newest
// SmoothingDepth samples (the diagnostics slider, 2 to 127, default 20). The histories are never
// cleared: after a change of depth the mean takes whatever the deeper entries still hold.
#include <array>

namespace tolvane {

class SampleSmoothing {
public:
    static constexpr int HistorySize = 128;
    static constexpr int MinDepth = 2;
    static constexpr int MaxDepth = 127;
    static constexpr int DefaultDepth = 20;

    struct Means {
        float power = 0.0f;
        float engineTorque = 0.0f;
        float engineRpm = 0.0f;
    };

    int depth() const { return m_depth; }
    // Clamped to MinDepth..MaxDepth, as the slider's range holds it.
    void setDepth(int depth);

    // Puts the values at the head of the histories and returns the means of the newest depth()
    // values including these.
    Means add(float power, float engineTorque, float engineRpm);

private:
    int m_depth = DefaultDepth;
    std::array<float, HistorySize> m_power{};
    std::array<float, HistorySize> m_torque{};
    std::array<float, HistorySize> m_rpm{};
};

} // namespace tolvane
