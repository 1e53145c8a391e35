#include "app/live_save_flow.h"

#include <QFileInfo>

#include "core/acquisition/acquisition_session.h"
#include "core/acquisition/test_file_fields.h"
#include "core/acquisition/test_file_saver.h"
#include "core/analysis/viewer_state.h"
#include "core/setup/atmospheric_conditions.h"
#include "core/setup/run_conditions.h"
#include "core/setup/test_setup.h"

namespace tolvane {

LiveSaveFlow::LiveSaveFlow(const Parts& parts, QObject* parent) : QObject(parent), m_parts(parts) {}

void LiveSaveFlow::request(LiveWindow window)
{
    m_window = window;
    if (m_parts.atmosphere.chooseConditionsForSave(m_parts.station) ==
        AtmosphericConditions::SaveRoute::ConditionsWindow)
        emit atmosphericWindowRequested();
    else
        emit saveDialogRequested();
}

bool LiveSaveFlow::write(const QString& fullPath, After after)
{
    const QFileInfo target(fullPath);
    const SaveTarget place{m_root, target.path(), target.fileName()};
    const bool sweep = m_window == LiveWindow::Sweep;
    const AcquisitionSession& session =
        sweep ? static_cast<const AcquisitionSession&>(m_parts.sweep) : m_parts.step;
    TestFileHeader header = testFileHeader(m_parts.conditions, m_parts.units, session.decoder().tachRatio());
    setCompanyLines(header, m_parts.configuration);
    const double atmosphericFactor = m_parts.atmosphere.CorrFactor();

    TestFileSaver saver(m_parts.prompter);
    const SaveResult result = saver.save(place, [&](const QString& relativePath) {
        return sweep ? m_parts.sweep.fileLines(header, relativePath, atmosphericFactor)
                     : m_parts.step.fileLines(header, relativePath);
    });
    if (result.outcome != SaveOutcome::Written) {
        // The run stays where it was recorded; the operator picks another name or place.
        emit saveDialogRequested();
        return false;
    }

    m_parts.viewer.setCurrentFile(result.fullPath);
    if (sweep) {
        // The next load of the run filters its spikes; the sweep window clears and resets itself
        // on `written`.
        m_parts.viewer.setSpikeFilterArmed(true);
    } else {
        m_parts.setup.setNotes(m_parts.conditions.notes());
        m_parts.step.memo().clear();
    }
    emit written(result.fullPath);
    if (after == After::Test)
        emit returnToTestRequested(m_window);
    else
        emit graphScreenRequested(result.fullPath);
    return true;
}

} // namespace tolvane
