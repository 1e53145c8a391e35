// The sweep window over a real SweepSession: frames replayed to the byte (or the Demo Dyno with its
// rider) through the window's own tick; the status bar through a whole sweep, the save request,
// the operator's panels and popup items, the hidden controls that reach the brake command, the
// backup, and the screen as the operator sees it during a sweep.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "core/acquisition/acquisition_session.h"
#include "core/acquisition/frame_test_support.h"
#include "core/acquisition/record_backup.h"
#include "core/acquisition/sweep_controller.h"
#include "core/common/clock.h"
#include "core/common/configuration.h"
#include "core/common/number_text.h"
#include "core/common/scripted_prompter.h"
#include "core/common/text_file.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"
#include "platform/chart/toolkit_colors.h"
#include "sim/auto_rider.h"
#include "sim/demo_dyno.h"
#include "sim/replay_usb.h"
#include "sim/virtual_driver.h"
#include "support/ui_items.h"
#include "ui/acquisition/link_diagnostics_panel.h"
#include "ui/acquisition/round_dials.h"
#include "ui/acquisition/sweep_test_window.h"

namespace tolvane {
namespace {

using Spin = TestSetup::Spin;

constexpr double TachRatio = 3.125;
constexpr int Start = 4000;
constexpr int Redline = 6000;

// The queued requests of the window (the save request leaves the tick before it is delivered).
void deliver(QObject& window)
{
    QCoreApplication::sendPostedEvents(&window, QEvent::MetaCall);
}

QColor background(QWidget& widget)
{
    const QImage picture = widget.grab().toImage();
    return picture.pixelColor(picture.width() - 2, picture.height() / 2);
}

struct Rig {
    Rig()
    {
        setup.setValue(Spin::MnRpm, Start);
        setup.setValue(Spin::RedLine, Redline);
        setup.setText(TestSetup::Text::TachRatio, QStringLiteral("3.125"));
    }

    QTemporaryDir root;
    ScriptedPrompter prompter;
    const TextLocale locale = TextLocale::standard();
    UnitSettings units;
    TestSetup setup{units, prompter, locale};
    ManualClock clock{test::runTime(0)};
    Configuration configuration{root.filePath(QStringLiteral("ZezeDur_USB.Ini")), locale};
};

class SweepWindowTest : public ::testing::Test, protected Rig {
protected:
    SweepWindowTest()
    {
        QObject::connect(&window, &TAccF::saveRequested, [this] { requests << QStringLiteral("save"); });
        QObject::connect(&window, &TAccF::graphsRequested, [this] { requests << QStringLiteral("graphs"); });
        QObject::connect(&window, &TAccF::atmosphericWindowRequested,
                         [this] { requests << QStringLiteral("atmospheric"); });
        QObject::connect(&window, &TAccF::testSetupRequested, [this] { requests << QStringLiteral("setup"); });
        window.resize(1280, 800);
        window.show();
    }

    // One 40 ms tick with the engine at `engineRpm` (load count 31: a force of 30).
    void tick(double engineRpm)
    {
        clock.advanceMs(40);
        usb.push(test::sweepBytes(31, static_cast<quint32>(800000000.0 / (engineRpm / TachRatio) + 0.5)));
        window.Timer1Timer();
        deliver(window);
    }
    void ticks(int count, double engineRpm)
    {
        for (int k = 0; k < count; ++k)
            tick(engineRpm);
    }
    LiveStatus shown() const
    {
        return {window.Statusp()->text(), colorToName(background(*window.Statusp()))};
    }

    sim::ReplayUsb usb;
    SweepSession session{usb, clock, setup, units, prompter, locale};
    TAccF window{session, setup, units, configuration, clock, prompter, root.path(), false};
    QStringList requests;
};

TEST_F(SweepWindowTest, StatusBarFollowsAWholeSweepAndAsksForTheSaveOnce)
{
    struct Step {
        int ticks;
        double engineRpm;
        LiveStatus status;
        const char* what;
    };
    const Step steps[] = {
        {0, 0, {QStringLiteral("Ready"), QStringLiteral("clGreen")}, "after showing"},
        {10, Start + 10, {QStringLiteral("Hold throttle steady! Sweep Will Start in 20"), QStringLiteral("clGreen")},
         "holding"},
        {21, Start, {QStringLiteral("Recording! Steady Throttle to 6000"), QStringLiteral("clRed")}, "recording"},
        {20, 5500, {QStringLiteral("Recording! Steady Throttle to 6000"), QStringLiteral("clRed")}, "accelerating"},
        {1, 6100, {QStringLiteral(" Close throttle! Brakedown to 4000"), QStringLiteral("clMaroon")}, "redline"},
        {3, 4500, {QStringLiteral(" Close throttle! Brakedown to 4000"), QStringLiteral("clMaroon")}, "braking"},
        {5, 3900, {QStringLiteral("Test Complete, save your data or reset."), QStringLiteral("clAqua")},
         "complete"},
        {5, 4200, {QStringLiteral("Test Complete, save your data or reset."), QStringLiteral("clAqua")},
         "revving after the end"},
    };
    for (const Step& s : steps) {
        ticks(s.ticks, s.engineRpm);
        EXPECT_EQ(shown(), s.status) << s.what;
        EXPECT_EQ(window.TstStat()->text(), s.status.text) << s.what;
    }
    EXPECT_EQ(requests, QStringList{QStringLiteral("save")});
    EXPECT_EQ(window.TrpmE()->value(), SweepController::CompleteTarget);

    // Saved above the start speed: blue, and the reset waits for the engine to drop.
    window.savedRun();
    EXPECT_EQ(shown(), (LiveStatus{SweepController::ResetPendingText, QStringLiteral("clBlue")}));
    tick(3900);
    EXPECT_EQ(shown(), (LiveStatus{QStringLiteral("Ready"), QStringLiteral("clGreen")}));
    EXPECT_EQ(session.grid().rowCount(), SampleGrid::ResetRowCount);
    EXPECT_EQ(requests, QStringList{QStringLiteral("save")});
    EXPECT_TRUE(prompter.asked().empty());
}

TEST_F(SweepWindowTest, ResetAboveTheStartSpeedWaitsForTheEngineToDrop)
{
    tick(6000);
    window.ResetP()->click();
    EXPECT_EQ(shown(), (LiveStatus{SweepController::ResetPendingText, QStringLiteral("clGreen")}));
    tick(5000);
    EXPECT_EQ(window.Statusp()->text(), SweepController::ResetPendingText);
    tick(3990);
    EXPECT_EQ(shown(), (LiveStatus{QStringLiteral("Ready"), QStringLiteral("clGreen")}));

    // With lines in the memo the reset asks first; No keeps them.
    session.memo().setLines({QStringLiteral("kept")});
    prompter.queueAnswer(PromptAnswer::No);
    window.ResetP()->click();
    ASSERT_EQ(prompter.asked().size(), 1u);
    EXPECT_EQ(prompter.asked()[0].title, SweepController::ResetTitle);
    EXPECT_EQ(session.memo().lines(), QStringList{QStringLiteral("kept")});
}

TEST_F(SweepWindowTest, GraphsAsksAboutUnsavedLinesBeforeLeaving)
{
    struct Case {
        bool lines;
        PromptAnswer answer;
        QStringList requests;
        bool visible;
        int questions;
    };
    const Case cases[] = {
        {false, PromptAnswer::Yes, {QStringLiteral("graphs")}, false, 0},
        {true, PromptAnswer::Yes, {QStringLiteral("atmospheric")}, true, 1},
        {true, PromptAnswer::No, {QStringLiteral("graphs")}, false, 1},
    };
    for (const Case& c : cases) {
        window.show();
        requests.clear();
        prompter.clearRecord();
        session.memo().setLines(c.lines ? QStringList{QStringLiteral("line")} : QStringList{});
        if (c.questions > 0)
            prompter.queueAnswer(c.answer);
        window.GraphP()->click();
        EXPECT_EQ(requests, c.requests) << c.lines << int(c.answer);
        EXPECT_EQ(window.isVisible(), c.visible);
        ASSERT_EQ(static_cast<int>(prompter.asked().size()), c.questions);
        if (c.questions > 0) {
            EXPECT_EQ(prompter.asked()[0].title, QStringLiteral("You have not saved your last Test!"));
            EXPECT_EQ(prompter.asked()[0].text,
                      QStringLiteral("Would you like to save your data before you leave?"));
            EXPECT_EQ(prompter.asked()[0].buttons, PromptButtons::YesNo);
        }
    }
    // Leaving disconnected the unit; the caption and the popup item lead the same way.
    EXPECT_FALSE(session.link().isOpen());
    EXPECT_EQ(window.GraphCaptionP()->text(), QStringLiteral("Cancel test and return to Graph Screen"));
    window.show();
    EXPECT_TRUE(session.link().isOpen());
    session.memo().clear();
    requests.clear();
    window.GoToGraphs1()->trigger();
    EXPECT_EQ(requests, QStringList{QStringLiteral("graphs")});
}

TEST_F(SweepWindowTest, PanelsAndPopupItemsAskForTheirWindows)
{
    struct Case {
        const char* name;
        bool popup;
        const char* request;
    };
    const Case cases[] = {
        {"SaveP", false, "save"},
        {"SetupP", false, "setup"},
        {"TestSetup1", true, "setup"},
    };
    for (const Case& c : cases) {
        requests.clear();
        if (c.popup)
            test::item(*window.popup(), c.name).trigger();
        else
            test::item<QPushButton>(window, c.name).click();
        EXPECT_EQ(requests, QStringList{QLatin1String(c.request)}) << c.name;
    }
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(prompter.asked().empty());
}

TEST_F(SweepWindowTest, PanelsShowTheSweepValuesUnderTheUnitLabels)
{
    EXPECT_EQ(window.speedUnit()->text(), QStringLiteral("MPH"));
    EXPECT_EQ(window.powerUnit()->text(), QStringLiteral("BHP"));
    EXPECT_EQ(window.torqueUnit()->text(), QStringLiteral("Ft/Lbs"));
    ticks(3, Start);
    // Roller 1280 rpm x 0.0379 = 48.5 mph; a steady roller has no inertia torque: force 30 plus
    // drag 2.688 at 1280 rpm gives 32.688 x 1280 / 5252 = 8.0 hp and 32.688 / 3.125 = 10.5 lb-ft.
    EXPECT_EQ(window.mphl()->text(), QStringLiteral("48.5"));
    EXPECT_EQ(window.Hpl()->text(), QStringLiteral("8.0"));
    EXPECT_EQ(window.Tql()->text(), QStringLiteral("10.5"));
    EXPECT_EQ(window.Accl()->text(), QStringLiteral("0.0"));
    // The dials carry the setup's scale and the sample's engine speed.
    EXPECT_DOUBLE_EQ(window.RndTach()->rpmAngle(), rpmNeedleAngle(Start, Redline));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Sweep Test"));
    EXPECT_FALSE(window.DemoDyno1()->isVisible());
}

TEST_F(SweepWindowTest, UsbPanelShowsTheLinkAndPausesWithoutBytes)
{
    LinkDiagnosticsPanel& panel = *window.USB_Panel();
    EXPECT_FALSE(panel.isVisible());
    window.ViewUSBPannel1()->trigger();
    ASSERT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.connectionLabel()->text(), QStringLiteral("USB Connected"));
    EXPECT_EQ(panel.productLabel()->text(), QStringLiteral("Product  qv512 Rep"));
    EXPECT_EQ(panel.lightLabel()->text(), QStringLiteral("ON"));
    tick(Start);
    EXPECT_EQ(panel.callLabel(6)->text(), QStringLiteral("Bytes RX  9"));
    EXPECT_EQ(panel.callLabel(8)->text(), QStringLiteral("Num written  9"));

    window.Timer1Timer(); // nothing waiting
    EXPECT_EQ(panel.productLabel()->text(), QStringLiteral("Pause"));
    QTest::mouseDClick(&panel, Qt::LeftButton);
    EXPECT_FALSE(panel.isVisible());

    window.hide();
    EXPECT_EQ(panel.connectionLabel()->text(), QStringLiteral("USB NOT Connected!!!"));
    EXPECT_FALSE(window.Timer1().isActive());
}

// The hidden spin edits and the diagnostics controls reach the setup, the poll and the command.
TEST_F(SweepWindowTest, HiddenControlsReachTheSetupThePollAndTheCommand)
{
    EXPECT_EQ(window.WWRider()->value(), 10);
    EXPECT_EQ(window.DrgCo()->value(), 20);
    EXPECT_EQ(window.WWRider()->minimum(), 5);
    EXPECT_EQ(window.DrgCo()->maximum(), 50);
    window.WWRider()->setValue(17);
    window.DrgCo()->setValue(33);
    EXPECT_EQ(setup.value(Spin::WWRider), 17);
    EXPECT_EQ(setup.value(Spin::DrgCo), 33);

    EXPECT_EQ(window.Timer1().interval(), 40);
    EXPECT_TRUE(window.Timer1().isActive());
    EXPECT_EQ(window.TrackBar1()->minimum(), 1);
    EXPECT_EQ(window.TrackBar1()->maximum(), 100);
    window.TrackBar1()->setValue(7);
    EXPECT_EQ(window.Timer1().interval(), 7);

    window.ScrollBar2()->setValue(200);
    window.ScrollBar3()->setValue(5);
    tick(Start);
    const QByteArray command = usb.lastCommand();
    ASSERT_EQ(command.size(), 9);
    EXPECT_EQ(quint8(command[6]), 17);
    EXPECT_EQ(quint8(command[7]), 200);
    EXPECT_EQ(quint8(command[8]), 5);
}

TEST_F(SweepWindowTest, LoadBackupFillsTheMemoAndAMissingOneKeepsIt)
{
    session.memo().setLines({QStringLiteral("before")});
    window.LoadBackup1()->trigger();
    ASSERT_EQ(prompter.asked().size(), 1u);
    EXPECT_EQ(prompter.asked()[0].icon, PromptIcon::Error);
    EXPECT_EQ(session.memo().lines(), QStringList{QStringLiteral("before")});

    const QStringList lines{QStringLiteral("4000\t48.5\t8.0\t10.5\t"), QStringLiteral("4100\t49.7\t8.3\t10.6\t")};
    ASSERT_FALSE(writeTextLines(backupPath(root.path(), BackupKind::Sweep), lines));
    window.LoadBackup1()->trigger();
    EXPECT_EQ(session.memo().lines(), lines);
    EXPECT_EQ(window.Memo1()->toPlainText(), lines.join(QLatin1Char('\n')));
}

// A tach ratio the setup refuses is told once, not on every resize; a good one is taken.
TEST_F(SweepWindowTest, ARefusedTachRatioIsToldOnce)
{
    setup.setText(TestSetup::Text::TachRatio, QStringLiteral("3,x"));
    window.resize(1300, 800);
    window.resize(1320, 820);
    deliver(window);
    ASSERT_EQ(prompter.asked().size(), 1u);
    EXPECT_TRUE(prompter.asked()[0].text.contains(QStringLiteral("\"3,x\""))) << prompter.asked()[0].text.toStdString();
    EXPECT_EQ(session.decoder().tachRatio(), 3.125f);

    setup.setText(TestSetup::Text::TachRatio, QStringLiteral("3.4"));
    window.resize(1340, 820);
    deliver(window);
    EXPECT_EQ(session.decoder().tachRatio(), 3.4f);
    EXPECT_EQ(prompter.asked().size(), 1u);
    EXPECT_EQ(QFontInfo(window.TstStat()->font()).pointSize(), 28);
}

// The Demo Dyno with its rider through the window's tick: the whole sweep ends in one save request,
// and mid-sweep the screen is grabbed at the two usual screen sizes.
TEST(SweepWindowDemo, RunsASweepOnTheDemoDynoAndRendersIt)
{
    Rig rig;
    ConfigChanges load(QLatin1Char('.'));
    load.set(ConfigKeys::LoadOff, sim::DemoDyno::LoadCellOffset);
    load.set(ConfigKeys::LoadSpan, sim::DemoDyno::LoadCellSpan);
    ASSERT_FALSE(rig.configuration.apply(load));
    rig.setup.setValue(Spin::MnRpm, 3000);
    rig.setup.setValue(Spin::RedLine, 12000);
    sim::DemoDyno dyno(rig.clock);
    rig.setup.setText(TestSetup::Text::InertiaE, formatNumber(dyno.setupInertia(), u"0.0000", rig.locale));
    sim::VirtualDriver driver(dyno);
    sim::AutoRider rider(driver);
    SweepSession session(dyno, rig.clock, rig.setup, rig.units, rig.prompter, rig.locale);
    TAccF window(session, rig.setup, rig.units, rig.configuration, rig.clock, rig.prompter, rig.root.path(), true);
    int saves = 0;
    QObject::connect(&window, &TAccF::saveRequested, [&] { ++saves; });
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Sweep Test - Demo Dyno"));
    EXPECT_TRUE(window.DemoDyno1()->isVisible());
    int demoWindows = 0;
    QObject::connect(&window, &TAccF::demoDynoWindowRequested, [&] { ++demoWindows; });
    window.DemoDyno1()->trigger();
    EXPECT_EQ(demoWindows, 1);
    window.resize(1280, 800);
    window.show();
    ASSERT_TRUE(session.link().isOpen());
    EXPECT_FALSE(QFontInfo(window.Statusp()->font()).family().isEmpty());

    const QString grabDir = qEnvironmentVariable("TOLVANE_GRAB_DIR");
    bool grabbed = false;
    for (int k = 0; k < 5000 && saves == 0; ++k) {
        rig.clock.advanceMs(sim::DemoDyno::FrameIntervalMs);
        window.Timer1Timer();
        deliver(window);
        rider.steer(session.controller(), rig.setup);
        driver.update();
        if (!grabbed && session.controller().state() == SweepState::Recording && dyno.engineRpm() > 8000) {
            grabbed = true;
            for (const QSize size : {QSize(1280, 800), QSize(1920, 1080)}) {
                window.resize(size);
                const QImage picture = window.grab().toImage();
                EXPECT_EQ(picture.size(), size);
                // Nothing clipped: every panel is as tall as its digits, the dials lie inside.
                for (QLabel* label : {window.mphl(), window.Hpl(), window.Accl(), window.Tql(), window.TstStat()})
                    EXPECT_GE(label->height(), QFontMetrics(label->font()).height()) << label->objectName().toStdString();
                const QWidget& dials = *window.RndTach();
                EXPECT_TRUE(window.rect().contains(dials.geometry()));
                EXPECT_LT(dials.height(), dials.width() / 2);
                EXPECT_EQ(colorToName(background(*window.Statusp())), QStringLiteral("clRed"));
                if (!grabDir.isEmpty())
                    picture.save(QDir(grabDir).filePath(
                        QStringLiteral("sweep_window_%1x%2.png").arg(size.width()).arg(size.height())));
            }
        }
    }
    EXPECT_TRUE(grabbed);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(session.controller().state(), SweepState::Complete);
    EXPECT_GT(session.grid().rowCount(), 50);
    EXPECT_TRUE(rig.prompter.asked().empty());
}

} // namespace
} // namespace tolvane
