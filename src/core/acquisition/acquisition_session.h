#pragma once
// AcquisitionSession: the one owner of a live window's pipeline. It wires the Black Box link, the
// frame decoder, the sample grid, the record memo and the window's controller in the order the
// pass needs, and runs the poll of each timer tick: connect while not connected, otherwise check
// the queue, read a frame, decode it (the decoder runs the display hooks and the controller
// pass), and write the brake command twice. The step and sweep windows, the headless Demo Dyno
// runs, the benchmarks and the tests all drive a StepSession or a SweepSession; nobody wires
// these pieces by hand.
//
// The session owns no timer: the window's QTimer (or a test's loop) calls tick() and reads
// link().state().pollTimerRunning to know whether the timer should run.
#include <QObject>
#include <QString>

#include <memory>

#include "core/acquisition/black_box_frame.h"
#include "core/acquisition/black_box_link.h"
#include "core/acquisition/brake_command.h"
#include "core/acquisition/frame_decoder.h"
#include "core/acquisition/live_calibration.h"
#include "core/acquisition/live_window.h"
#include "core/acquisition/record_memo.h"
#include "core/acquisition/sample_grid.h"
#include "core/acquisition/test_data_file.h"
#include "core/common/text_locale.h"

namespace tolvane {

class BlackBoxUsb;
class Clock;
class LiveDisplay;
class Prompter;
class StepController;
class SweepController;
class TestSetup;
class UnitSettings;

// What one tick did.
struct TickResult {
    bool frameRead = false; // a frame was read and decoded (outcome below)
    BlackBoxFrame frame;    // the bytes read, for the diagnostics panel
    DecodeResult decode;
};

class AcquisitionSession : public QObject {
    Q_OBJECT
public:
    ~AcquisitionSession() override;
    AcquisitionSession(const AcquisitionSession&) = delete;
    AcquisitionSession& operator=(const AcquisitionSession&) = delete;

    LiveWindow window() const { return m_window; }
    BlackBoxLink& link() { return m_link; }
    const BlackBoxLink& link() const { return m_link; }
    FrameDecoder& decoder() { return m_decoder; }
    const FrameDecoder& decoder() const { return m_decoder; }
    SampleGrid& grid() { return m_grid; }
    const SampleGrid& grid() const { return m_grid; }
    RecordMemo& memo() { return m_memo; }
    const RecordMemo& memo() const { return m_memo; }
    const Clock& clock() const { return m_clock; }
    TestSetup& setup() { return m_setup; }
    const TestSetup& setup() const { return m_setup; }

    // The calibration read from the configuration when the window is shown (and after a load
    // cell calibration); the unit multipliers from the unit settings.
    void setCalibration(const LiveCalibration& calibration) { m_decoder.setCalibration(calibration); }
    void takeDisplayFactors() { m_decoder.setDisplayFactors(DisplayFactors::of(m_units)); }
    // The window's displays; null for none. Must outlive the session or be reset first.
    void setDisplay(LiveDisplay* display) { m_decoder.setDisplay(display); }

    void connectUnit() { m_link.connectUnit(command()); }
    void disconnectUnit() { m_link.disconnectUnit(); }
    // One poll-timer tick.
    TickResult tick();

    // The brake command the link sends after this tick's frame.
    virtual BlackBoxCommandBytes command() const = 0;
    // The loop settings of the command: the setup's sliders, the sweep window's target rate of
    // acceleration and its two diagnostics sliders.
    BrakeLoopSettings loopSettings() const;
    void setDiagnosticBars(int bar2, int bar3);

signals:
    // After every tick that read a frame: the windows repaint what the hooks changed.
    void frameDecoded(const TickResult& result);

protected:
    AcquisitionSession(LiveWindow window, BlackBoxUsb& usb, const Clock& clock, TestSetup& setup,
                       const UnitSettings& units, const TextLocale& locale, QObject* parent);
    const UnitSettings& units() const { return m_units; }
    const TextLocale& locale() const { return m_locale; }

private:
    LiveWindow m_window;
    const Clock& m_clock;
    TestSetup& m_setup;
    const UnitSettings& m_units;
    TextLocale m_locale;
    BlackBoxLink m_link;
    SampleGrid m_grid;
    FrameDecoder m_decoder;
    RecordMemo m_memo;
    int m_bar2 = BrakeLoopSettings().bar2;
    int m_bar3 = BrakeLoopSettings().bar3;
};

// The step-test and road-load window's pipeline: 12-byte frames, the step controller, the
// brake code held in the diagnostics slider AOUTBarS.
class StepSession final : public AcquisitionSession {
    Q_OBJECT
public:
    // Everything passed must outlive the session.
    StepSession(BlackBoxUsb& usb, const Clock& clock, TestSetup& setup, const UnitSettings& units,
                Prompter& prompter, const TextLocale& locale, QObject* parent = nullptr);
    ~StepSession() override;

    StepController& controller() { return *m_controller; }
    const StepController& controller() const { return *m_controller; }
    BlackBoxCommandBytes command() const override;

    // The test file of the record memo, saved now under `relativePath` (line 2): the header
    // brings the conditions, notes, units and company; the path, the save time and the tach ratio
    // in use are filled in here.
    QStringList fileLines(TestFileHeader header, const QString& relativePath) const;

private:
    std::unique_ptr<StepController> m_controller;
};

// The sweep window's pipeline: 9-byte frames read when the unit has sent them, the sweep
// controller, the settings in the command's tail.
class SweepSession final : public AcquisitionSession {
    Q_OBJECT
public:
    SweepSession(BlackBoxUsb& usb, const Clock& clock, TestSetup& setup, const UnitSettings& units,
                 Prompter& prompter, const TextLocale& locale, QObject* parent = nullptr);
    ~SweepSession() override;

    SweepController& controller() { return *m_controller; }
    const SweepController& controller() const { return *m_controller; }
    BlackBoxCommandBytes command() const override;

    // The tach ratio and the inertia of the sweep come from the setup's texts when the setup is
    // applied; a text that is no number above 0 leaves the value in use and is named in the
    // returned message, so the window can tell the operator.
    QString applySetup();

    // The test file of the run in the grid (marked rows purged), as StepSession::fileLines;
    // `atmosphericFactor` is the atmospheric window's factor that the "Max" lines quote, the
    // header's correction text the factor the curve is corrected with.
    QStringList fileLines(TestFileHeader header, const QString& relativePath, double atmosphericFactor) const;

private:
    std::unique_ptr<SweepController> m_controller;
};

} // namespace tolvane
