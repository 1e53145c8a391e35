// From a live window's save request to the test file: the route through the atmospheric window
// or straight to the save dialog, the file written by the session that recorded the run, and the
// recorded run kept whenever no file was written.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "app/live_save_flow.h"
#include "core/acquisition/acquisition_session.h"
#include "core/analysis/viewer_state.h"
#include "core/common/clock.h"
#include "core/common/configuration.h"
#include "core/common/scripted_prompter.h"
#include "core/common/text_file.h"
#include "core/setup/atmospheric_conditions.h"
#include "core/setup/run_conditions.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"
#include "core/setup/weather_record.h"
#include "sim/replay_usb.h"

namespace tolvane {
namespace {

const QString RecordLine = QStringLiteral("8000\t97.0\t17.2\t11.3\t");

struct Rig {
    Rig()
    {
        flow.setRootDirectory(root());
        EXPECT_TRUE(QDir().mkpath(folder()));
        conditions.setNotes({QStringLiteral("Baseline")});
        step.memo().append(RecordLine);
    }
    QString root() const { return dir.filePath(QStringLiteral("dynoruns")); }
    QString folder() const { return root() + QStringLiteral("/Yamaha/R1/Jenkins"); }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    const TextLocale locale;
    UnitSettings units;
    TestSetup setup{units, prompter, locale};
    RunConditions conditions;
    AtmosphericConditions atmosphere{conditions, prompter, locale};
    WeatherRecord station;
    Configuration configuration{dir.filePath(QStringLiteral("ZezeDur_USB.Ini")), locale};
    ViewerState viewer;
    ManualClock clock{46000.0};
    sim::ReplayUsb usb;
    StepSession step{usb, clock, setup, units, prompter, locale};
    SweepSession sweep{usb, clock, setup, units, prompter, locale};
    LiveSaveFlow flow{{step, sweep, setup, conditions, atmosphere, station, units, configuration, viewer, prompter}};
};

TEST(LiveSaveFlow, StationValuesDecideWhetherTheAtmosphericWindowAsksFirst)
{
    Rig rig;
    QSignalSpy atmosphere(&rig.flow, &LiveSaveFlow::atmosphericWindowRequested);
    QSignalSpy dialog(&rig.flow, &LiveSaveFlow::saveDialogRequested);
    rig.flow.request(LiveWindow::Step); // no station: nothing usable
    EXPECT_EQ(atmosphere.count(), 1);
    EXPECT_EQ(dialog.count(), 0);

    rig.station.setStationTemp(68.0);
    rig.station.setStationBaro(29.5);
    rig.station.setStationHumid(40.0);
    rig.station.setStationCorr(1.01);
    rig.flow.request(LiveWindow::Sweep);
    EXPECT_EQ(atmosphere.count(), 1);
    EXPECT_EQ(dialog.count(), 1);
    EXPECT_EQ(rig.conditions.temperature(), QStringLiteral("68.0"));
    EXPECT_EQ(rig.flow.window(), LiveWindow::Sweep);
}

TEST(LiveSaveFlow, AWrittenStepFileClearsTheMemoAndBecomesTheCurrentRun)
{
    Rig rig;
    QSignalSpy back(&rig.flow, &LiveSaveFlow::returnToTestRequested);
    QSignalSpy written(&rig.flow, &LiveSaveFlow::written);
    rig.flow.request(LiveWindow::Step);
    const QString path = rig.folder() + QStringLiteral("/01dyno.STP");
    ASSERT_TRUE(rig.flow.write(path, LiveSaveFlow::After::Test));

    const QStringList lines = readTextLines(path).lines;
    ASSERT_GT(lines.size(), 10);
    EXPECT_EQ(lines[1], QStringLiteral("Yamaha\\R1\\Jenkins\\01dyno.STP"));
    EXPECT_TRUE(lines.contains(RecordLine));
    EXPECT_TRUE(rig.step.memo().isEmpty());
    EXPECT_EQ(rig.setup.notes(), QStringList{QStringLiteral("Baseline")});
    EXPECT_EQ(rig.viewer.currentFile(), path);
    ASSERT_EQ(back.count(), 1);
    EXPECT_EQ(back[0][0].value<LiveWindow>(), LiveWindow::Step);
    EXPECT_EQ(written.count(), 1);
}

TEST(LiveSaveFlow, NoFileWrittenKeepsTheRunAndBringsTheDialogBack)
{
    struct Case {
        const char* name;
        QString file; // below the test's folder, or absolute
        bool existing;
    };
    Rig probe;
    const QString outside = probe.dir.filePath(QStringLiteral("elsewhere.STP"));
    const Case cases[] = {
        {"overwrite declined", QStringLiteral("01dyno.STP"), true},
        {"outside the library", outside, false},
    };
    for (const Case& c : cases) {
        Rig rig;
        const QString path = QDir::isAbsolutePath(c.file) ? c.file : rig.folder() + QLatin1Char('/') + c.file;
        if (c.existing) {
            ASSERT_FALSE(writeTextLines(path, {QStringLiteral("old")}).has_value()) << c.name;
        }
        rig.prompter.queueAnswer(PromptAnswer::Cancel);
        QSignalSpy dialog(&rig.flow, &LiveSaveFlow::saveDialogRequested);
        QSignalSpy graphs(&rig.flow, &LiveSaveFlow::graphScreenRequested);
        EXPECT_FALSE(rig.flow.write(path, LiveSaveFlow::After::Graph)) << c.name;
        EXPECT_EQ(rig.step.memo().lines(), QStringList{RecordLine}) << c.name;
        EXPECT_EQ(dialog.count(), 1) << c.name;
        EXPECT_EQ(graphs.count(), 0) << c.name;
        if (c.existing) {
            EXPECT_EQ(readTextLines(path).lines, QStringList{QStringLiteral("old")}) << c.name;
        } else {
            EXPECT_FALSE(QFile::exists(path)) << c.name;
        }
    }
}

TEST(LiveSaveFlow, ASweepIsWrittenFromItsGridAndArmsTheSpikeFilter)
{
    Rig rig;
    QSignalSpy graphs(&rig.flow, &LiveSaveFlow::graphScreenRequested);
    rig.flow.request(LiveWindow::Sweep);
    const QString path = rig.folder() + QStringLiteral("/02dyno.SWP");
    ASSERT_TRUE(rig.flow.write(path, LiveSaveFlow::After::Graph));
    EXPECT_TRUE(readTextLines(path).lines.contains(QStringLiteral("end.")));
    EXPECT_TRUE(rig.viewer.spikeFilterArmed());
    EXPECT_EQ(rig.step.memo().lines(), QStringList{RecordLine}); // the step run is not touched
    ASSERT_EQ(graphs.count(), 1);
    EXPECT_EQ(graphs[0][0].toString(), path);
}

} // namespace
} // namespace tolvane
