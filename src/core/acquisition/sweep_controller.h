#pragma once
// The sweep-test controller: holds the engine at the start speed until it has been steady there
// for HoldSamples net samples, then sends the sweep code while the operator accelerates to the
// redline (every sample becomes a grid row), brakes the engine back down, and asks once for the
// run to be saved. Runs once per accepted sample (the decoder's SampleController hook), after the
// round dials and before the torque and power of the sample are computed.
//
// States, shown by the status bar:
//   Waiting    clGreen   "Ready", then "Hold throttle steady! Sweep Will Start in <samples still needed>"
//   Recording  clRed     "Recording! Steady Throttle to <redline>"              target SweepCode
//   Braking    clMaroon  " Close throttle! Brakedown to <start speed>"         target engine rpm - 800
//   Complete   clAqua    "Test Complete, save your data or reset."             target 20000
//   Saved      clBlue    "rpm < start to Reset."                               target unchanged
// A reset asked for above the start speed shows "Reset Pending, drop below the Start rpm." in
// the colour of the state and happens on the first sample below the start speed.
#include <QObject>
#include <QString>

#include <cstdint>

#include "core/acquisition/live_status.h"
#include "core/acquisition/sample_controller.h"

namespace tolvane {

class FrameDecoder;
class Prompter;
class RecordMemo;
class SampleGrid;
class TestSetup;

enum class SweepState { Waiting, Recording, Braking, Complete, Saved };

class SweepController final : public QObject, public SampleController {
    Q_OBJECT
public:
    static constexpr int HoldSamples = 30;
    static constexpr int HoldBandRpm = 20;
    static constexpr int ResetDropRpm = 200;
    static constexpr int BrakeDownRpm = 800;
    static constexpr int CompleteTarget = 20000;
    static constexpr int MinTarget = 1500;
    static constexpr int MaxTarget = 100000;
    static inline const QString ReadyText = QStringLiteral("Ready");
    static inline const QString CompleteText = QStringLiteral("Test Complete, save your data or reset.");
    static inline const QString SavedText = QStringLiteral("rpm < start to Reset.");
    static inline const QString ResetPendingText = QStringLiteral("Reset Pending, drop below the Start rpm.");
    static inline const QString ResetTitle = QStringLiteral("Reset will DELETE ALL data!");
    static inline const QString ResetText = QStringLiteral("Are You Sure You Want erase all data?");
    static inline const QString LeaveTitle = QStringLiteral("You have not saved your last Test!");
    static inline const QString LeaveText =
        QStringLiteral("Would you like to save your data before you leave?");

    // Everything must outlive the controller; the decoder supplies the tach ratio of the code, the
    // test setup the start speed ("Min Rpm:") and the redline, read on every pass.
    SweepController(FrameDecoder& decoder, SampleGrid& grid, const TestSetup& setup, RecordMemo& memo,
                    Prompter& prompter, QObject* parent = nullptr);

    // SampleController
    GridPhase gridPhase() const override;
    void runPass(const DynoSample& sample) override;

    SweepState state() const { return m_state; }
    const LiveStatus& status() const { return m_status; }
    int target() const { return m_target; }
    int holdCount() const { return m_holdCount; }
    bool isResetPending() const { return m_resetPending; }
    // The output code of the brake command: the sweep code is sent as it stands.
    std::int64_t outputCode() const;

    // Panel "Reset" (also the end of a save): true when the run was reset, false when the reset is
    // pending until the engine is below the start speed or the operator kept the recorded data.
    bool reset();
    // A save has written the run: "rpm < start to Reset.", then the reset.
    void saved();
    // "Graphs": with lines in the record memo the operator may save first.
    RecordedDataChoice leaveForGraphs();

signals:
    // The run is complete: the weather check and the save dialog follow. Once per run.
    void saveRequested();

private:
    void setTarget(std::int64_t target);
    void enter(SweepState state);
    void showText(const QString& text);

    FrameDecoder& m_decoder;
    SampleGrid& m_grid;
    const TestSetup& m_setup;
    RecordMemo& m_memo;
    Prompter& m_prompter;

    SweepState m_state = SweepState::Waiting;
    LiveStatus m_status{ReadyText, StatusColour::Waiting};
    int m_target = MinTarget;
    int m_holdCount = 0;
    double m_engineRpm = 0.0;
    bool m_saveRequested = false;
    bool m_resetPending = false;
};

} // namespace tolvane
