#include "core/acquisition/spike_checks.h"

#include <cmath>

namespace tolvane {

void SpikeChecks::checkTimeStep(double timeStep, QString& timeStepCell)
{
    if (std::fabs(timeStep) > TimeStepLimit) {
        if (m_timeStepCount < 2) {
            ++m_timeStepCount;
            timeStepCell.prepend(QString::number(m_timeStepCount) + QLatin1Char('*'));
        } else {
            m_timeStepCount = 0;
        }
    } else {
        m_timeStepCount = 0;
    }
}

void SpikeChecks::checkRpmJump(double rpmChange, QString& rpmChangeCell)
{
    if (std::fabs(rpmChange - m_rememberedRpmChange) <= RpmJumpLimit) {
        m_rpmJumpCount = 0;
        m_rememberedRpmChange = rpmChange;
        return;
    }
    if (m_window == LiveWindow::Step) {
        // The step window follows the new level at once: every jump becomes the reference.
        if (m_rpmJumpCount > 3) {
            m_rpmJumpCount = 0;
        } else {
            ++m_rpmJumpCount;
            rpmChangeCell += QLatin1Char('*') + QString::number(m_rpmJumpCount);
        }
        m_rememberedRpmChange = rpmChange;
    } else {
        // The sweep window keeps the old reference through up to four marked jumps.
        if (m_rpmJumpCount < 4) {
            ++m_rpmJumpCount;
            rpmChangeCell += QLatin1Char('*') + QString::number(m_rpmJumpCount);
        } else {
            m_rpmJumpCount = 0;
            m_rememberedRpmChange = rpmChange;
        }
    }
}

bool SpikeChecks::checkForceJump(double forceChange, QString& forceChangeCell)
{
    const double limit = m_window == LiveWindow::Step ? StepForceLimit : SweepForceLimit;
    if (std::fabs(forceChange) > limit && m_forceJumpCount < 2) {
        ++m_forceJumpCount;
        forceChangeCell.prepend(QString::number(m_forceJumpCount) + QLatin1Char('*'));
        // Two spikes in a row are taken for noise; a third is believed as a real change of load.
        return m_window != LiveWindow::Step;
    }
    m_forceJumpCount = 0;
    return true;
}

} // namespace tolvane
