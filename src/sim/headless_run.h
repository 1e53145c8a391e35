#pragma once
// A whole step or sweep test run without a window, faster than real time: the Demo Dyno behind
// the real Black Box link, the program's frame decoder and controller, the brake command and the
// test-file writer, all stepped by a manual clock, 40 ms a tick. The rider does what the live
// window's status bar asks of the operator. Used by `tolvane-tool simulate` and the end-to-end
// tests.
//
// A step test ends when every target of the script has its record line and the deceleration
// after the last one is over; a sweep when the controller asks for the save. A test that does not
// get there within the simulated-time limit ends with an error instead of running on.
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

#include "core/acquisition/live_calibration.h"
#include "core/acquisition/test_data_file.h"
#include "core/acquisition/test_file_saver.h"
#include "core/common/text_locale.h"
#include "sim/auto_rider.h"
#include "sim/demo_dyno.h"
#include "sim/truth_comparison.h"

namespace tolvane {
class Prompter;
class TestSetup;
class UnitSettings;
} // namespace tolvane

namespace tolvane::sim {

struct HeadlessOptions {
    TestFileKind kind = TestFileKind::Step;
    DemoDyno::Options dyno;
    // The live window's calibration; the load cell must match the dyno's (see demo_dyno.h).
    LiveCalibration calibration = LiveCalibration::defaults(LiveWindow::Step);
    // The manual clock's start: the test's time of day and the file's date.
    DateTimeValue start = 0.0;
    // The rider ends a step recording once this many samples are in (see auto_rider.h). The
    // smoothing's reach into the run-up drags a line's mean below the steady power by a fixed
    // amount over the recording: about 0.8 % after 25 samples, 0.25 % after 75 (three seconds).
    int recordSamples = AutoRider::DefaultRecordSamples;
    // 0: two minutes plus one minute per step target (step), five minutes (sweep).
    qint64 maxSimulatedMs = 0;
};

class HeadlessRun {
public:
    // The setup's step script, tach ratio and inertia texts and limits drive the test; the
    // setup, units and prompter must outlive the run.
    HeadlessRun(const HeadlessOptions& options, TestSetup& setup, const UnitSettings& units,
                Prompter& prompter, const TextLocale& locale);
    ~HeadlessRun();
    HeadlessRun(const HeadlessRun&) = delete;
    HeadlessRun& operator=(const HeadlessRun&) = delete;

    // Runs the test to its end; false (and error()) when it cannot start or does not finish.
    bool run();
    const QString& error() const;
    qint64 simulatedMs() const;
    const DemoDyno& dyno() const;

    // The file's lines for a relative path, from the header's conditions, units and company
    // (its path, save time and tach ratio are filled in here).
    QStringList fileLines(const TestFileHeader& header, const QString& relativePath) const;
    // Writes the test through the saver (overwrite question, refusal outside the root).
    SaveResult save(const SaveTarget& target, const TestFileHeader& header, Prompter& prompter) const;

    // The data lines of a built file beside the truth (truth_comparison.h).
    std::vector<RecordedPoint> compareWithTruth(const QStringList& fileLines) const;

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

} // namespace tolvane::sim
