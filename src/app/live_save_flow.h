#pragma once
// LiveSaveFlow: how a run recorded in a live window reaches a test file. A save request (the
// step window's "Save Data", the sweep at its end, "Yes" to a leave or restart question) chooses
// the run's conditions: usable weather-station values go straight into the save dialog, otherwise
// the atmospheric conditions window asks first. The save dialog's "Save then test" and
// "Save then Graph" then ask for the file: the sweep file when the sweep window asked, else the
// step file, built by the session that recorded it and written atomically by the saver. Only a
// written file clears what was recorded; a refused, cancelled or failed save keeps it and the
// save dialog comes back.
#include <QObject>
#include <QString>

#include "core/acquisition/live_window.h"

namespace tolvane {

class AtmosphericConditions;
class Configuration;
class Prompter;
class RunConditions;
class StepSession;
class SweepSession;
class TestSetup;
class UnitSettings;
class ViewerState;
class WeatherRecord;

class LiveSaveFlow : public QObject {
    Q_OBJECT
public:
    struct Parts {
        StepSession& step;
        SweepSession& sweep;
        TestSetup& setup;
        RunConditions& conditions;
        AtmosphericConditions& atmosphere;
        const WeatherRecord& station;
        const UnitSettings& units;
        const Configuration& configuration;
        ViewerState& viewer;
        Prompter& prompter;
    };
    enum class After { Test, Graph };

    explicit LiveSaveFlow(const Parts& parts, QObject* parent = nullptr);

    void setRootDirectory(const QString& root) { m_root = root; }
    // The live window whose run the next file holds.
    LiveWindow window() const { return m_window; }

    // A live window asks to save its run.
    void request(LiveWindow window);
    // The save dialog's buttons: write the run to `fullPath`, then go on as `after` says.
    // Returns true when the file was written.
    bool write(const QString& fullPath, After after);

signals:
    void atmosphericWindowRequested();
    void saveDialogRequested();
    // The file is written and is the current run: the browser moves to its folder, and the
    // window that recorded it (window()) starts afresh.
    void written(const QString& fullPath);
    void returnToTestRequested(LiveWindow window);
    void graphScreenRequested(const QString& savedPath);

private:
    Parts m_parts;
    QString m_root;
    LiveWindow m_window = LiveWindow::Step;
};

} // namespace tolvane
