// The step-test window over a StepSession on a manual clock: the menu table, showing with and
// without recorded lines, the connection displays, the panels and status after frames, the record
// memo both ways with its backup and the crash-backup offer, "Load backup", "Save Event bmp", the
// diagnostics panel's controls and the inertia measurement. Frames come from a replaying Black
// Box; the screenshots from the Demo Dyno with its rider on autopilot.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTemporaryDir>

#include <memory>

#include "core/acquisition/acquisition_session.h"
#include "core/acquisition/frame_test_support.h"
#include "core/acquisition/record_backup.h"
#include "core/acquisition/step_controller.h"
#include "core/analysis/graph_settings.h"
#include "core/analysis/series_model.h"
#include "core/analysis/viewer_state.h"
#include "core/common/clock.h"
#include "core/common/configuration.h"
#include "core/common/scripted_prompter.h"
#include "core/common/text_file.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"
#include "core/setup/weather_record.h"
#include "sim/auto_rider.h"
#include "sim/demo_dyno.h"
#include "sim/replay_usb.h"
#include "sim/virtual_driver.h"
#include "support/ui_items.h"
#include "ui/acquisition/step_diagnostics_panel.h"
#include "ui/acquisition/step_graphs.h"
#include "ui/acquisition/step_inertia_measurement.h"
#include "ui/acquisition/step_memo_binding.h"
#include "ui/acquisition/step_test_menus.h"
#include "ui/acquisition/step_test_window.h"

namespace tolvane {
namespace {

// Roller 2560 rpm (engine 8000 at 3.125) and force 30: power 17.24; roller 3000 leaves the band.
constexpr quint32 TargetPeriod = 312500;
constexpr quint32 FastPeriod = 266667;
constexpr quint32 Load = 31;
const QString RecordLine = QStringLiteral("8000\t97.0\t17.2\t11.3\t");

class StepWindowTest : public ::testing::Test {
protected:
    StepWindowTest()
    {
        QDir().mkpath(root());
        setup.setValue(TestSetup::Spin::MnSec, 2);
        setup.setChecked(TestSetup::Check::AutoDecellcb, false);
        setup.setChecked(TestSetup::Check::WarmToCb, false);
        setup.setScript({QStringLiteral("8000"), QStringLiteral("9000")});
    }
    ~StepWindowTest() override { window.reset(); }

    QString root() const { return dir.filePath(QStringLiteral("dynoruns")); }
    void make(BlackBoxUsb& unit, bool demo = false)
    {
        window.reset();
        session = std::make_unique<StepSession>(unit, clock, setup, units, prompter, locale);
        window = std::make_unique<TDisply>(StepWindowModels{*session, units, weather, configuration, viewer,
                                                            preview, graphSettings, prompter, locale,
                                                            DataPaths(dir.path()), root(), demo});
        window->resize(1280, 800);
    }
    void showStarted()
    {
        window->show();
        window->startFromSetup();
    }
    void tick(quint32 period, int times = 1)
    {
        for (int k = 0; k < times; ++k) {
            usb.push(test::stepBytes(Load, period));
            clock.advanceMs(40);
            window->Timer1Timer();
        }
    }
    // Settled smoothing, then acquiring and recording at 8000.
    void recordAtTarget()
    {
        QCheckBox& autoRec = test::item<QCheckBox>(*window, "AutoRec");
        autoRec.click();
        tick(TargetPeriod, 30);
        autoRec.click();
        tick(TargetPeriod, 16);
    }
    // ... until the engine leaves the band and the line is written.
    void recordOneLine()
    {
        recordAtTarget();
        tick(FastPeriod);
    }
    QString text(const char* name) const { return test::item<QLabel>(*window, name).text(); }
    const StepTestMenus& menus() const { return window->menus(); }

    QTemporaryDir dir;
    const TextLocale locale;
    ScriptedPrompter prompter;
    UnitSettings units;
    TestSetup setup{units, prompter, locale};
    ManualClock clock{test::runTime(0)};
    sim::ReplayUsb usb;
    WeatherRecord weather;
    Configuration configuration{dir.filePath(QStringLiteral("ZezeDur_USB.Ini")), locale};
    ViewerState viewer;
    SeriesModel preview;
    GraphSettings graphSettings;
    std::unique_ptr<StepSession> session;
    std::unique_ptr<TDisply> window;
};

TEST_F(StepWindowTest, MenusHoldTheirCaptionsKeysAndStates)
{
    make(usb);
    struct Row {
        const char* name;
        const char* caption;
        QKeySequence key;
        bool visible;
        bool enabled;
    };
    // A hidden item counts as disabled: its own shortcut does not fire.
    const Row rows[] = {
        {"SaveData1", "Save Data", QKeySequence(Qt::ALT | Qt::Key_S), true, true},
        {"GotoGraphs1", "Goto Graphs", QKeySequence(Qt::ALT | Qt::Key_G), true, true},
        {"ExitAll1", "Exit All", QKeySequence(Qt::ALT | Qt::Key_F4), true, true},
        {"Restart1", "Restart", {}, true, true},
        {"Stop1", "Stop", {}, true, true},
        {"TestSetup1", "Test Setup", {}, true, true},
        {"EditDynoIni1", "Edit Dyno_ini", {}, true, false},
        {"SetTachRatio1", "Set Tach Ratio", {}, true, true},
        {"CalibrateLoadCell1", "Calibrate Load cell", QKeySequence(Qt::ALT | Qt::Key_C), true, true},
        {"CalInertia1", "Cal. Inertia", QKeySequence(Qt::ALT | Qt::Key_I), false, false},
        {"DemoDyno1", "Demo Dyno", {}, false, false},
        {"ToggleDisplay1", "Toggle Display", {}, true, false},
        {"HelpBrowser1", "Help Browser", {}, true, false},
        {"Hints1", "Hints", QKeySequence(Qt::Key_F1), true, true},
        {"About1", "&About...", {}, true, true},
        {"SaveTest2", "Save Test", {}, true, true},
        {"TestSetup2", "Test Setup", {}, true, true},
        {"SetTachRatio2", "Set Tach Ratio", {}, true, true},
        {"CalibrateLoadCell2", "Calibrate Load Cell", {}, true, true},
        {"ToggleEGAWindow2", "Toggle EGA Window", {}, true, false},
        {"GotoGraphs2", "Goto Graphs", {}, true, true},
        {"ToggleUSB2", "Toggle USB", {}, true, true},
        {"LoadBackup2", "Load backup", {}, true, true},
        {"SaveEventBmp2", "Save Event bmp", {}, true, true},
        {"CalInertia2", "Cal. Inertia", {}, true, true},
        {"DemoDyno2", "Demo Dyno", {}, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QAction& action = test::item(*window, row.name);
        EXPECT_EQ(action.text(), QLatin1String(row.caption));
        EXPECT_EQ(action.shortcut(), row.key);
        EXPECT_EQ(action.isVisible(), row.visible);
        EXPECT_EQ(action.isEnabled(), row.enabled);
    }
    EXPECT_TRUE(menus().Hints1->isCheckable());
    EXPECT_FALSE(window->windowTitle().contains(QLatin1String("Demo Dyno")));

    // On the Demo Dyno the caption says so and its window can be reached from both menus.
    sim::DemoDyno dyno(clock);
    make(dyno, true);
    EXPECT_TRUE(window->windowTitle().endsWith(QLatin1String("Demo Dyno")));
    int demoRequests = 0;
    QObject::connect(window.get(), &TDisply::demoDynoWindowRequested, [&] { ++demoRequests; });
    for (const char* name : {"DemoDyno1", "DemoDyno2"}) {
        EXPECT_TRUE(test::item(*window, name).isVisible());
        test::item(*window, name).trigger();
    }
    EXPECT_EQ(demoRequests, 2);
}

TEST_F(StepWindowTest, ShowingConnectsAndAsksTheRestartQuestionOnlyOverRecordedLines)
{
    make(usb);
    setup.setChecked(TestSetup::Check::WarmToCb, true);
    window->show();
    EXPECT_TRUE(prompter.asked().empty());
    EXPECT_EQ(window->Statusp()->text(), QStringLiteral(" Ready "));
    for (const char* panel : {"mphl", "Tql", "Hpl"})
        EXPECT_EQ(text(panel), QStringLiteral("0.0")) << panel;
    EXPECT_EQ(text("Warm_Status"), QStringLiteral("*Warm Up*"));
    EXPECT_EQ(text("user_dis1Label"), QStringLiteral("SAE"));
    EXPECT_EQ(text("user_dis2Label"), QStringLiteral("NOx"));
    EXPECT_EQ(window->Heder()->toPlainText(),
              units.engineSpeedUnit() + QLatin1Char('\t') + units.roadSpeedUnit() + QLatin1Char('\t') +
                  units.powerUnitLabel() + QLatin1Char('\t') + units.forceUnit() + QLatin1Char('\t') +
                  units.egaHeadings());
    EXPECT_EQ(window->ScriptLB()->count(), 2);
    EXPECT_EQ(window->ScriptLB()->currentRow(), 0);

    window->hide();
    session->memo().append(RecordLine);
    prompter.queueAnswer(PromptAnswer::Cancel);
    window->show();
    ASSERT_FALSE(prompter.asked().empty());
    EXPECT_EQ(prompter.asked().front().title, StepController::RestartTitle);
    EXPECT_EQ(session->memo().lines(), QStringList{RecordLine}); // Cancel keeps the lines
}

TEST_F(StepWindowTest, StopShowsTheDisconnectionAndStopsPolling)
{
    make(usb);
    showStarted();
    tick(TargetPeriod, 3);
    EXPECT_EQ(usb.framesRead(), 3u);
    menus().Stop1->trigger();
    EXPECT_EQ(text("mphl"), QStringLiteral("Check"));
    EXPECT_EQ(text("Tql"), QStringLiteral("no"));
    EXPECT_EQ(text("Hpl"), QStringLiteral("USB"));
    EXPECT_EQ(window->Statusp()->text(), TDisply::NoDataText);
    tick(TargetPeriod, 2);
    EXPECT_EQ(usb.framesRead(), 3u);

    menus().Restart1->trigger(); // connects again
    EXPECT_EQ(text("mphl"), QStringLiteral("0.0"));
    tick(TargetPeriod);
    EXPECT_EQ(usb.framesRead(), 4u);
}

TEST_F(StepWindowTest, FramesFillThePanelsAndARecordLineReachesMemoBackupAndGraphs)
{
    make(usb);
    showStarted();
    tick(TargetPeriod, 30);
    // Road speed 2560 x 0.0379, power and torque smoothed over the steady samples.
    EXPECT_EQ(text("mphl"), QStringLiteral("97.0"));
    EXPECT_EQ(text("Hpl"), QStringLiteral("17.2"));
    EXPECT_EQ(text("Tql"), QStringLiteral("11.3"));
    EXPECT_EQ(text("user_dis1"), QStringLiteral("0.0%"));
    EXPECT_EQ(text("TakRatioL"), QStringLiteral("Tach Ratio  3.125:1"));
    EXPECT_EQ(window->Statusp()->text(), session->controller().status().text);
    EXPECT_EQ(window->statusColour(), session->controller().status().colour);

    window.reset();
    make(usb);
    showStarted();
    recordAtTarget();
    EXPECT_EQ(window->Statusp()->text(), QStringLiteral("RECORDING, 10Samples."));
    EXPECT_EQ(window->statusColour(), QStringLiteral("clRed"));
    // The event graph follows the trace point by point while the engine records.
    const EventTrace& trace = session->controller().eventTrace();
    for (const EventTrace::Series k : {EventTrace::RpmSeries, EventTrace::PowerSeries}) {
        const Series* drawn = window->graphs().eventModel().series(k);
        ASSERT_NE(drawn, nullptr);
        ASSERT_EQ(drawn->points.size(), static_cast<std::size_t>(trace.series(k).size()));
        EXPECT_FALSE(drawn->points.empty());
        EXPECT_DOUBLE_EQ(drawn->points.back().y, trace.series(k).back().y());
    }
    tick(FastPeriod);
    EXPECT_EQ(window->Memo1()->toPlainText(), RecordLine);
    EXPECT_EQ(loadRecordBackup(root(), BackupKind::Step).lines, QStringList{RecordLine});
    const Series* records = window->graphs().powerModel().series(StepGraphs::RecordSeries);
    ASSERT_NE(records, nullptr);
    ASSERT_EQ(records->points.size(), 1u);
    EXPECT_NEAR(records->points[0].x, 8000.0, 1.0);

    // The operator's edit goes to the model, and so to the backup.
    window->Memo1()->setPlainText(RecordLine + QStringLiteral("\n9000\t1\t2\t3\t\n"));
    EXPECT_EQ(session->memo().lines(), (QStringList{RecordLine, QStringLiteral("9000\t1\t2\t3\t")}));
    EXPECT_EQ(loadRecordBackup(root(), BackupKind::Step).lines, session->memo().lines());
}

TEST_F(StepWindowTest, TheBackupOfAKilledTestIsOfferedAtTheNextShowing)
{
    make(usb);
    showStarted();
    recordOneLine();
    // The program dies here: the memo was neither saved nor cleared.
    window.reset();
    session.reset();

    for (const PromptAnswer answer : {PromptAnswer::No, PromptAnswer::Yes}) {
        SCOPED_TRACE(answer == PromptAnswer::Yes ? "Yes" : "No");
        if (answer == PromptAnswer::Yes) { // put back what the earlier crash left
            ASSERT_FALSE(
                writeTextLines(backupPath(root(), BackupKind::Step) + QStringLiteral(".unsaved"), {}));
        }
        prompter.clearRecord();
        prompter.queueAnswer(answer);
        make(usb);
        window->show();
        ASSERT_EQ(prompter.asked().size(), 1u);
        EXPECT_EQ(prompter.asked()[0].title, StepMemoBinding::OfferTitle);
        EXPECT_EQ(prompter.asked()[0].buttons, PromptButtons::YesNo);
        EXPECT_EQ(session->memo().lines(),
                  answer == PromptAnswer::Yes ? QStringList{RecordLine} : QStringList{});
    }

    // Lines that were cleared on purpose are not offered again.
    prompter.queueAnswer(PromptAnswer::No); // the Restart question: delete them
    window->RestartClick();
    EXPECT_TRUE(session->memo().isEmpty());
    prompter.clearRecord();
    make(usb);
    window->show();
    EXPECT_TRUE(prompter.asked().empty());
}

TEST_F(StepWindowTest, LoadBackupFillsTheMemoOrSaysWhyNot)
{
    make(usb);
    window->LoadBackupClick();
    ASSERT_EQ(prompter.asked().size(), 1u);
    EXPECT_EQ(prompter.asked()[0].icon, PromptIcon::Warning);
    EXPECT_TRUE(session->memo().isEmpty());

    ASSERT_FALSE(
        writeTextLines(backupPath(root(), BackupKind::Step), {RecordLine, QStringLiteral("c1\tc2\t")}));
    menus().LoadBackup2->trigger();
    EXPECT_EQ(session->memo().lines(), (QStringList{RecordLine, QStringLiteral("c1\tc2\t")}));
    EXPECT_EQ(window->Memo1()->toPlainText(), RecordLine + QStringLiteral("\nc1\tc2\t"));
}

TEST_F(StepWindowTest, SaveEventBmpWritesAPictureOfTheEventGraph)
{
    make(usb);
    showStarted();
    recordOneLine();
    menus().SaveEventBmp2->trigger();
    EXPECT_TRUE(prompter.asked().empty());
    const QString bmp = dir.filePath(QStringLiteral("LastEventRecorder.bmp"));
    QFile file(bmp);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(2), QByteArray("BM"));
    const QImage image(bmp);
    EXPECT_EQ(image.size(), window->graphs().xyGraph1()->size());

    const QString png = dir.filePath(QStringLiteral("event.png"));
    EXPECT_FALSE(window->graphs().saveEventImage(png));
    QFile pngFile(png);
    ASSERT_TRUE(pngFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(pngFile.read(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
    // Written through a temporary file: nothing else is left in the folder.
    for (const QString& name : QDir(dir.path()).entryList(QDir::Files))
        EXPECT_TRUE(name == QLatin1String("LastEventRecorder.bmp") || name == QLatin1String("event.png") ||
                    name == QLatin1String("ZezeDur_USB.Ini"))
            << name.toStdString();

    // A folder that cannot be written is reported and nothing else happens.
    EXPECT_TRUE(window->graphs().saveEventImage(dir.filePath(QStringLiteral("missing/event.bmp"))));
}

TEST_F(StepWindowTest, DiagnosticsPanelShowsTheFrameAndDrivesItsControls)
{
    make(usb);
    showStarted();
    EXPECT_FALSE(window->USB_Panel()->isVisible());
    menus().ToggleUSB2->trigger();
    ASSERT_TRUE(window->USB_Panel()->isVisible());
    usb.push(test::stepBytes(Load, TargetPeriod, 0xABC, 0x2802));
    clock.advanceMs(40);
    window->Timer1Timer();
    EXPECT_EQ(text("LoadHexL"), QStringLiteral("Load  00001F"));
    EXPECT_EQ(text("PeriodHexL"), QStringLiteral("Period  04C4B4"));
    EXPECT_EQ(text("AuxHexL"), QStringLiteral("Aux  000ABC"));
    EXPECT_EQ(text("EchoHexL"), QStringLiteral("Echo  002802"));
    EXPECT_EQ(text("AuxDecL"), QStringLiteral("2748"));
    EXPECT_EQ(text("RollerRpmL"), QStringLiteral("2560.00"));
    EXPECT_EQ(text("USBStatL"), QStringLiteral("USB Connected"));
    EXPECT_EQ(text("USBLight"), QStringLiteral("ON"));
    EXPECT_EQ(window->USB_Panel()->AOUTBarS()->value(), session->controller().output().code());

    window->USB_Panel()->AOUTBarS()->setValue(1234);
    EXPECT_EQ(session->controller().output().code(), 1234);
    window->USB_Panel()->TrackBar3()->setValue(40);
    EXPECT_EQ(session->decoder().smoothing().depth(), 40);

    QLineEdit* rpmCF = window->USB_Panel()->rpmCF();
    rpmCF->setText(QStringLiteral("abc"));
    emit rpmCF->editingFinished();
    ASSERT_EQ(prompter.asked().size(), 1u);
    EXPECT_EQ(prompter.asked()[0].icon, PromptIcon::Error);
    EXPECT_EQ(rpmCF->text(), QStringLiteral("800000000"));
    rpmCF->setText(QStringLiteral("400000000"));
    emit rpmCF->editingFinished();
    EXPECT_EQ(session->decoder().rollerSpeedConstantText(), QStringLiteral("400000000"));
    EXPECT_EQ(prompter.asked().size(), 1u);
}

TEST_F(StepWindowTest, InertiaMeasurementRecordsSamplesAndDumpsThemIntoTheMemo)
{
    const QString dump = dir.filePath(QStringLiteral("Tst_Data.tmp"));
    for (const PromptAnswer answer : {PromptAnswer::No, PromptAnswer::Yes}) {
        SCOPED_TRACE(answer == PromptAnswer::Yes ? "Yes" : "No");
        make(usb);
        showStarted();
        int saves = 0;
        QObject::connect(window.get(), &TDisply::saveRequested, [&] { ++saves; });
        tick(TargetPeriod, 5); // past the first samples' force spike
        menus().CalInertia2->trigger();
        EXPECT_TRUE(window->isMeasuringInertia());
        EXPECT_TRUE(menus().CalInertia1->isChecked());
        EXPECT_TRUE(menus().CalInertia2->isChecked());
        EXPECT_EQ(window->Statusp()->text(), StepInertiaMeasurement::StatusText);
        EXPECT_EQ(window->statusColour(), QStringLiteral("clFuchsia"));
        EXPECT_EQ(QFileInfo(dump).size(), 0);
        // A rising roller: 2000, 2100, ... rpm, each accepted sample one record of four doubles.
        for (int k = 0; k < 4; ++k) {
            usb.push(test::stepBytes(Load, static_cast<quint32>(800000000.0 / (2000.0 + 100.0 * k))));
            clock.advanceMs(40);
            window->Timer1Timer();
        }
        EXPECT_EQ(window->Statusp()->text(), StepInertiaMeasurement::StatusText);
        EXPECT_EQ(QFileInfo(dump).size(), 4 * 32);

        prompter.clearRecord();
        prompter.queueAnswer(answer);
        menus().CalInertia1->trigger();
        EXPECT_FALSE(window->isMeasuringInertia());
        EXPECT_FALSE(menus().CalInertia2->isChecked());
        ASSERT_EQ(prompter.asked().size(), 1u);
        EXPECT_EQ(prompter.asked()[0].title, StepInertiaMeasurement::SaveTitle);
        EXPECT_EQ(prompter.asked()[0].text, StepInertiaMeasurement::SaveText);
        EXPECT_EQ(window->Statusp()->text(), QStringLiteral("Ready"));
        EXPECT_EQ(window->statusColour(), QStringLiteral("clGreen"));
        if (answer == PromptAnswer::No) {
            EXPECT_EQ(saves, 0);
            EXPECT_TRUE(session->memo().isEmpty());
            EXPECT_EQ(QFileInfo(dump).size(), 4 * 32); // kept, not dumped
        } else {
            EXPECT_EQ(saves, 1);
            ASSERT_EQ(session->memo().count(), 3);
            // Engine rpm / 100 and road speed of the second sample: 2100 x 3.125 / 100, 2100 x 0.0379.
            EXPECT_TRUE(session->memo().lines()[0].startsWith(QStringLiteral("65.63\t79.59\t")))
                << session->memo().lines()[0].toStdString();
            EXPECT_EQ(QFileInfo(dump).size(), 0);
        }
    }
}

TEST_F(StepWindowTest, LeavingGoesThroughTheRecordedDataQuestions)
{
    make(usb);
    showStarted();
    QStringList requests;
    QObject::connect(window.get(), &TDisply::saveRequested, [&] { requests << QStringLiteral("save"); });
    QObject::connect(window.get(), &TDisply::graphsRequested, [&] { requests << QStringLiteral("graphs"); });
    QObject::connect(window.get(), &TDisply::exitAllRequested, [&] { requests << QStringLiteral("exit"); });
    session->memo().append(RecordLine);
    session->memo().append(RecordLine);

    prompter.queueAnswer(PromptAnswer::Yes);
    menus().GotoGraphs1->trigger();
    EXPECT_TRUE(window->isVisible());
    prompter.queueAnswer(PromptAnswer::Cancel);
    menus().GotoGraphs2->trigger();
    EXPECT_EQ(requests, QStringList{QStringLiteral("save")});
    prompter.queueAnswer(PromptAnswer::Yes);
    menus().ExitAll1->trigger();
    EXPECT_EQ(prompter.asked().back().title, StepController::ExitTitle);
    EXPECT_TRUE(window->isVisible());
    prompter.queueAnswer(PromptAnswer::No); // delete the lines and go
    menus().GotoGraphs1->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(requests,
              (QStringList{QStringLiteral("save"), QStringLiteral("save"), QStringLiteral("graphs")}));
    EXPECT_TRUE(session->memo().isEmpty());
    window->show();
    menus().ExitAll1->trigger(); // nothing recorded: no question
    EXPECT_EQ(requests.back(), QStringLiteral("exit"));
}

// Screenshots of a Demo Dyno step test recording, for a look at the live screen. The pictures go
// to TOLVANE_SCREENSHOT_DIR when it is set.
TEST_F(StepWindowTest, DemoDynoStepTestLooksLikeALiveScreen)
{
    ASSERT_FALSE(
        writeTextLines(configuration.path(), {QStringLiteral("[BlackBox]"), QStringLiteral("LoadOff=4096"),
                                              QStringLiteral("LoadSpan=0.01")}));
    setup.setChecked(TestSetup::Check::AutoDecellcb, true);
    setup.setChecked(TestSetup::Check::AutoInccb, true);
    setup.setScript(
        {QStringLiteral("6000"), QStringLiteral("7000"), QStringLiteral("8000"), QStringLiteral("9000")});
    sim::DemoDyno dyno(clock);
    sim::VirtualDriver driver(dyno);
    sim::AutoRider rider(driver);
    make(dyno, true);
    const QString shots = qEnvironmentVariable("TOLVANE_SCREENSHOT_DIR");
    for (const QSize size : {QSize(1280, 800), QSize(1920, 1080)}) {
        window->resize(size);
        showStarted();
        int ticks = 0;
        while (session->memo().count() < 2 && ticks < 6000) {
            clock.advanceMs(40);
            window->Timer1Timer();
            rider.steer(session->controller());
            driver.update();
            ++ticks;
        }
        EXPECT_GE(session->memo().count(), 2);
        // Mid-way through the next recording: the event graph is drawing.
        while ((session->controller().state() != StepState::Recording ||
                session->controller().recordCount() < 40) &&
               ticks < 9000) {
            clock.advanceMs(40);
            window->Timer1Timer();
            rider.steer(session->controller());
            driver.update();
            ++ticks;
        }
        EXPECT_FALSE(QFontInfo(window->Hpl()->font()).family().isEmpty());
        QCoreApplication::processEvents(); // the charts paint at the next pass of the loop
        const QImage shot = window->grab().toImage();
        EXPECT_EQ(shot.size(), size);
        if (!shots.isEmpty())
            shot.save(QDir(shots).filePath(QStringLiteral("step_window_%1.png").arg(size.width())));
        window->hide();
        session->memo().clear();
    }
}

} // namespace
} // namespace tolvane
