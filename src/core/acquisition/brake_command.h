#pragma once
// The 9-byte command the live windows send to the Black Box after every frame: the roller-speed
// target the unit's own loop holds, and the loop settings.
//
//   byte 0, 1  0x55 0x88
//   byte 2     acceleration multiplication (test setup slider AMFSB, 0..31, default 16)
//   byte 3     feedback divider (test setup slider FDFSB, 1..20, default 3)
//   byte 4, 5  output code, low byte then high byte
//   byte 6..8  step window: 0x10 0x11 0x12;
//              sweep window: target rate of acceleration (WWRider), diagnostics sliders
//              ScrollBar2 (0..255, default 10) and ScrollBar3 (0..255, default 2)
#include <QByteArray>
#include <QtGlobal>

#include <array>
#include <cstdint>

#include "core/acquisition/live_window.h"

namespace tolvane {

// The two command bytes carry codes 0..65535.
inline constexpr int BrakeCodeMax = 0xFFFF;

// Output code of an engine-rpm target: 4 x round(target / tach ratio) + 2, halves to even, held
// within 0..highest (highest >= 0). The callers check first that the tach ratio is above 0, but
// a ratio near 0 still makes the quotient larger than any integer: it is held while still a
// double, so it comes out as the highest code and never wraps round to a low one, which is full
// brake. A quotient that is not a number counts as a target of 0.
int brakeOutputCode(double targetRpm, float tachRatio, int highest);

// The step window keeps its code in the diagnostics slider AOUTBarS, whose range holds larger
// codes at 25000 (and negative ones at 0).
inline constexpr int AoutBarMax = 25000;
int aoutBarValue(std::int64_t outputCode);

// The sweep window's code: the formula for a target below SweepCode with a tach ratio above 0;
// any other target (the sweep controller's 32768 while a sweep is recorded) is sent as it is.
// Either is held within 0..BrakeCodeMax, so the code is the one the command bytes carry.
inline constexpr int SweepCode = 32768;
int sweepOutputCode(int target, float tachRatio);

struct BrakeLoopSettings {
    int accelerationMultiplication = 16; // AMFSB
    int feedbackDivider = 3;             // FDFSB
    int targetAcceleration = 20;         // WWRider, sweep only
    int bar2 = 10;                       // ScrollBar2, sweep only
    int bar3 = 2;                        // ScrollBar3, sweep only
};

class BrakeCommand {
public:
    static constexpr int Size = 9;

    // Each setting is sent as its low byte. The code is sent in two bytes: a code outside
    // 0..65535 is held at the nearer end rather than wrapped into some unrelated speed.
    BrakeCommand(LiveWindow window, std::int64_t outputCode, const BrakeLoopSettings& settings);

    const std::array<quint8, Size>& bytes() const { return m_bytes; }
    quint8 byte(int index) const { return m_bytes[static_cast<std::size_t>(index)]; }
    QByteArray toByteArray() const;

private:
    std::array<quint8, Size> m_bytes{};
};

} // namespace tolvane
