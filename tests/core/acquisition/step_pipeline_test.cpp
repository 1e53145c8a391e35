// Frames through the decoder into the step and sweep controllers on a manual clock, as the windows
// 40 ms timer runs them: the grid follows the controller's state and the record line comes from
// the decoder's smoothed values.
#include <gtest/gtest.h>

#include "core/acquisition/frame_decoder.h"
#include "core/acquisition/record_memo.h"
#include "core/acquisition/sample_grid.h"
#include "core/acquisition/step_controller.h"
#include "core/acquisition/sweep_controller.h"
#include "core/common/clock.h"
#include "core/common/scripted_prompter.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"
#include "frame_test_support.h"

namespace tolvane {
namespace {

// Roller 2560 rpm (engine 8000 at a ratio of 3.125) and a load count of 31: force 30 + 5.376
// drag, power 35.376 x 2560 / 5252 = 17.24.
constexpr quint32 TargetPeriod = 312500;
constexpr quint32 FastPeriod = 266667; // roller 3000: engine 9375, out of the band
constexpr quint32 Load = 31;

TEST(StepPipeline, DecodedFramesRecordAnAveragedLine)
{
    ScriptedPrompter prompter;
    const TextLocale locale;
    UnitSettings units;
    TestSetup setup(units, prompter, locale);
    setup.setValue(TestSetup::Spin::MnSec, 2);
    setup.setChecked(TestSetup::Check::AutoDecellcb, false);
    setup.setScript({QStringLiteral("8000")});
    SampleGrid grid(LiveWindow::Step);
    FrameDecoder decoder(LiveWindow::Step, grid, locale);
    decoder.setTachRatio(3.125f);
    RecordMemo memo;
    StepController controller(decoder, grid, setup, memo, prompter, locale);
    decoder.setController(&controller);
    controller.restart();
    ManualClock clock(test::runTime(0));

    int rowsExpected = 0;
    const auto tick = [&](quint32 period) {
        clock.advanceMs(40);
        const bool growing = controller.gridPhase() == GridPhase::Recording;
        const DecodeResult result = decoder.decode(test::stepFrame(Load, period), clock.now());
        if (growing)
            ++rowsExpected;
        return result.outcome;
    };

    // Fill the smoothing histories before the controller may record.
    controller.setAutoRecord(false);
    for (int k = 0; k < 30; ++k)
        tick(TargetPeriod);
    controller.setAutoRecord(true);
    EXPECT_EQ(controller.output().code(), 10242);

    for (int k = 0; k < 5; ++k)
        ASSERT_EQ(tick(TargetPeriod), FrameOutcome::Accepted);
    EXPECT_EQ(controller.state(), StepState::Acquiring);
    EXPECT_EQ(grid.rowCount(), SampleGrid::AcquireRowCount);
    rowsExpected = SampleGrid::AcquireRowCount;
    for (int k = 0; k < 11; ++k)
        tick(TargetPeriod);
    EXPECT_EQ(controller.state(), StepState::Recording);
    EXPECT_EQ(controller.recordCount(), 11);
    EXPECT_EQ(tick(FastPeriod), FrameOutcome::Accepted);
    EXPECT_EQ(grid.rowCount(), rowsExpected);

    EXPECT_EQ(memo.lines(), QStringList{QStringLiteral("8000\t97.0\t17.2\t11.3\t")});
    EXPECT_EQ(controller.state(), StepState::Waiting);
    EXPECT_EQ(controller.gridPhase(), GridPhase::Waiting);
}

} // namespace
} // namespace tolvane

namespace tolvane {
namespace {

TEST(SweepPipeline, RowsAreAppendedOnlyWhileTheSweepRecords)
{
    ScriptedPrompter prompter;
    const TextLocale locale;
    UnitSettings units;
    TestSetup setup(units, prompter, locale);
    setup.setValue(TestSetup::Spin::MnRpm, 4000);
    setup.setValue(TestSetup::Spin::RedLine, 6000);
    SampleGrid grid(LiveWindow::Sweep);
    FrameDecoder decoder(LiveWindow::Sweep, grid, locale);
    decoder.setTachRatio(3.125f);
    RecordMemo memo;
    SweepController controller(decoder, grid, setup, memo, prompter);
    decoder.setController(&controller);
    int saves = 0;
    QObject::connect(&controller, &SweepController::saveRequested, [&] { ++saves; });
    ManualClock clock(test::runTime(0));
    const auto tick = [&](double engineRpm) {
        clock.advanceMs(40);
        const auto period = static_cast<quint32>(800000000.0 / (engineRpm / 3.125) + 0.5);
        return decoder.decode(test::sweepFrame(31, period), clock.now()).outcome;
    };

    for (int k = 0; k < 31; ++k)
        ASSERT_EQ(tick(4000), FrameOutcome::Accepted);
    EXPECT_EQ(controller.state(), SweepState::Recording);
    EXPECT_EQ(grid.rowCount(), SampleGrid::ResetRowCount);
    // 50 rpm per sample up to the redline: each of the 41 samples is a row, the last one too
    // (its row is written before the controller sees the redline).
    for (int k = 1; k <= 41; ++k)
        tick(4000 + 50 * k);
    EXPECT_EQ(controller.state(), SweepState::Braking);
    EXPECT_EQ(grid.rowCount(), SampleGrid::ResetRowCount + 41);
    for (int rpm = 5900; rpm >= 3900; rpm -= 100)
        tick(rpm);
    EXPECT_EQ(controller.state(), SweepState::Complete);
    EXPECT_EQ(grid.rowCount(), SampleGrid::ResetRowCount + 41);
    EXPECT_EQ(saves, 1);
}

} // namespace
} // namespace tolvane
