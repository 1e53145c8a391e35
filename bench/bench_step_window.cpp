// One tick of the step-test window as its 40 ms timer runs it: the session reads and decodes a
// frame, the controller runs, and the window brings its panels, status bar, target list, event
// graph and power graph up to date, ending with repaint requests. The frames cycle through
// waiting, acquiring, recording and a written record line. Goal: well under 5 ms a tick (the
// budget of a 25 Hz poll), measured without and with the paint that follows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QByteArray>
#include <QTemporaryDir>

#include <vector>

#include "bench_main.h"
#include "core/acquisition/acquisition_session.h"
#include "core/analysis/graph_settings.h"
#include "core/analysis/series_model.h"
#include "core/analysis/viewer_state.h"
#include "core/common/clock.h"
#include "core/common/configuration.h"
#include "core/common/scripted_prompter.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"
#include "core/setup/weather_record.h"
#include "sim/replay_usb.h"
#include "ui/acquisition/step_test_window.h"

namespace {

using namespace tolvane;

QByteArray stepFrame(quint32 load, quint32 period)
{
    QByteArray bytes;
    for (const quint32 v : {load, period, 0u, 0u}) {
        bytes.append(static_cast<char>((v >> 16) & 0xFF));
        bytes.append(static_cast<char>((v >> 8) & 0xFF));
        bytes.append(static_cast<char>(v & 0xFF));
    }
    return bytes;
}

struct Rig {
    Rig()
    {
        setup.setValue(TestSetup::Spin::MnSec, 2);
        setup.setChecked(TestSetup::Check::AutoDecellcb, false);
        setup.setScript({QStringLiteral("8000")});
        std::vector<QByteArray> frames;
        for (int k = 0; k < 20; ++k)
            frames.push_back(stepFrame(31, 266667)); // engine 9375, out of the band
        for (int k = 0; k < 30; ++k)
            frames.push_back(stepFrame(31, 312500)); // the 8000 rpm target
        usb.setFrames(frames, true);
        window.resize(1920, 1080);
        window.show();
        window.startFromSetup();
    }
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    const TextLocale locale;
    UnitSettings units;
    TestSetup setup{units, prompter, locale};
    ManualClock clock{46000.0};
    sim::ReplayUsb usb;
    StepSession session{usb, clock, setup, units, prompter, locale};
    WeatherRecord weather;
    Configuration configuration{dir.filePath(QStringLiteral("ZezeDur_USB.Ini")), locale};
    ViewerState viewer;
    SeriesModel preview;
    GraphSettings graphSettings;
    TDisply window{StepWindowModels{session, units, weather, configuration, viewer, preview, graphSettings,
                                    prompter, locale, DataPaths(dir.path()), dir.path(), false}};
};

void BM_StepWindowTick(benchmark::State& state)
{
    Rig rig;
    const bool paint = state.range(0) != 0;
    for (auto _ : state) {
        rig.clock.advanceMs(40);
        rig.window.Timer1Timer();
        if (paint)
            QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_StepWindowTick)->Arg(0)->Arg(1)->ArgName("paint")->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return runBenchmarks<QApplication>(argc, argv);
}
