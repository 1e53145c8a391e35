// Frames through the step and sweep sessions on a manual clock, as the windows' 40 ms timer runs
// them: the link reads, the decoder and the controller run, the command answers the frame; the
// grid follows the controller's state and the record line comes from the decoder's smoothed
// values.
#include <gtest/gtest.h>

#include "core/acquisition/acquisition_session.h"
#include "core/acquisition/frame_test_support.h"
#include "core/acquisition/step_controller.h"
#include "core/acquisition/sweep_controller.h"
#include "core/common/clock.h"
#include "core/common/scripted_prompter.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"
#include "sim/replay_usb.h"

namespace tolvane {
namespace {

// Roller 2560 rpm (engine 8000 at a ratio of 3.125) and a load count of 31: force 30 + 5.376
// drag, power 35.376 x 2560 / 5252 = 17.24.
constexpr quint32 TargetPeriod = 312500;
constexpr quint32 FastPeriod = 266667; // roller 3000: engine 9375, out of the band
constexpr quint32 Load = 31;

struct Rig {
    Rig()
    {
        setup.setValue(TestSetup::Spin::MnSec, 2);
        setup.setChecked(TestSetup::Check::AutoDecellcb, false);
        setup.setScript({QStringLiteral("8000")});
    }

    ScriptedPrompter prompter;
    const TextLocale locale;
    UnitSettings units;
    TestSetup setup{units, prompter, locale};
    ManualClock clock{test::runTime(0)};
    sim::ReplayUsb usb;
};

TEST(StepSession, DecodedFramesRecordAnAveragedLine)
{
    Rig rig;
    StepSession session(rig.usb, rig.clock, rig.setup, rig.units, rig.prompter, rig.locale);
    session.decoder().setTachRatio(3.125f);
    StepController& controller = session.controller();
    controller.restart();
    session.connectUnit();
    const SampleGrid& grid = session.grid();
    const RecordMemo& memo = session.memo();

    int rowsExpected = 0;
    const auto tick = [&](quint32 period) {
        rig.clock.advanceMs(40);
        const bool growing = controller.gridPhase() == GridPhase::Recording;
        rig.usb.push(test::stepBytes(Load, period));
        const TickResult result = session.tick();
        EXPECT_TRUE(result.frameRead);
        if (growing)
            ++rowsExpected;
        return result.decode.outcome;
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

// The command that answers a frame carries the brake code of that frame's controller pass, not
// the previous pass's: on the tick the code is first set, the frame's answer already sends it.
TEST(StepSession, TheCommandAnsweringAFrameFollowsThatFramesPass)
{
    Rig rig;
    StepSession session(rig.usb, rig.clock, rig.setup, rig.units, rig.prompter, rig.locale);
    session.decoder().setTachRatio(3.125f);
    session.controller().restart();
    session.connectUnit();
    int ticks = 0;
    while (session.controller().output().code() == 0 && ticks < 10) {
        rig.usb.push(test::stepBytes(Load, TargetPeriod));
        rig.clock.advanceMs(40);
        ASSERT_TRUE(session.tick().frameRead);
        ++ticks;
    }
    // 4 x round(8000 / 3.125) + 2 = 10242 = 0x2802, low byte first.
    EXPECT_EQ(session.controller().output().code(), 10242);
    EXPECT_EQ(rig.usb.lastCommand(), QByteArray::fromHex("558810030228101112"));
    // One command on connecting, two answering each frame.
    EXPECT_EQ(rig.usb.commandsWritten(), 1u + 2u * static_cast<unsigned>(ticks));

    // Nothing waiting: the step window reads anyway (its read fails), the sweep window pauses.
    EXPECT_TRUE(session.tick().frameRead);
    SweepSession sweep(rig.usb, rig.clock, rig.setup, rig.units, rig.prompter, rig.locale);
    sweep.connectUnit();
    EXPECT_FALSE(sweep.tick().frameRead);
    EXPECT_EQ(sweep.link().state().product, QStringLiteral("Pause"));
}

TEST(SweepSession, RowsAreAppendedOnlyWhileTheSweepRecords)
{
    Rig rig;
    rig.setup.setValue(TestSetup::Spin::MnRpm, 4000);
    rig.setup.setValue(TestSetup::Spin::RedLine, 6000);
    rig.setup.setText(TestSetup::Text::TachRatio, QStringLiteral("3.125"));
    SweepSession session(rig.usb, rig.clock, rig.setup, rig.units, rig.prompter, rig.locale);
    EXPECT_EQ(session.applySetup(), QString());
    SweepController& controller = session.controller();
    const SampleGrid& grid = session.grid();
    int saves = 0;
    QObject::connect(&controller, &SweepController::saveRequested, [&] { ++saves; });
    session.connectUnit();
    const auto tick = [&](double engineRpm) {
        rig.clock.advanceMs(40);
        const auto period = static_cast<quint32>(800000000.0 / (engineRpm / 3.125) + 0.5);
        rig.usb.push(test::sweepBytes(31, period));
        return session.tick().decode.outcome;
    };

    for (int k = 0; k < 31; ++k)
        ASSERT_EQ(tick(4000), FrameOutcome::Accepted);
    EXPECT_EQ(controller.state(), SweepState::Recording);
    EXPECT_EQ(grid.rowCount(), SampleGrid::ResetRowCount);
    // The sweep code goes out raw while the sweep records: 32768 = 0x8000.
    EXPECT_EQ(rig.usb.lastCommand().mid(4, 2), QByteArray::fromHex("0080"));
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

TEST(SweepSession, ApplyingASetupWithoutNumbersKeepsTheValuesInUse)
{
    Rig rig;
    SweepSession session(rig.usb, rig.clock, rig.setup, rig.units, rig.prompter, rig.locale);
    rig.setup.setText(TestSetup::Text::TachRatio, QStringLiteral("2.5"));
    rig.setup.setText(TestSetup::Text::InertiaE, QStringLiteral("4"));
    EXPECT_EQ(session.applySetup(), QString());
    rig.setup.setText(TestSetup::Text::TachRatio, QStringLiteral("x"));
    rig.setup.setText(TestSetup::Text::InertiaE, QStringLiteral("0"));
    EXPECT_EQ(session.applySetup(), QStringLiteral("The tach ratio \"x\" is not a number above 0. "
                                                   "The inertia \"0\" is not a number above 0."));
    EXPECT_FLOAT_EQ(session.decoder().tachRatio(), 2.5f);
    EXPECT_FLOAT_EQ(session.decoder().inertia(), 4.0f);
}

} // namespace
} // namespace tolvane
