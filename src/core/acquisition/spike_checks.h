#pragma once
// The three spike checks run on every sample that passed the plausibility limits. Each has its
// own 16-bit counter; a failed check marks its grid cell with the counter and "*", so the row no
// longer reads as numbers. The two windows count differently (see the .cpp). Counters and the
// remembered rpm change live as long as the window.
#include <QString>
#include <QtGlobal>

#include "core/acquisition/live_window.h"

namespace tolvane {

class SpikeChecks {
public:
    static constexpr double TimeStepLimit = 0.3;    // date-time units x 100000 (about 0.26 s)
    static constexpr double RpmJumpLimit = 40.0;    // roller rpm, change against the last change
    static constexpr double StepForceLimit = 5.0;   // force change
    static constexpr double SweepForceLimit = 15.0; // force change

    explicit SpikeChecks(LiveWindow window) : m_window(window) {}

    // A time step above the limit: the first two in a row are marked "<counter>*" in front of
    // the time-step cell, the third resets the counter.
    void checkTimeStep(double timeStep, QString& timeStepCell);
    // A jump of the rpm change against the remembered one: marked "*<counter>" after the
    // rpm-change cell.
    void checkRpmJump(double rpmChange, QString& rpmChangeCell);
    // A force change above the window's limit: marked "<counter>*" in front of the force-change
    // cell. Returns false when the step window drops the sample (the first two of a run of
    // spikes); the sweep window always keeps it.
    bool checkForceJump(double forceChange, QString& forceChangeCell);

    quint16 timeStepCount() const { return m_timeStepCount; }
    quint16 rpmJumpCount() const { return m_rpmJumpCount; }
    quint16 forceJumpCount() const { return m_forceJumpCount; }
    double rememberedRpmChange() const { return m_rememberedRpmChange; }

private:
    LiveWindow m_window;
    quint16 m_timeStepCount = 0;
    quint16 m_rpmJumpCount = 0;
    quint16 m_forceJumpCount = 0;
    double m_rememberedRpmChange = 0.0;
};

} // namespace tolvane
