#pragma once
// TAccF, the sweep-test window: the live screen of sweeps, quick sweeps, float-bowl and main-jet
// runs. It shows what the SweepSession decodes (speed, power, acceleration and torque panels, the
// round dials, the status bar of the sweep controller) and forwards the operator's actions; the
// session owns the pipeline and its 40 ms poll, which the window's timer drives.
//
// What the window asks of other windows goes out as signals, which the application wires:
//   saveRequested()              "Save Test", and the controller at the end of every sweep: the
//                                weather check and the save dialog follow. Once the file is
//                                written, the save flow calls savedRun().
//   atmosphericWindowRequested() "Graphs" with unsaved lines, answered Yes: the atmospheric
//                                conditions window comes first (the window stays).
//   graphsRequested()            "Graphs" otherwise: the window has hidden itself; show the main
//                                window maximised.
//   testSetupRequested()         panel "Setup" or popup "Test Setup".
//   demoDynoWindowRequested()    popup "Demo Dyno" (only while the Demo Dyno is the unit).
#include <QString>
#include <QTimer>
#include <QWidget>

#include "core/acquisition/live_display.h"

class QLabel;
class QLayout;
class QLineEdit;
class QMenu;
class QAction;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QSlider;
class QSpinBox;

namespace tolvane {

class Clock;
class Configuration;
class LinkDiagnosticsPanel;
class Prompter;
class RoundDials;
class SweepSession;
class TestSetup;
class UnitSettings;

class TAccF : public QWidget, public LiveDisplay {
    Q_OBJECT
public:
    static constexpr int DefaultPollMs = 40;
    static inline const QString Caption = QStringLiteral("Sweep Test");
    static inline const QString DemoCaption = QStringLiteral(" - Demo Dyno");
    static inline const QString GraphsCaption = QStringLiteral("Cancel test and return to Graph Screen");

    // Everything passed must outlive the window. `libraryRoot` is the test library's root, where
    // "Sweep_Backup" lives; `demoDyno` says the Demo Dyno stands in for the unit.
    TAccF(SweepSession& session, TestSetup& setup, UnitSettings& units, const Configuration& configuration,
          const Clock& clock, Prompter& prompter, QString libraryRoot, bool demoDyno, QWidget* parent = nullptr);
    ~TAccF() override;

    void setLibraryRoot(const QString& root) { m_libraryRoot = root; }

    // The panels.
    QLabel* mphl() const { return m_speed; }
    QLabel* Hpl() const { return m_power; }
    QLabel* Accl() const { return m_acceleration; }
    QLabel* Tql() const { return m_torque; }
    QLabel* speedUnit() const { return m_speedUnit; }
    QLabel* powerUnit() const { return m_powerUnit; }
    QLabel* accelerationUnit() const { return m_accelerationUnit; }
    QLabel* torqueUnit() const { return m_torqueUnit; }
    QLabel* Statusp() const { return m_status; }
    QLabel* TstStat() const { return m_testStatus; }
    RoundDials* RndTach() const { return m_dials; }
    QPushButton* ResetP() const { return m_reset; }
    QPushButton* SaveP() const { return m_save; }
    QPushButton* SetupP() const { return m_setupPanel; }
    QPushButton* GraphP() const { return m_graphs; }
    QPushButton* GraphCaptionP() const { return m_graphsCaption; }
    QMenu* popup() const { return m_popup; }
    QAction* TestSetup1() const { return m_testSetupItem; }
    QAction* GoToGraphs1() const { return m_goToGraphsItem; }
    QAction* ViewUSBPannel1() const { return m_viewUsbItem; }
    QAction* LoadBackup1() const { return m_loadBackupItem; }
    QAction* DemoDyno1() const { return m_demoDynoItem; }
    // Hidden controls: the target and the two sweep settings the operator tunes from here.
    QSpinBox* TrpmE() const { return m_target; }
    QSpinBox* WWRider() const { return m_wwRider; }
    QSpinBox* DrgCo() const { return m_drgCo; }
    QPlainTextEdit* Memo1() const { return m_memo; }
    LinkDiagnosticsPanel* USB_Panel() const { return m_usbPanel; }
    QSlider* TrackBar1() const;
    QScrollBar* ScrollBar2() const;
    QScrollBar* ScrollBar3() const;
    const QTimer& Timer1() const { return m_timer; }

    // One poll tick: the session polls while the window is up; the screen follows.
    void Timer1Timer();

    void ResetPClick();
    void SavePClick();
    void SetupPClick();
    void GraphPClick();
    void ViewUSBPannel1Click();
    void LoadBackup1Click();

    // The save flow wrote the run's file: the memo is cleared, the bar turns blue with "rpm <
    // start to Reset." and the sweep resets (or waits for the engine to drop below the start).
    void savedRun();

    // LiveDisplay
    void showEngineSpeed(const DynoSample& sample) override;
    void showValues(const DisplayedValues& values) override;

signals:
    void saveRequested();
    void atmosphericWindowRequested();
    void graphsRequested();
    void testSetupRequested();
    void demoDynoWindowRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QLayout* buildPanels();
    QWidget* buildActions();
    void buildPopup();
    void buildHiddenControls();
    void FormShow();
    void applySetupAndReport();
    void showUnitLabels();
    void showStatus();
    void showMemo();
    void showCaption();

    SweepSession& m_session;
    TestSetup& m_setup;
    UnitSettings& m_units;
    const Configuration& m_configuration;
    const Clock& m_clock;
    Prompter& m_prompter;
    QString m_libraryRoot;
    bool m_demoDyno;
    QTimer m_timer;
    // The last refusal of the setup's tach ratio or inertia the operator was told about, so a
    // window being dragged larger does not bring the same box on every resize.
    QString m_reportedRefusal;
    int m_lastTarget = 0;

    QLabel* m_speed = nullptr;
    QLabel* m_power = nullptr;
    QLabel* m_acceleration = nullptr;
    QLabel* m_torque = nullptr;
    QLabel* m_speedUnit = nullptr;
    QLabel* m_powerUnit = nullptr;
    QLabel* m_accelerationUnit = nullptr;
    QLabel* m_torqueUnit = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_testStatus = nullptr;
    RoundDials* m_dials = nullptr;
    QPushButton* m_reset = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_setupPanel = nullptr;
    QPushButton* m_graphs = nullptr;
    QPushButton* m_graphsCaption = nullptr;
    QMenu* m_popup = nullptr;
    QAction* m_testSetupItem = nullptr;
    QAction* m_goToGraphsItem = nullptr;
    QAction* m_viewUsbItem = nullptr;
    QAction* m_loadBackupItem = nullptr;
    QAction* m_demoDynoItem = nullptr;
    QSpinBox* m_target = nullptr;
    QSpinBox* m_wwRider = nullptr;
    QSpinBox* m_drgCo = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    LinkDiagnosticsPanel* m_usbPanel = nullptr;
};

} // namespace tolvane
