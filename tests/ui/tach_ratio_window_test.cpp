// The tach-ratio window over a step session fed by a replaying Black Box on a manual clock: the
// function keys' no-load ratio, the loaded correction, the target the window offers and the one
// typed, OK and Cancel with the restart; the step target, status and ratio go through the session.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/acquisition/acquisition_session.h"
#include "core/acquisition/step_controller.h"
#include "core/setup/test_setup.h"
#include "support/step_session_rig.h"
#include "ui/setup/tach_ratio_window.h"

namespace tolvane {
namespace {

constexpr quint32 Period2560 = 312500; // roller 2560 rpm
constexpr quint32 Period99 = 8080809;  // roller just below 100 rpm
constexpr quint32 Load = 31;

class TachRatioWindowTest : public ::testing::Test, protected test::StepSessionRig {
protected:
    TachRatioWindowTest()
    {
        setup.setScript({QStringLiteral("3000"), QStringLiteral("4000")});
        // What the setup window's SaveasDefault1Click does to the step window, which the
        // application wires in.
        QObject::connect(&window, &TTachF::applySetupRequested, [this] {
            ++applied;
            controller().startFromSetup();
        });
        QObject::connect(&window, &TTachF::saveRequested, [this] { ++saves; });
        controller().startFromSetup();
    }

    StepController& controller() { return session.controller(); }
    // One 40 ms tick of the step window's timer with a frame of this roller period.
    void frames(int count, quint32 period)
    {
        for (int k = 0; k < count; ++k) {
            frame(Load, period);
        }
    }
    void pressF8()
    {
        frames(3, Period2560);
        window.FormKeyDown(8);
    }

    TTachF window{session, prompter};
    int applied = 0;
    int saves = 0;
};

TEST_F(TachRatioWindowTest, OpeningOffersEightyPercentOfTheEndRpm)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Set Tachometer Ratio"));
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(window.ApplyBtn()->text(), QStringLiteral("Apply"));
    EXPECT_EQ(window.okbtn()->text(), QStringLiteral("OK"));
    EXPECT_EQ(window.CancelBtn()->text(), QStringLiteral("Cancel"));
    EXPECT_TRUE(window.PrRatio()->isReadOnly());
    EXPECT_TRUE(window.instructions()->isReadOnly());
    EXPECT_TRUE(window.instructions()->toPlainText().contains(QStringLiteral("F8 for 8000")));

    const struct {
        int redLine;
        const char* offered;
    } cases[] = {{12000, "10000"}, {11250, "9000"}, {12500, "10000"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.redLine);
        setup.setValue(TestSetup::Spin::RedLine, c.redLine);
        controller().restart();
        window.show();
        EXPECT_EQ(window.Tachtrgt()->text(), QString::fromLatin1(c.offered));
        EXPECT_EQ(QString::number(controller().target()), QString::fromLatin1(c.offered));
        EXPECT_EQ(controller().status(),
                  (LiveStatus{QStringLiteral("Set Tech @  %1 rpm.").arg(QLatin1String(c.offered)),
                              QStringLiteral("clYellow")}));
        // The loaded rpm starts at the target the step test had; the ratio is the one in use.
        EXPECT_EQ(window.TachLoaded()->text(), QStringLiteral("3000"));
        EXPECT_EQ(window.PrRatio()->text(), QStringLiteral("3.1250"));
        EXPECT_FALSE(window.ApplyBtn()->isEnabled());
        EXPECT_FALSE(window.okbtn()->isEnabled());
        window.hide();
    }
}

TEST_F(TachRatioWindowTest, FunctionKeySetsTheNoLoadRatioAndTheTarget)
{
    setup.setText(TestSetup::Text::TachRatio, QStringLiteral("2.0000"));
    controller().startFromSetup();
    // From the step window (this window hidden) and again with this window showing.
    for (const bool showing : {false, true}) {
        SCOPED_TRACE(showing ? "showing" : "hidden");
        ASSERT_EQ(window.isVisible(), showing);
        applied = 0;
        pressF8();
        EXPECT_TRUE(window.isVisible());
        EXPECT_FLOAT_EQ(session.decoder().tachRatio(), 3.125f);
        EXPECT_FLOAT_EQ(window.restoreRatio(), 3.125f);
        EXPECT_EQ(controller().target(), 8000);
        EXPECT_EQ(setup.text(TestSetup::Text::TachRatio), QStringLiteral("3.1250"));
        EXPECT_EQ(setup.tachRatioLabel(), QStringLiteral("3.1250:1"));
        EXPECT_EQ(window.PrRatio()->text(), QStringLiteral("3.1250"));
        EXPECT_EQ(window.TachLoaded()->text(), QStringLiteral("8000"));
        EXPECT_EQ(window.Tachtrgt()->text(), QStringLiteral("8000"));
        EXPECT_EQ(applied, 1);
        EXPECT_EQ(controller().status(), (LiveStatus{QStringLiteral("This Target is  8000,  apply throttle."),
                                                     QStringLiteral("clGreen")}));
        EXPECT_TRUE(window.ApplyBtn()->isEnabled());
        EXPECT_TRUE(window.okbtn()->isEnabled());
    }

    // The key typed into a control reaches the window first: F9 at the same roller speed.
    QKeyEvent f9(QEvent::KeyPress, Qt::Key_F9, Qt::NoModifier);
    QApplication::sendEvent(window.TachLoaded(), &f9);
    EXPECT_EQ(setup.text(TestSetup::Text::TachRatio), QStringLiteral("3.5156"));
    EXPECT_EQ(controller().target(), 9000);
    EXPECT_EQ(window.TachLoaded()->text(), QStringLiteral("9000"));
}

TEST_F(TachRatioWindowTest, FunctionKeysNeedATurningRoller)
{
    const struct {
        const char* name;
        quint32 lastPeriod;
    } cases[] = {{"roller stopped after turning", 0}, {"roller below 100 rpm", Period99}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        frames(3, Period2560);
        frames(1, c.lastPeriod);
        applied = 0;
        window.FormKeyDown(8);
        EXPECT_FALSE(window.isVisible());
        EXPECT_FLOAT_EQ(session.decoder().tachRatio(), 3.125f);
        EXPECT_EQ(controller().target(), 3000);
        EXPECT_EQ(applied, 0);
    }
    // No function key beyond F12.
    frames(1, Period2560);
    window.FormKeyDown(13);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(TachRatioWindowTest, LoadedRpmCorrectsTheRatio)
{
    pressF8();
    test::typeInto(window.TachLoaded(), QStringLiteral("7800"));
    window.ApplyBtnClick();
    EXPECT_EQ(window.PrRatio()->text(), QStringLiteral("3.0469"));
    EXPECT_FLOAT_EQ(session.decoder().tachRatio(), 3.046875f);
    EXPECT_EQ(setup.tachRatioLabel(), QStringLiteral("3.0469:1"));
    EXPECT_FALSE(window.ApplyBtn()->isEnabled());
    EXPECT_TRUE(window.okbtn()->isEnabled());
    EXPECT_EQ(controller().target(), 8000);
    EXPECT_EQ(controller().status().text, QStringLiteral("Loaded Tach Setup, GOTO  8000"));
    EXPECT_TRUE(prompter.asked().empty());
}

TEST_F(TachRatioWindowTest, LoadedRpmLimits)
{
    const struct {
        const char* loaded;
        bool enabled; // Apply and OK after typing
        bool refused; // Apply shows the message
        const char* ratio;
    } cases[] = {
        {"20000", true, false, "7.8125"}, {"20001", true, true, "3.1250"}, {"78o0", false, false, "3.1250"},
        {"0", false, false, "3.1250"},    {"", false, false, "3.1250"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.loaded);
        prompter.clearRecord();
        pressF8();
        test::typeInto(window.TachLoaded(), QString::fromLatin1(c.loaded));
        EXPECT_EQ(window.ApplyBtn()->isEnabled(), c.enabled);
        EXPECT_EQ(window.okbtn()->isEnabled(), c.enabled);
        // Enter in the loaded rpm runs Apply when it can.
        window.TachLoadedKeyDown();
        EXPECT_EQ(prompter.askedTexts(),
                  c.refused ? QStringList{QStringLiteral("Cannot allow rpm > 20,000")} : QStringList{});
        EXPECT_EQ(setup.text(TestSetup::Text::TachRatio), QString::fromLatin1(c.ratio));
        window.hide();
    }
}

TEST_F(TachRatioWindowTest, TypedTargetFrom1900Up)
{
    window.show();
    test::typeInto(window.Tachtrgt(), QStringLiteral("1899"));
    EXPECT_EQ(controller().target(), 10000);
    EXPECT_EQ(controller().status().text, QStringLiteral("Set Tech @  10000 rpm."));
    test::typeInto(window.Tachtrgt(), QStringLiteral("1900"));
    EXPECT_EQ(controller().target(), 1900);
    EXPECT_EQ(controller().status(),
              (LiveStatus{QStringLiteral("Set Tach @  1900 rpm."), QStringLiteral("clYellow")}));
    test::typeInto(window.Tachtrgt(), QStringLiteral("9x00"));
    EXPECT_EQ(controller().target(), 1900);
}

TEST_F(TachRatioWindowTest, NoRecordingWhileTheWindowShows)
{
    pressF8();
    frames(10, Period2560); // the engine holds the target
    EXPECT_EQ(controller().state(), StepState::Waiting);
    EXPECT_EQ(controller().acquireCount(), 0);
    EXPECT_EQ(controller().status().text, QStringLiteral("This Target is  8000,  apply throttle."));
    window.hide();
    frames(1, Period2560);
    EXPECT_EQ(controller().state(), StepState::Acquiring);
}

TEST_F(TachRatioWindowTest, OkMayEraseTheSamplesThenRestarts)
{
    const struct {
        const char* name;
        std::vector<PromptAnswer> answers; // erase?, then the restart question
        QStringList asked;
        bool memoKept;
        int saves;
    } cases[] = {
        {"erase", {PromptAnswer::Yes}, {TTachF::EraseText}, false, 0},
        {"keep, then keep",
         {PromptAnswer::No, PromptAnswer::Cancel},
         {TTachF::EraseText, StepController::RestartText},
         true,
         0},
        {"keep, then save",
         {PromptAnswer::No, PromptAnswer::Yes},
         {TTachF::EraseText, StepController::RestartText},
         true,
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.clearRecord();
        saves = 0;
        pressF8();
        session.memo().setLines({QStringLiteral("8000\t97.0\t17.2\t11.3\t")});
        for (const PromptAnswer answer : c.answers)
            prompter.queueAnswer(answer);
        applied = 0;
        window.OKBtnClick();
        EXPECT_EQ(prompter.askedTexts(), c.asked);
        EXPECT_EQ(prompter.asked().front().title, QStringLiteral("Erase sample data?"));
        EXPECT_EQ(prompter.asked().front().buttons, PromptButtons::YesNo);
        EXPECT_EQ(session.memo().isEmpty(), !c.memoKept);
        EXPECT_EQ(saves, c.saves);
        EXPECT_GE(applied, 1);
        EXPECT_FALSE(window.isVisible());
        EXPECT_FLOAT_EQ(session.decoder().tachRatio(), 3.125f);
        if (!c.memoKept) {
            // Restarted: the first script target, the controller's own text.
            EXPECT_EQ(controller().target(), 3000);
            EXPECT_EQ(controller().status().text, QStringLiteral("This Target is  3000,  apply throttle."));
        }
        session.memo().clear();
    }
}

TEST_F(TachRatioWindowTest, CancelPutsTheRatioBackAndRestarts)
{
    window.show();
    frames(3, Period2560);
    controller().setTargetRpm(8000);
    test::typeInto(window.TachLoaded(), QStringLiteral("7800"));
    window.ApplyBtnClick();
    ASSERT_EQ(setup.text(TestSetup::Text::TachRatio), QStringLiteral("3.0469"));
    window.CancelBtnClick();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FLOAT_EQ(session.decoder().tachRatio(), 3.125f);
    EXPECT_EQ(setup.tachRatioLabel(), QStringLiteral("3.1250:1"));
    EXPECT_EQ(controller().target(), 3000);
    EXPECT_EQ(controller().status().text, QStringLiteral("This Target is  3000,  apply throttle."));
    EXPECT_TRUE(prompter.asked().empty());
}

TEST_F(TachRatioWindowTest, Renders)
{
    pressF8();
    const QImage picture = window.grab().toImage();
    EXPECT_FALSE(picture.isNull());
    const QString grabDir = qEnvironmentVariable("TOLVANE_GRAB_DIR");
    if (!grabDir.isEmpty())
        picture.save(QDir(grabDir).filePath(QStringLiteral("tach_ratio.png")));
}

} // namespace
} // namespace tolvane
