#pragma once
// TDisply, the step-test window: the full-screen live screen of the step and road-load tests.
// It shows the StepSession that owns the live pipeline (link, decoder, grid, record memo, step
// controller) and never wires those pieces itself: its 40 ms timer calls the session's tick, the
// decoder calls the window's display hooks, and after each frame the window brings the panels,
// the status bar, the target list, the record memo, the event graph and the power graph up to
// date with the session's models.
//
// The record memo `Memo1` is the session's RecordMemo, bound both ways and backed up at every
// change (StepMemoBinding); a backup left by a test that was neither saved nor cleared (the
// program was killed) is offered back when the window is next shown.
//
// What the window asks of windows that are not its own goes out as signals, wired by the
// application:
//   saveRequested()            "Save Data", "Save Test", Yes to the Restart or Goto Graphs
//                              question, Yes after an inertia measurement: start the save flow.
//   graphsRequested()          "Goto Graphs" went through: the window hid itself; show the main
//                              window maximised.
//   exitAllRequested()         "Exit All" went through: the window hid itself; show the splash
//                              window as the exit screen.
//   testSetupRequested()       "Test Setup": show the test setup window.
//   tachRatioWindowRequested() "Set Tach Ratio": show the tach-ratio window.
//   functionKeyPressed(n)      F2 ... F12 pressed in this window, for the tach-ratio window's
//                              no-load ratio (F1 is the "Hints" item's key).
//   loadCellWindowRequested()  "Calibrate Load cell": show the load-cell calibration window;
//                              reloadCalibration() afterwards re-reads the constants.
//   hintsToggled(show)         "Hints": show the hints window, or close it when the item was
//                              ticked; setHintsShowing() ticks the item.
//   aboutRequested()           "&About...": the splash window, modal, its buttons hidden.
//   demoDynoWindowRequested()  "Demo Dyno" (shown only on the Demo Dyno): its control window.
// The gas-analyzer display, the DAQ calibration and the help browser have no window in this
// program yet; their items stay disabled.
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <memory>

#include "core/acquisition/live_display.h"
#include "core/acquisition/live_status.h"
#include "core/common/data_paths.h"
#include "core/common/text_locale.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTableWidget;

namespace tolvane {

class Configuration;
class GraphSettings;
class Prompter;
class SeriesModel;
class StepDiagnosticsPanel;
class StepGauges;
class StepGraphs;
class StepInertiaMeasurement;
class StepMemoBinding;
class StepPanels;
class StepSession;
class UnitSettings;
class ViewerState;
class WeatherRecord;
struct StepTestMenus;
struct TickResult;

// Everything the window works on; all of it must outlive the window.
struct StepWindowModels {
    StepSession& session;
    UnitSettings& units;
    WeatherRecord& weather;
    const Configuration& configuration; // "ZezeDur_USB.Ini", read for the calibration on showing
    ViewerState& viewer;                // RunCorrection of the reference curve
    const SeriesModel& graphPreview;    // the graph window's series: key 100 is the current run
    const GraphSettings& graphSettings; // the graph window's point tolerance
    Prompter& prompter;
    TextLocale locale;
    DataPaths paths;       // "Tst_Data.tmp" and "LastEventRecorder.bmp"
    QString libraryRoot;   // "Test_Backup"
    bool demoDyno = false; // the session runs on the Demo Dyno, not a real unit
};

class TDisply : public QMainWindow, public LiveDisplay {
    Q_OBJECT
public:
    static constexpr int TimerIntervalMs = 40;
    static inline const QString NoDataText =
        QStringLiteral("No Data coming in, check Black Box and cabling.");

    explicit TDisply(const StepWindowModels& models, QWidget* parent = nullptr);
    ~TDisply() override;

    void setRootDirectory(const QString& root) { m_models.libraryRoot = root; }
    // The tach-ratio window is showing: the controller does not record or follow the script.
    void setTachWindowShowing(bool showing);
    void setHintsShowing(bool showing);
    // After a load-cell calibration: the constants again from the configuration.
    void reloadCalibration();

    // Handlers, public so the tests (and the application) drive them directly.
    void Timer1Timer();
    // The 40 ms poll timer, for measuring the live cost from outside.
    QTimer& Timer1() { return m_timer; }
    void FormShow();
    void FormHide();
    void RestartClick();
    void StopClick();
    void GotoGraphsClick();
    void ExitAllClick();
    void ScriptLBClick(int line);
    void ToggleUSBClick();
    void LoadBackupClick();
    void SaveEventBmpClick();
    // Both "Cal. Inertia" items: starts the measurement, or ends it with the save question.
    void CalInertiaClick();
    // The test setup's "Test": the tach ratio, test name, switches and script from the setup.
    void startFromSetup();

    const StepTestMenus& menus() const { return *m_menus; }
    StepPanels* panels() const { return m_panels; }
    QLabel* Hpl() const;
    QLabel* Statusp() const { return m_status; }
    QPlainTextEdit* Heder() const { return m_heder; }
    QListWidget* ScriptLB() const { return m_scriptLB; }
    QPlainTextEdit* Memo1() const { return m_memo; }
    StepDiagnosticsPanel* USB_Panel() const { return m_diagnostics; }
    StepGraphs& graphs() const { return *m_graphs; }
    // The colour name the status bar shows ("clGreen", ...).
    const QString& statusColour() const { return m_statusShown.colour; }
    bool isMeasuringInertia() const;

    // LiveDisplay
    void showStatusText(const QString& text) override;
    void showEngineSpeed(const DynoSample& sample) override;
    void showLoadGauge(float angularAcceleration, float forceRate) override;
    void showValues(const DisplayedValues& values) override;
    void setPowerPanelTeal(bool teal) override;

signals:
    void saveRequested();
    void graphsRequested();
    void exitAllRequested();
    void testSetupRequested();
    void tachRatioWindowRequested();
    void functionKeyPressed(int n);
    void loadCellWindowRequested();
    void hintsToggled(bool show);
    void aboutRequested();
    void demoDynoWindowRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* buildControls();
    void connectMenus();
    void connectControls();
    void takeUnits();
    void takeStation();
    void afterFrame(const TickResult& result);
    void showStatus(const LiveStatus& status);
    void showControllerStatus();
    void showConnection();
    void showTargets();
    void showSwitches();
    void showTachRatio();
    void onRestarted();
    void handleChoice(RecordedDataChoice choice);
    // Hides the window and sends `request` unless the operator's choice keeps the test here.
    void leaveWith(RecordedDataChoice choice, void (TDisply::*request)());

    StepWindowModels m_models;
    StepSession& m_session;
    QTimer m_timer;
    std::unique_ptr<StepTestMenus> m_menus;
    StepGauges* m_gauges = nullptr;
    StepGraphs* m_graphs = nullptr;
    StepDiagnosticsPanel* m_diagnostics = nullptr;
    StepMemoBinding* m_memoBinding = nullptr;
    std::unique_ptr<StepInertiaMeasurement> m_inertia;

    StepPanels* m_panels = nullptr;
    QLabel* m_tachRatio = nullptr;
    QLabel* m_testName = nullptr;
    QCheckBox* m_autoRec = nullptr;
    QCheckBox* m_autoDecel = nullptr;
    QCheckBox* m_autoInc = nullptr;
    QCheckBox* m_autoWarm = nullptr;
    QPushButton* m_manualRecord = nullptr;
    QListWidget* m_scriptLB = nullptr;
    QLabel* m_status = nullptr;
    QPlainTextEdit* m_heder = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    QTableWidget* m_grid = nullptr;
    QSplitter* m_graphSplitter = nullptr;

    LiveStatus m_statusShown;
    QString m_statusOverride; // a hook's text for this tick instead of the controller's
    bool m_wasOpen = false;
    int m_shownIndex = -1;
    float m_shownRatio = -1.0f;
};

} // namespace tolvane
