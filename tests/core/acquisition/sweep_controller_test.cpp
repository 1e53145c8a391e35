// The sweep-test controller driven pass by pass with engine speeds.
#include <gtest/gtest.h>

#include "core/acquisition/brake_command.h"
#include "core/acquisition/frame_decoder.h"
#include "core/acquisition/record_memo.h"
#include "core/acquisition/sample_grid.h"
#include "core/acquisition/sweep_controller.h"
#include "core/common/scripted_prompter.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"

namespace tolvane {
namespace {

DynoSample engineAt(double rpm)
{
    DynoSample s;
    s.engineRpm = rpm;
    return s;
}

// Start speed 4000, redline 9000.
struct SweepRig {
    SweepRig()
    {
        setup.setValue(TestSetup::Spin::MnRpm, 4000);
        setup.setValue(TestSetup::Spin::RedLine, 9000);
        decoder.setTachRatio(3.125f);
        QObject::connect(&controller, &SweepController::saveRequested, [this] { ++saveRequests; });
    }
    void pass(double rpm) { controller.runPass(engineAt(rpm)); }
    void hold()
    {
        for (int k = 0; k <= SweepController::HoldSamples; ++k)
            pass(4000);
    }

    ScriptedPrompter prompter;
    TextLocale locale;
    UnitSettings units;
    TestSetup setup{units, prompter, locale};
    SampleGrid grid{LiveWindow::Sweep};
    FrameDecoder decoder{LiveWindow::Sweep, grid, locale};
    RecordMemo memo;
    SweepController controller{decoder, grid, setup, memo, prompter};
    int saveRequests = 0;
};

TEST(SweepController, HoldCountsDownTheSamplesStillNeeded)
{
    SweepRig rig;
    EXPECT_EQ(rig.controller.status(), (LiveStatus{QStringLiteral("Ready"), QStringLiteral("clGreen")}));
    // Wandering 15 rpm around the start speed counts every sample.
    for (int k = 1; k <= 30; ++k) {
        SCOPED_TRACE(k);
        rig.pass(k % 2 ? 4015 : 3985);
        EXPECT_EQ(rig.controller.holdCount(), k);
        EXPECT_EQ(rig.controller.status().text,
                  QStringLiteral("Hold throttle steady! Sweep Will Start in %1").arg(30 - k));
        EXPECT_EQ(rig.controller.state(), SweepState::Waiting);
        EXPECT_EQ(rig.controller.target(), 4000);
        EXPECT_EQ(rig.controller.gridPhase(), GridPhase::Waiting);
    }
    rig.pass(4010);
    EXPECT_EQ(rig.controller.state(), SweepState::Recording);
    EXPECT_EQ(rig.controller.status(),
              (LiveStatus{QStringLiteral("Recording! Steady Throttle to 9000"), QStringLiteral("clRed")}));
    EXPECT_EQ(rig.controller.target(), 32768);
    EXPECT_EQ(rig.controller.gridPhase(), GridPhase::Recording);
    // The sweep code goes out as it stands (bytes 0x00 0x80).
    EXPECT_EQ(rig.controller.outputCode(), 32768);
    const BrakeCommand command(LiveWindow::Sweep, rig.controller.outputCode(), BrakeLoopSettings{});
    EXPECT_EQ(command.byte(4), 0x00);
    EXPECT_EQ(command.byte(5), 0x80);
}

TEST(SweepController, SamplesOffTheStartSpeedTakeCountsBack)
{
    struct Case {
        double rpm;
        int holdAfter;
    };
    // From a count of 2: 19 off counts, 20 off takes one back, and the count never goes below 0.
    const Case cases[] = {{4019, 3}, {3981, 3}, {4020, 1}, {3975, 1}, {4025, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rpm);
        SweepRig rig;
        rig.pass(4000);
        rig.pass(4000);
        rig.pass(c.rpm);
        EXPECT_EQ(rig.controller.holdCount(), c.holdAfter);
    }
    SweepRig rig;
    rig.pass(5000);
    EXPECT_EQ(rig.controller.holdCount(), 0);
    EXPECT_EQ(rig.controller.status().text, QStringLiteral("Hold throttle steady! Sweep Will Start in 30"));
}

TEST(SweepController, DroppingBelowTheStartWhileRecordingResets)
{
    SweepRig rig;
    rig.hold();
    rig.pass(5000);
    rig.grid.setRowCount(40);
    rig.pass(3850); // 150 below: still recording
    EXPECT_EQ(rig.controller.state(), SweepState::Recording);
    rig.pass(3750); // 250 below
    EXPECT_EQ(rig.controller.state(), SweepState::Waiting);
    EXPECT_EQ(rig.controller.status(), (LiveStatus{QStringLiteral("Ready"), QStringLiteral("clGreen")}));
    EXPECT_EQ(rig.controller.holdCount(), 0);
    EXPECT_EQ(rig.controller.target(), 4000);
    EXPECT_EQ(rig.grid.rowCount(), SampleGrid::ResetRowCount);
}

TEST(SweepController, BrakesDownFromTheRedlineAndAsksForOneSave)
{
    SweepRig rig;
    rig.hold();
    rig.pass(8999);
    EXPECT_EQ(rig.controller.state(), SweepState::Recording);

    struct Step {
        double rpm;
        SweepState state;
        int target;
        const char* text;
    };
    const Step steps[] = {
        {9000, SweepState::Braking, 8200, " Close throttle! Brakedown to 4000"},
        {8500.5, SweepState::Braking, 7700, " Close throttle! Brakedown to 4000"},
        {6000, SweepState::Braking, 5200, " Close throttle! Brakedown to 4000"},
        {4801, SweepState::Braking, 4001, " Close throttle! Brakedown to 4000"},
        {4800, SweepState::Braking, 4001, " Close throttle! Brakedown to 4000"},
        {4001, SweepState::Braking, 4001, " Close throttle! Brakedown to 4000"},
        {4000, SweepState::Complete, 20000, "Test Complete, save your data or reset."},
        {3500, SweepState::Complete, 20000, "Test Complete, save your data or reset."},
        {5000, SweepState::Complete, 20000, "Test Complete, save your data or reset."},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.rpm);
        rig.pass(step.rpm);
        EXPECT_EQ(rig.controller.state(), step.state);
        EXPECT_EQ(rig.controller.target(), step.target);
        EXPECT_EQ(rig.controller.status().text, QString::fromLatin1(step.text));
    }
    EXPECT_EQ(rig.controller.status().colour, QStringLiteral("clAqua"));
    EXPECT_EQ(rig.controller.gridPhase(), GridPhase::Other);
    for (int k = 0; k < 50; ++k)
        rig.pass(3000);
    EXPECT_EQ(rig.saveRequests, 1);
}

TEST(SweepController, ResetAboveTheStartIsPendingUntilTheEngineDrops)
{
    // After the save the window resets at 6000 rpm with a start speed of 4000.
    SweepRig rig;
    rig.hold();
    rig.pass(9500);
    rig.pass(4000);
    ASSERT_EQ(rig.controller.state(), SweepState::Complete);
    rig.pass(6000);
    rig.controller.saved();
    EXPECT_EQ(rig.controller.status(),
              (LiveStatus{QStringLiteral("Reset Pending, drop below the Start rpm."), QStringLiteral("clBlue")}));
    EXPECT_TRUE(rig.controller.isResetPending());
    rig.pass(5000);
    rig.pass(4000);
    EXPECT_EQ(rig.controller.state(), SweepState::Saved);
    rig.pass(3999);
    EXPECT_EQ(rig.controller.state(), SweepState::Waiting);
    EXPECT_EQ(rig.controller.status(), (LiveStatus{QStringLiteral("Ready"), QStringLiteral("clGreen")}));
    EXPECT_EQ(rig.saveRequests, 1);

    // Below the start the save's reset happens at once.
    SweepRig low;
    low.pass(3000);
    low.controller.saved();
    EXPECT_EQ(low.controller.state(), SweepState::Waiting);
    EXPECT_EQ(low.controller.status().text, QStringLiteral("Ready"));
}

TEST(SweepController, APendingResetOutlastsTheRunAndAsksNoSave)
{
    SweepRig rig;
    rig.hold();
    rig.pass(6000);
    EXPECT_FALSE(rig.controller.reset());
    rig.pass(9000); // braking, the pending text stays
    EXPECT_EQ(rig.controller.state(), SweepState::Braking);
    EXPECT_EQ(rig.controller.status(), (LiveStatus{QStringLiteral("Reset Pending, drop below the Start rpm."),
                                                   QStringLiteral("clMaroon")}));
    rig.pass(4000);
    EXPECT_EQ(rig.controller.state(), SweepState::Complete);
    EXPECT_EQ(rig.saveRequests, 0);
    rig.pass(3990);
    EXPECT_EQ(rig.controller.state(), SweepState::Waiting);
    EXPECT_EQ(rig.saveRequests, 0);
}

TEST(SweepController, ResetAsksBeforeErasingTheMemo)
{
    struct Case {
        PromptAnswer answer;
        bool reset;
    };
    for (const Case c : {Case{PromptAnswer::Yes, true}, Case{PromptAnswer::No, false}}) {
        SCOPED_TRACE(c.reset);
        SweepRig rig;
        rig.hold();
        rig.pass(5000);
        rig.memo.setLines({QStringLiteral("backup line")});
        rig.prompter.queueAnswer(c.answer);
        rig.pass(3700);
        ASSERT_EQ(rig.prompter.asked().size(), 1u);
        const PromptRequest& asked = rig.prompter.asked().front();
        EXPECT_EQ(asked.title, QStringLiteral("Reset will DELETE ALL data!"));
        EXPECT_EQ(asked.text, QStringLiteral("Are You Sure You Want erase all data?"));
        EXPECT_EQ(asked.icon, PromptIcon::Question);
        EXPECT_EQ(asked.buttons, PromptButtons::YesNo);
        EXPECT_EQ(rig.memo.isEmpty(), c.reset);
        EXPECT_EQ(rig.controller.state(), c.reset ? SweepState::Waiting : SweepState::Recording);
        EXPECT_EQ(rig.controller.target(), c.reset ? 4000 : 32768);
    }
}

TEST(SweepController, LeavingWithLinesOffersToSave)
{
    SweepRig rig;
    EXPECT_EQ(rig.controller.leaveForGraphs(), RecordedDataChoice::Proceed);
    EXPECT_TRUE(rig.prompter.asked().empty());
    rig.memo.setLines({QStringLiteral("line")});
    rig.prompter.queueAnswer(PromptAnswer::Yes);
    EXPECT_EQ(rig.controller.leaveForGraphs(), RecordedDataChoice::Save);
    EXPECT_EQ(rig.prompter.asked().front().title, QStringLiteral("You have not saved your last Test!"));
    EXPECT_EQ(rig.prompter.asked().front().text, QStringLiteral("Would you like to save your data before you leave?"));
}

TEST(SweepController, TargetsKeepTheSpinEditRangeAndTheCodeFollowsTheTachRatio)
{
    SweepRig rig;
    rig.setup.setValue(TestSetup::Spin::MnRpm, 1000);
    rig.pass(1000);
    EXPECT_EQ(rig.controller.target(), 1500);
    EXPECT_EQ(rig.controller.outputCode(), 4 * 480 + 2);
    rig.decoder.setTachRatio(0.0f);
    EXPECT_EQ(rig.controller.outputCode(), 1500);
}

} // namespace
} // namespace tolvane
