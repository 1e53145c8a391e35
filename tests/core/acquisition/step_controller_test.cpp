// The step-test controller driven pass by pass with samples, as the decoder hands them over.
#include <gtest/gtest.h>

#include <QStringList>

#include <utility>

#include "core/acquisition/frame_decoder.h"
#include "core/acquisition/record_memo.h"
#include "core/acquisition/sample_grid.h"
#include "core/acquisition/step_controller.h"
#include "core/common/scripted_prompter.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"

namespace tolvane {
namespace {

DynoSample sampleAt(double engineRpm, float power = 50.0f, float acceleration = 0.0f)
{
    DynoSample s;
    s.engineRpm = engineRpm;
    s.power = power;
    s.angularAcceleration = acceleration;
    s.smoothedEngineRpm = static_cast<float>(engineRpm);
    s.smoothedPower = power;
    return s;
}

struct StepRig {
    explicit StepRig(const QStringList& script = {QStringLiteral("8000"), QStringLiteral("9000"),
                                                  QStringLiteral("10000")},
                     TextLocale textLocale = TextLocale::standard())
        : locale(textLocale)
    {
        setup.setValue(TestSetup::Spin::MnSec, 2);
        setup.setScript(script);
        decoder.setTachRatio(3.125f);
        controller.restart();
    }

    void pass(const DynoSample& sample) { controller.runPass(sample); }
    void passes(int count, const DynoSample& sample)
    {
        for (int k = 0; k < count; ++k)
            pass(sample);
    }
    // In-band samples at the target until RecordCount reaches n, then one out-of-band sample at
    // `leaveRpm`. The smoothed rpm and power of each pass are 9000 + 10 x and 100 + x, x being the
    // record count the pass is plotted at.
    void recordAndLeave(int n, double leaveRpm)
    {
        const double rpm = controller.target();
        passes(3 * setup.value(TestSetup::Spin::MnSec), sampleAt(rpm));
        while (controller.recordCount() < n) {
            DynoSample s = sampleAt(rpm);
            const int x = controller.recordCount();
            s.smoothedEngineRpm = static_cast<float>(9000 + 10 * x);
            s.smoothedPower = static_cast<float>(100 + x);
            pass(s);
        }
        DynoSample out = sampleAt(leaveRpm, 0.0f);
        out.smoothedEngineRpm = static_cast<float>(9000 + 10 * n);
        out.smoothedPower = static_cast<float>(100 + n);
        pass(out);
    }

    ScriptedPrompter prompter;
    TextLocale locale;
    UnitSettings units;
    TestSetup setup{units, prompter, locale};
    SampleGrid grid{LiveWindow::Step};
    FrameDecoder decoder{LiveWindow::Step, grid, locale};
    RecordMemo memo;
    StepController controller{decoder, grid, setup, memo, prompter, locale};
};

TEST(StepController, AcquiresForThreeSamplesPerMinSecondThenRecords)
{
    StepRig rig;
    ASSERT_EQ(rig.controller.target(), 8000);
    EXPECT_EQ(rig.controller.status(),
              (LiveStatus{QStringLiteral("This Target is  8000,  apply throttle."), QStringLiteral("clGreen")}));

    struct Step {
        StepState state;
        const char* text;
        const char* colour;
    };
    const Step expected[] = {
        {StepState::Acquiring, "Target aquired, recording in T - 1.", "clYellow"},
        {StepState::Acquiring, "Target aquired, recording in T - 2.", "clYellow"},
        {StepState::Acquiring, "Target aquired, recording in T - 3.", "clYellow"},
        {StepState::Acquiring, "Target aquired, recording in T - 4.", "clYellow"},
        {StepState::Acquiring, "Target aquired, recording in T - 5.", "clYellow"},
        {StepState::Recording, "RECORDING, 0Samples.", "clRed"},
        {StepState::Recording, "RECORDING, 1Samples.", "clRed"},
        {StepState::Recording, "RECORDING, 2Samples.", "clRed"},
    };
    int recordingSignals = 0;
    QObject::connect(&rig.controller, &StepController::recordingSample, [&] { ++recordingSignals; });
    int pass = 0;
    for (const Step& step : expected) {
        SCOPED_TRACE(++pass);
        rig.pass(sampleAt(8100));
        EXPECT_EQ(rig.controller.state(), step.state);
        EXPECT_EQ(rig.controller.status().text, QString::fromLatin1(step.text));
        EXPECT_EQ(rig.controller.status().colour, QString::fromLatin1(step.colour));
    }
    EXPECT_EQ(rig.controller.recordCount(), 3);
    EXPECT_EQ(recordingSignals, 3);
    EXPECT_EQ(rig.controller.gridPhase(), GridPhase::Recording);
}

TEST(StepController, BandNeedsToleranceSteadinessAndPower)
{
    // Target 8000, tolerance 250, "Max fps/s:" 17, "Min hp:" 8.
    struct Case {
        const char* name;
        double rpm;
        float power;
        float acceleration;
        bool inBand;
    };
    const Case cases[] = {
        {"inside", 8249, 50, 0, true},
        {"rpm at the tolerance above", 8250, 50, 0, false},
        {"rpm at the tolerance below", 7750, 50, 0, false},
        {"acceleration just under the limit", 8000, 50, -16.9f, true},
        {"acceleration at the limit", 8000, 50, 17, false},
        {"power at the minimum", 8000, 8, 0, false},
        {"power above the minimum", 8000, 8.1f, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StepRig rig;
        rig.pass(sampleAt(c.rpm, c.power, c.acceleration));
        EXPECT_EQ(rig.controller.state(), c.inBand ? StepState::Acquiring : StepState::Waiting);
        EXPECT_EQ(rig.controller.acquireCount(), c.inBand ? 1 : 0);
    }
}

TEST(StepController, NoRecordingWhileAutoRecordIsOffOrTheTachWindowShows)
{
    StepRig off;
    off.controller.setAutoRecord(false);
    off.pass(sampleAt(8000));
    EXPECT_EQ(off.controller.state(), StepState::Waiting);

    StepRig tach;
    tach.controller.setTachWindowShowing(true);
    tach.pass(sampleAt(8000));
    EXPECT_EQ(tach.controller.state(), StepState::Waiting);
}

TEST(StepController, ALostTargetCostsOneCountAndAcquisitionResumes)
{
    StepRig rig;
    rig.passes(4, sampleAt(8000));
    ASSERT_EQ(rig.controller.acquireCount(), 4);
    rig.pass(sampleAt(7000));
    EXPECT_EQ(rig.controller.acquireCount(), 3);
    EXPECT_EQ(rig.controller.state(), StepState::Waiting);
    rig.pass(sampleAt(8000));
    EXPECT_EQ(rig.controller.acquireCount(), 4);
    EXPECT_EQ(rig.controller.status().text, QStringLiteral("Target aquired, recording in T - 4."));
}

TEST(StepController, NewAcquisitionShrinksTheGridAndRestartResetsIt)
{
    StepRig rig;
    EXPECT_EQ(rig.grid.rowCount(), SampleGrid::ResetRowCount);
    rig.pass(sampleAt(8000));
    EXPECT_EQ(rig.grid.rowCount(), 9);
    EXPECT_EQ(rig.controller.gridPhase(), GridPhase::Other);
    rig.controller.restart();
    EXPECT_EQ(rig.grid.rowCount(), 10);
    EXPECT_EQ(rig.controller.gridPhase(), GridPhase::Waiting);
}

TEST(StepController, RecordLineAveragesTheMiddleOfTheRecording)
{
    // "Min Seconds:" 2 and RecordCount 6 average the points 2, 3 and 4: rpm 9030, power 103.
    // Torque 103 x 5252 / 9030 = 59.9; road speed 9030 / 3.125 x 0.0379 = 109.5.
    struct Case {
        const char* name;
        QChar separator;
        bool warmUp;
        const char* line;
    };
    const Case cases[] = {
        {"point", QLatin1Char('.'), false, "9030\t109.5\t103.0\t59.9\t"},
        {"comma", QLatin1Char(','), false, "9030\t109,5\t103,0\t59,9\t"},
        {"warm-up", QLatin1Char('.'), true, "c9030\tc109.5\tc103.0\tc59.9\t"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StepRig rig({QStringLiteral("9000"), QStringLiteral("10000")}, TextLocale::withDecimal(c.separator));
        rig.controller.setAutoWarmUp(c.warmUp);
        QStringList written;
        QObject::connect(&rig.controller, &StepController::recordWritten,
                         [&](const QString& line) { written << line; });
        rig.recordAndLeave(6, 12000);
        EXPECT_EQ(rig.memo.lines(), QStringList{QString::fromLatin1(c.line)});
        EXPECT_EQ(written, rig.memo.lines());
        EXPECT_TRUE(rig.controller.hasRecordedAtTarget());
        EXPECT_EQ(rig.controller.acquireCount(), 0);
    }
}

TEST(StepController, RecordLineUsesUnitFactorsAndPlotsTheCorrectedPoint)
{
    StepRig rig({QStringLiteral("9000")});
    rig.decoder.setDisplayFactors({1.609, 0.7457, 1.3558});
    rig.decoder.setStationValues({1.05, 70, 29.92, 40});
    rig.recordAndLeave(6, 12000);
    // 109.51584 x 1.609, 103 x 0.7457, 59.906 x 1.3558.
    EXPECT_EQ(rig.memo.lines(), QStringList{QStringLiteral("9030\t176.2\t76.8\t81.2\t")});
    ASSERT_EQ(rig.controller.recordPoints().size(), 1);
    EXPECT_DOUBLE_EQ(rig.controller.recordPoints().at(0).x(), 9030.0);
    EXPECT_NEAR(rig.controller.recordPoints().at(0).y(), 103 * 0.7457 * 1.05, 1e-9);

    // The running means of the averaged points go into series 2 and 3.
    const QList<QPointF>& means = rig.controller.eventTrace().series(EventTrace::MeanRpmSeries);
    ASSERT_EQ(means.size(), 3);
    EXPECT_EQ(means.at(0), QPointF(2, 9020));
    EXPECT_EQ(means.at(1), QPointF(3, 9025));
    EXPECT_EQ(means.at(2), QPointF(4, 9030));
    EXPECT_EQ(rig.controller.eventTrace().series(EventTrace::MeanPowerSeries).at(2), QPointF(4, 103));
}

TEST(StepController, ShortRecordingsWriteNoLine)
{
    // "Min Seconds:" 2 needs a RecordCount of 4; with 3 the range 2 .. 1 is empty.
    StepRig shortRun;
    shortRun.recordAndLeave(3, 12000);
    EXPECT_TRUE(shortRun.memo.isEmpty());
    EXPECT_FALSE(shortRun.controller.hasRecordedAtTarget());

    StepRig justEnough;
    justEnough.recordAndLeave(4, 12000);
    EXPECT_EQ(justEnough.memo.lines(), QStringList{QStringLiteral("9020\t109.4\t102.0\t59.4\t")});
}

TEST(StepController, MeanRpmBelowOneWritesNoLine)
{
    StepRig rig;
    rig.passes(6, sampleAt(8000));
    DynoSample zero = sampleAt(8000);
    zero.smoothedEngineRpm = 0.5f;
    rig.passes(6, zero);
    rig.pass(sampleAt(12000, 0));
    EXPECT_TRUE(rig.memo.isEmpty());
}

TEST(StepController, AutoDecelerationStepsDownThenMovesOn)
{
    // Engine 9000, "Decell rpm:" 5000, "auto deceleration force" 5 (2000 rpm).
    StepRig rig({QStringLiteral("9000"), QStringLiteral("10000"), QStringLiteral("11000")});
    rig.setup.setValue(TestSetup::Spin::AutoDecell, 5000);
    rig.recordAndLeave(6, 9000);
    ASSERT_EQ(rig.memo.count(), 1);
    EXPECT_EQ(rig.controller.state(), StepState::Decelerating);
    EXPECT_EQ(rig.controller.target(), 7000);
    EXPECT_EQ(rig.controller.status(),
              (LiveStatus{QStringLiteral("Coast down to  3000,  close throttle.Trpm = 7000"), QStringLiteral("clBlue")}));

    struct Step {
        double rpm;
        int target;
        StepState state;
        int scriptIndex;
    };
    const Step steps[] = {
        {8000, 6000, StepState::Decelerating, 0},
        {5800, 5000, StepState::Decelerating, 0},
        {5000, 5000, StepState::Decelerating, 0},
        {4900, 10000, StepState::Waiting, 1},
        {6000, 10000, StepState::Waiting, 1},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.rpm);
        rig.pass(sampleAt(step.rpm, 0));
        EXPECT_EQ(rig.controller.target(), step.target);
        EXPECT_EQ(rig.controller.state(), step.state);
        EXPECT_EQ(rig.controller.scriptIndex(), step.scriptIndex);
    }
    EXPECT_FALSE(rig.controller.isDecelerating());
    EXPECT_EQ(rig.controller.status().text, QStringLiteral("This Target is  10000,  apply throttle."));
}

TEST(StepController, WithoutAutoIncrementTheDecelerationReturnsToTheSameTarget)
{
    StepRig rig({QStringLiteral("9000"), QStringLiteral("10000")});
    rig.setup.setValue(TestSetup::Spin::AutoDecell, 5000);
    rig.controller.setAutoIncrement(false);
    rig.recordAndLeave(6, 9000);
    rig.pass(sampleAt(4900, 0));
    EXPECT_FALSE(rig.controller.isDecelerating());
    rig.pass(sampleAt(4900, 0));
    EXPECT_EQ(rig.controller.scriptIndex(), 0);
    EXPECT_EQ(rig.controller.target(), 9000);
}

TEST(StepController, ScriptWrapsToTheFirstTargetAfterTheLast)
{
    StepRig rig({QStringLiteral("8000"), QStringLiteral("9000"), QStringLiteral("10000")});
    rig.setup.setValue(TestSetup::Spin::AutoDecell, 5000);
    QList<int> visited{rig.controller.scriptIndex()};
    QList<bool> drawing;
    for (int k = 0; k < 4; ++k) {
        rig.recordAndLeave(6, rig.controller.target());
        drawing << !rig.controller.eventTrace().isDrawingSuspended();
        rig.pass(sampleAt(4900, 0));
        visited << rig.controller.scriptIndex();
    }
    EXPECT_EQ(visited, (QList<int>{0, 1, 2, 0, 1}));
    EXPECT_EQ(rig.memo.count(), 4);
    // The event graph is redrawn again from the fourth record line on.
    EXPECT_EQ(drawing, (QList<bool>{false, false, false, true}));
}

TEST(StepController, ScriptLinesThatAreNoIntegerAreNeverATarget)
{
    const QStringList script{QStringLiteral("80% Throttle"), QStringLiteral("8000"), QStringLiteral("9000"),
                             QStringLiteral("60% Throttle"), QStringLiteral("8500")};
    StepRig rig(script);
    EXPECT_EQ(rig.controller.scriptIndex(), 1);
    EXPECT_EQ(rig.controller.target(), 8000);

    // A click on a header takes the first target after it.
    rig.controller.selectTarget(3);
    EXPECT_EQ(rig.controller.scriptIndex(), 4);
    EXPECT_EQ(rig.controller.target(), 8500);

    // Stepping from the last line wraps past the leading header; from line 2 past the header to 4.
    rig.setup.setValue(TestSetup::Spin::AutoDecell, 5000);
    QList<int> visited;
    for (int k = 0; k < 3; ++k) {
        rig.recordAndLeave(6, rig.controller.target());
        rig.pass(sampleAt(4900, 0));
        visited << rig.controller.scriptIndex();
    }
    EXPECT_EQ(visited, (QList<int>{1, 2, 4}));
    EXPECT_EQ(rig.controller.target(), 8500);

    // A script of headers only leaves the target alone.
    rig.setup.setScript({QStringLiteral("80% Throttle")});
    rig.controller.restart();
    EXPECT_EQ(rig.controller.target(), 8500);
    rig.pass(sampleAt(3000, 0));
    EXPECT_EQ(rig.controller.target(), 8500);
}

TEST(StepController, WarmUpRecordsWithPrefixUntilATargetPassesWarmRpm)
{
    StepRig rig({QStringLiteral("6000"), QStringLiteral("7000"), QStringLiteral("8000")});
    rig.setup.setValue(TestSetup::Spin::AutoDecell, 5000);
    rig.setup.setChecked(TestSetup::Check::WarmToCb, true);
    rig.controller.restart();
    ASSERT_EQ(rig.controller.warmUpCaption(), QStringLiteral("*Warm Up*"));

    rig.recordAndLeave(6, 6000);
    rig.pass(sampleAt(4900, 0)); // -> 7000, not above "Warm rpm:" 7000
    EXPECT_EQ(rig.controller.scriptIndex(), 1);
    EXPECT_EQ(rig.controller.warmUpCaption(), QStringLiteral("*Warm Up*"));
    rig.recordAndLeave(6, 7000);
    rig.pass(sampleAt(4900, 0)); // 8000 is above: back to the first line, warm-up over
    EXPECT_EQ(rig.controller.scriptIndex(), 0);
    EXPECT_EQ(rig.controller.target(), 6000);
    EXPECT_EQ(rig.controller.warmUpCaption(), QString());
    rig.recordAndLeave(6, 6000);

    ASSERT_EQ(rig.memo.count(), 3);
    EXPECT_TRUE(rig.memo.lines().at(0).startsWith(QLatin1Char('c')));
    EXPECT_TRUE(rig.memo.lines().at(1).startsWith(QLatin1Char('c')));
    EXPECT_EQ(rig.memo.lines().at(2), QStringLiteral("9030\t109.5\t103.0\t59.9\t"));
}

TEST(StepController, ManualRecordAndAutoRecordSwitch)
{
    // Holding "Manual Record" records; releasing it ends the recording and writes the line.
    StepRig manual;
    manual.controller.setAutoRecord(false);
    manual.controller.manualRecordPressed();
    EXPECT_TRUE(manual.controller.autoRecord());
    manual.passes(6 + 6, sampleAt(8000));
    manual.controller.manualRecordReleased();
    EXPECT_FALSE(manual.controller.autoRecord());
    manual.pass(sampleAt(8000));
    EXPECT_EQ(manual.memo.count(), 1);

    // Unticking "Auto Record" during a recording discards it.
    StepRig discard;
    discard.passes(6 + 6, sampleAt(8000));
    ASSERT_EQ(discard.controller.state(), StepState::Recording);
    discard.controller.setAutoRecord(false);
    discard.pass(sampleAt(8000));
    EXPECT_TRUE(discard.memo.isEmpty());
    EXPECT_EQ(discard.controller.recordCount(), 0);
}

TEST(StepController, SwitchesAreCoupledAndCopiedToTheSetup)
{
    StepRig rig;
    rig.controller.setAutoDeceleration(false);
    EXPECT_FALSE(rig.controller.autoIncrement());
    EXPECT_FALSE(rig.setup.isChecked(TestSetup::Check::AutoDecellcb));
    EXPECT_FALSE(rig.setup.isChecked(TestSetup::Check::AutoInccb));

    rig.controller.setAutoIncrement(true);
    EXPECT_TRUE(rig.controller.autoDeceleration());
    EXPECT_TRUE(rig.setup.isChecked(TestSetup::Check::AutoDecellcb));
    EXPECT_TRUE(rig.setup.isChecked(TestSetup::Check::AutoInccb));

    rig.controller.setAutoWarmUp(true);
    EXPECT_TRUE(rig.setup.isChecked(TestSetup::Check::WarmToCb));
    EXPECT_EQ(rig.controller.warmUpCaption(), QStringLiteral("*Warm Up*"));
}

TEST(StepController, TargetClickWhileRecordingChangesOnlyTheText)
{
    StepRig rig;
    rig.passes(7, sampleAt(8000));
    ASSERT_EQ(rig.controller.state(), StepState::Recording);
    rig.controller.selectTarget(2);
    EXPECT_EQ(rig.controller.state(), StepState::Recording);
    EXPECT_EQ(rig.controller.status(),
              (LiveStatus{QStringLiteral("This Target is  10000,  apply throttle."), QStringLiteral("clRed")}));
    EXPECT_TRUE(rig.controller.output().isHeld());
}

TEST(StepController, OutputHoldKeepsTheCodeUntilTheTargetIsAboveTheEngine)
{
    // Tach ratio 3.125: 4 x round(target / 3.125) + 2.
    StepRig rig({QStringLiteral("13000"), QStringLiteral("8000")});
    rig.pass(sampleAt(12000, 0));
    EXPECT_EQ(rig.controller.output().code(), 16642);
    const BrakeCommand command = rig.controller.output().command(BrakeLoopSettings{});
    EXPECT_EQ(command.byte(4), 0x02);
    EXPECT_EQ(command.byte(5), 0x41);

    rig.controller.selectTarget(1); // 8000, below the engine: held
    EXPECT_TRUE(rig.controller.output().isHeld());
    rig.pass(sampleAt(12000, 0));
    EXPECT_EQ(rig.controller.output().code(), 16642);
    rig.pass(sampleAt(9000, 0));
    EXPECT_EQ(rig.controller.output().code(), 16642);
    rig.pass(sampleAt(7900, 0));
    EXPECT_FALSE(rig.controller.output().isHeld());
    EXPECT_EQ(rig.controller.output().code(), 10242);
}

TEST(StepController, OutputCodeIsHeldAtTheSliderMaximum)
{
    StepRig rig({QStringLiteral("30000")});
    rig.decoder.setTachRatio(1.0f);
    rig.pass(sampleAt(3000, 0));
    EXPECT_EQ(rig.controller.output().code(), 25000);
}

TEST(StepController, ATachRatioOfZeroIsReadAgainFromTheSetup)
{
    StepRig rig({QStringLiteral("13000")});
    rig.decoder.setTachRatio(0.0f);
    rig.setup.setText(TestSetup::Text::TachRatio, QStringLiteral("not a ratio"));
    rig.pass(sampleAt(3000, 0));
    EXPECT_EQ(rig.controller.output().code(), 0);
    rig.setup.setText(TestSetup::Text::TachRatio, QStringLiteral("3.1250"));
    rig.pass(sampleAt(3000, 0));
    EXPECT_FLOAT_EQ(rig.decoder.tachRatio(), 3.125f);
    EXPECT_EQ(rig.controller.output().code(), 16642);
}

TEST(StepController, RestartAsksAboutRecordedData)
{
    struct Case {
        PromptAnswer answer;
        RecordedDataChoice choice;
        bool memoCleared;
    };
    const Case cases[] = {
        {PromptAnswer::Yes, RecordedDataChoice::Save, false},
        {PromptAnswer::No, RecordedDataChoice::Proceed, true},
        {PromptAnswer::Cancel, RecordedDataChoice::Keep, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        StepRig rig;
        rig.controller.selectTarget(2);
        rig.memo.append(QStringLiteral("9000\t40.0\t100.0\t58.4\t"));
        rig.prompter.queueAnswer(c.answer);
        int restarts = 0;
        QObject::connect(&rig.controller, &StepController::restarted, [&] { ++restarts; });
        EXPECT_EQ(rig.controller.restart(), c.choice);
        ASSERT_EQ(rig.prompter.asked().size(), 1u);
        const PromptRequest& asked = rig.prompter.asked().front();
        EXPECT_EQ(asked.title, QStringLiteral("You clicked: RESTART TEST"));
        EXPECT_EQ(asked.text,
                  QStringLiteral("In reference to currently recorded data:\r click YES to SAVE data and go to "
                                 "graphs,\r click NO to DELETE recorded data and restart test, or\r click CANCEL to "
                                 "KEEP recorded data and return to test."));
        EXPECT_EQ(asked.icon, PromptIcon::Question);
        EXPECT_EQ(asked.buttons, PromptButtons::YesNoCancel);
        EXPECT_EQ(rig.memo.isEmpty(), c.memoCleared);
        EXPECT_EQ(restarts, c.memoCleared ? 1 : 0);
        EXPECT_EQ(rig.controller.target(), c.memoCleared ? 8000 : 10000);
    }

    StepRig empty;
    EXPECT_EQ(empty.controller.restart(), RecordedDataChoice::Proceed);
    EXPECT_TRUE(empty.prompter.asked().empty());
}

TEST(StepController, LeavingAsksBeforeRecordedDataIsLost)
{
    StepRig graphs;
    graphs.memo.append(QStringLiteral("9000\t40.0\t100.0\t58.4\t"));
    graphs.prompter.queueAnswer(PromptAnswer::No);
    EXPECT_EQ(graphs.controller.leaveForGraphs(), RecordedDataChoice::Proceed);
    EXPECT_TRUE(graphs.memo.isEmpty());

    // One record line is enough to be asked on "Exit All".
    StepRig exit;
    exit.memo.append(QStringLiteral("9000\t40.0\t100.0\t58.4\t"));
    exit.prompter.queueAnswer(PromptAnswer::Yes);
    EXPECT_EQ(exit.controller.confirmExit(), RecordedDataChoice::Save);
    ASSERT_EQ(exit.prompter.asked().size(), 1u);
    EXPECT_EQ(exit.prompter.asked().front().title, QStringLiteral("Test Data has not been Saved !!!"));
    EXPECT_EQ(exit.prompter.asked().front().text, QStringLiteral("Would you like to save your test data to a file ?"));
    EXPECT_EQ(exit.prompter.asked().front().buttons, PromptButtons::YesNo);
    EXPECT_EQ(exit.memo.count(), 1);
}

TEST(StepController, StartFromSetupTakesSwitchesScriptAndTachRatio)
{
    StepRig rig;
    rig.decoder.setTachRatio(0.0f);
    rig.setup.setText(TestSetup::Text::TachRatio, QStringLiteral("2.5000"));
    rig.setup.setChecked(TestSetup::Check::AutoDecellcb, false);
    rig.setup.setChecked(TestSetup::Check::WarmToCb, true);
    rig.setup.setScript({QStringLiteral("5000"), QStringLiteral("6000")});
    rig.controller.startFromSetup();
    EXPECT_FLOAT_EQ(rig.decoder.tachRatio(), 2.5f);
    EXPECT_FALSE(rig.controller.autoDeceleration());
    EXPECT_FALSE(rig.controller.autoIncrement());
    EXPECT_TRUE(rig.controller.autoWarmUp());
    EXPECT_EQ(rig.controller.targets(), (QStringList{QStringLiteral("5000"), QStringLiteral("6000")}));
    EXPECT_EQ(rig.controller.target(), 5000);
    EXPECT_EQ(rig.controller.warmUpCaption(), QStringLiteral("*Warm Up*"));
}

TEST(StepController, OperatorTargetIsClampedAndHeldWhileTheTachWindowShows)
{
    StepRig rig;
    rig.controller.setTachWindowShowing(true);
    rig.controller.setTargetRpm(10000);
    rig.passes(3, sampleAt(7000));
    EXPECT_EQ(rig.controller.target(), 10000);
    EXPECT_EQ(rig.controller.scriptIndex(), 0);
    for (const auto& [typed, held] : {std::pair{50, 100}, std::pair{40000, 30000}, std::pair{1900, 1900}}) {
        rig.controller.setTargetRpm(typed);
        EXPECT_EQ(rig.controller.target(), held) << typed;
    }
    // Once the window is gone the script sets the target again.
    rig.controller.setTachWindowShowing(false);
    rig.pass(sampleAt(7000));
    EXPECT_EQ(rig.controller.target(), 8000);
}

TEST(StepController, OperatorStatusStandsUntilTheControllersOwnTextChanges)
{
    const LiveStatus set{QStringLiteral("Set Tech @  10000 rpm."), QStringLiteral("clYellow")};
    StepRig rig;
    int shown = 0;
    QObject::connect(&rig.controller, &StepController::operatorStatusShown, [&] { ++shown; });
    rig.controller.setTachWindowShowing(true);
    rig.controller.setTargetRpm(10000);
    rig.controller.showOperatorStatus(set);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(rig.controller.status(), set);
    // Waiting on, now for the new target: the text stands, and the state is the controller's own.
    rig.passes(3, sampleAt(7000));
    EXPECT_EQ(rig.controller.status(), set);
    EXPECT_EQ(rig.controller.state(), StepState::Waiting);

    // The engine reaches the target once the window is gone: the controller's text returns.
    rig.controller.setTachWindowShowing(false);
    rig.controller.setTargetRpm(8000);
    rig.pass(sampleAt(8000));
    EXPECT_EQ(rig.controller.status(),
              (LiveStatus{QStringLiteral("Target aquired, recording in T - 1."), QStringLiteral("clYellow")}));

    // A target picked from the list, or a restart, also ends it.
    StepRig picked;
    picked.controller.showOperatorStatus(set);
    picked.controller.selectTarget(1);
    EXPECT_EQ(picked.controller.status(),
              (LiveStatus{QStringLiteral("This Target is  9000,  apply throttle."), QStringLiteral("clGreen")}));
    picked.controller.showOperatorStatus(set);
    picked.controller.restart();
    EXPECT_EQ(picked.controller.status().text, QStringLiteral("This Target is  8000,  apply throttle."));
}

} // namespace
} // namespace tolvane
