#pragma once
// The step-test controller: holds the engine at each target of the step script, waits until it
// has been steady inside the recording band for the set number of samples, records, writes one
// averaged record line, loads the engine down ("auto deceleration") and moves to the next target.
// It runs once per accepted sample (the decoder's SampleController hook) and ends every pass by
// setting the brake output.
//
// States, shown by the status bar:
//   Waiting      clGreen   "This Target is  <target>,  apply throttle."
//   Acquiring    clYellow  "Target aquired, recording in T - <AcquireCount>."
//   Recording    clRed     "RECORDING, <RecordCount>Samples."
//   Decelerating clBlue    "Coast down to  <Min Rpm>,  close throttle.Trpm = <target>"
//
// Script lines that are no integer (the throttle headers of a road-load script) are never a
// target: the controller moves on to the next integer line.
#include <QList>
#include <QObject>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <optional>

#include "core/acquisition/event_trace.h"
#include "core/acquisition/live_status.h"
#include "core/acquisition/sample_controller.h"
#include "core/acquisition/step_output.h"
#include "core/common/text_locale.h"

namespace tolvane {

class FrameDecoder;
class Prompter;
class RecordMemo;
class SampleGrid;
class TestSetup;

enum class StepState { Waiting, Acquiring, Recording, Decelerating };

class StepController final : public QObject, public SampleController {
    Q_OBJECT
public:
    static constexpr int MinTarget = 100;
    static constexpr int MaxTarget = 30000;
    static constexpr int AutoDecelRpmPerForce = 400;
    // A deceleration target this close above "Decell rpm:" goes straight to it.
    static constexpr int DecelSnapRpm = 900;
    static inline const QString WarmUpCaption = QStringLiteral("*Warm Up*");
    static inline const QString WarmUpMarker = QStringLiteral("c");
    static inline const QString RestartTitle = QStringLiteral("You clicked: RESTART TEST");
    static inline const QString RestartText = QStringLiteral(
        "In reference to currently recorded data:\r click YES to SAVE data and go to graphs,\r click NO to "
        "DELETE recorded data and restart test, or\r click CANCEL to KEEP recorded data and return to test.");
    static inline const QString ExitTitle = QStringLiteral("Test Data has not been Saved !!!");
    static inline const QString ExitText =
        QStringLiteral("Would you like to save your test data to a file ?");

    // Everything must outlive the controller. The decoder supplies the tach ratio, the calibration
    // (roller factor, record tolerance, deceleration force), the unit factors and StationCorr; the
    // test setup its thresholds, switches and script, read on every pass.
    StepController(FrameDecoder& decoder, SampleGrid& grid, TestSetup& setup, RecordMemo& memo,
                   Prompter& prompter, const TextLocale& locale, QObject* parent = nullptr);

    // SampleController
    GridPhase gridPhase() const override;
    int recordCount() const { return m_recordCount; }
    void runPass(const DynoSample& sample) override;

    StepState state() const { return m_state; }
    // What the status bar shows: the state's colour and text, or a text another window put there
    // (showOperatorStatus) while it stands.
    LiveStatus status() const;
    // "This Target is  <target>,  apply throttle."
    static QString waitingText(int target);
    int target() const { return m_target; }
    // The target as the operator sets the spin edit TrpmE (the tach-ratio window does): clamped
    // to 100 ... 30000. The state and the script index stay as they are.
    void setTargetRpm(int rpm) { setTarget(rpm); }
    // A text and colour another window shows in the status bar (the tach-ratio window's
    // "Set Tech @ ..."). It stands until the controller's own text changes to another state or
    // another count, a target is picked from the list or the test restarts; a new target alone,
    // while the controller keeps waiting, does not replace it. The controller's state is not
    // changed by it.
    void showOperatorStatus(const LiveStatus& status);
    const QStringList& targets() const { return m_targets; }
    // The selected line of the target list.
    int scriptIndex() const { return m_scriptIndex; }
    int acquireCount() const { return m_acquireCount; }
    bool isDecelerating() const { return m_decelActive; }
    bool hasRecordedAtTarget() const { return m_recordedAtTarget; }
    // "*Warm Up*" while warming up, empty otherwise (the caption Warm_Status).
    QString warmUpCaption() const { return m_warmingUp ? WarmUpCaption : QString(); }
    const EventTrace& eventTrace() const { return m_trace; }
    // Power-graph points of this test: (mean engine rpm, corrected power) per record line.
    const QList<QPointF>& recordPoints() const { return m_recordPoints; }
    StepOutput& output() { return m_output; }
    const StepOutput& output() const { return m_output; }

    // The window's switches, all checked at first.
    bool autoRecord() const { return m_autoRecord; }
    bool autoIncrement() const { return m_autoIncrement; }
    bool autoDeceleration() const { return m_autoDeceleration; }
    bool autoWarmUp() const { return m_autoWarmUp; }

    // The tach-ratio window is showing: no recording, and the script does not set the target.
    void setTachWindowShowing(bool showing) { m_tachWindowShowing = showing; }

    // Operator actions.
    void selectTarget(int line);
    void manualRecordPressed();
    void manualRecordReleased();
    void setAutoRecord(bool checked);
    void setAutoDeceleration(bool checked);
    void setAutoIncrement(bool checked);
    void setAutoWarmUp(bool checked);

    // Starting a test from the test setup: the tach ratio, the three switches and the script come
    // from the setup; with an empty record memo the test restarts.
    void startFromSetup();
    // Menu "Restart", showing the window, "Save then test": with recorded lines the operator is
    // asked first. The window closes the gas-analyzer window before and reopens it after.
    RecordedDataChoice restart();
    // "Goto Graphs": the same question; "No" clears the memo.
    RecordedDataChoice leaveForGraphs();
    // "Exit All": asks whether to save when lines were recorded.
    RecordedDataChoice confirmExit();

signals:
    // A record line went into the memo: the gas analyzer starts its delay when it is showing.
    void recordWritten(const QString& line);
    // A recording pass: the gas analyzer, when showing, learns that recording is on.
    void recordingSample();
    // A restart: the window redraws the power graph's reference curve and connects the link.
    void restarted();
    // showOperatorStatus put a text into the status bar: the window shows status() now, without
    // waiting for the next frame.
    void operatorStatusShown();

private:
    void setTarget(qint64 target);
    // The status text is built only when it is shown; a pass keeps the numbers it would show.
    enum class StatusText { Ready, Waiting, Acquiring, Recording, Decelerating };
    void setState(StepState state);
    void showText(StatusText text);
    void takeTargetFromScript();
    void setTargets(const QStringList& lines);
    void stepScript();
    void writeRecordLine();
    void decelerate(double engineRpm);
    RecordedDataChoice askAboutRecordedData();
    float tachRatio();
    void copySwitchesToSetup();

    FrameDecoder& m_decoder;
    SampleGrid& m_grid;
    TestSetup& m_setup;
    RecordMemo& m_memo;
    Prompter& m_prompter;
    TextLocale m_locale;

    StepState m_state = StepState::Waiting;
    StatusText m_statusText = StatusText::Ready;
    int m_statusNumber = 0;
    int m_statusTarget = 0;
    // The operator's text, and the controller's own text (kind and count) it stands over.
    std::optional<LiveStatus> m_operatorStatus;
    StatusText m_operatorOverText = StatusText::Ready;
    int m_operatorOverNumber = 0;
    int m_target = MinTarget;
    QStringList m_targets;
    int m_scriptIndex = 0;
    int m_resolvedLine = -1; // the line m_resolvedTarget was read from
    int m_resolvedTarget = MinTarget;
    int m_acquireCount = 0;
    int m_recordCount = 0;
    bool m_decelActive = false;
    bool m_recordedAtTarget = false;
    bool m_skipRecord = false;
    bool m_warmingUp = false;
    int m_recordCycle = 0;
    bool m_tachWindowShowing = false;

    bool m_autoRecord = true;
    bool m_autoIncrement = true;
    bool m_autoDeceleration = true;
    bool m_autoWarmUp = true;

    EventTrace m_trace;
    QList<QPointF> m_recordPoints;
    StepOutput m_output;
};

} // namespace tolvane
