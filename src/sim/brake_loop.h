#pragma once
// The Black Box's own brake loop, as the Demo Dyno runs it: it takes the 9-byte command the
// program writes after every frame and, a thousand times a second, sets the brake's coil demand
// so that the roller holds the commanded speed.
//
// Command: bytes 0-1 0x55 0x88 (anything else is ignored), byte 2 acceleration multiplication
// (0..31), byte 3 feedback divider (1..20), bytes 4-5 the output code (low byte first), byte 6
// the target rate of acceleration used with a sweep code. Bytes 7-8 are read by no loop here.
//
// Speed hold (code below 32768): target roller rpm = (code - 2) / 4. The loop integrates the
// speed error and adds the acceleration multiplication times the error's rate of change, all
// divided by the feedback divider. The rate term anticipates the target: with a high setting the
// brake comes in early and the roller creeps up without overshoot; with a low one the roller
// overshoots and swings around the target before it settles. A larger divider softens the
// whole loop.
//
// Controlled acceleration (code 32768 and above): the target speed runs up from the roller's
// speed at the commanded rate, in the unit the program shows as acceleration (rad/s per 0.864 s,
// the program's time step), and the same loop follows it. The target never leads the roller by
// more than a few rpm, so an engine that cannot keep up simply gets no brake.
#include <QtGlobal>

namespace tolvane::sim {

class BrakeLoop {
public:
    static constexpr quint8 Header0 = 0x55;
    static constexpr quint8 Header1 = 0x88;
    static constexpr int CommandSize = 9;
    static constexpr int SweepCode = 32768;

    // Takes a command written to the unit; returns false (nothing changes) unless it is a full
    // command with the right header.
    bool applyCommand(const quint8* bytes, quint32 count);

    bool hasCommand() const { return m_hasCommand; }
    quint16 outputCode() const { return m_code; }
    int accelerationMultiplication() const { return m_multiplication; }
    int feedbackDivider() const { return m_divider; }
    // Target rate in roller rpm per second (controlled acceleration only).
    double targetRateRpmPerSecond() const;
    // The speed the loop is holding now, roller rpm.
    double targetRollerRpm() const { return m_target; }

    // One loop period of `dt` seconds at the measured roller speed: returns the coil demand,
    // 0 (brake off) to 1 (full). Before the first command the brake stays off.
    double step(double rollerRpm, double dt);

private:
    bool m_hasCommand = false;
    quint16 m_code = 0;
    int m_multiplication = 16;
    int m_divider = 3;
    quint8 m_rate = 0;
    bool m_accelerating = false;
    bool m_started = false;
    double m_target = 0.0;
    double m_lastError = 0.0;
    double m_integral = 0.0;
};

} // namespace tolvane::sim
