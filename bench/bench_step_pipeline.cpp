// One live tick through the session the windows use: the link reads a Black Box frame, the
// decoder and the controller run, and the command answering the frame is written twice. The step
// frames cycle through waiting, acquiring, recording and a written record line so every path of
// the controller is in the measurement; the sweep frames hold, sweep up to the redline and brake
// down. Goal: 2 us per tick. The decoder alone is measured beside it, to show what the
// controller and the link add.
#include <benchmark/benchmark.h>

#include <vector>

#include <QByteArray>
#include <QCoreApplication>

#include "bench_main.h"
#include "core/acquisition/acquisition_session.h"
#include "core/acquisition/black_box_frame.h"
#include "core/acquisition/step_controller.h"
#include "core/acquisition/sweep_controller.h"
#include "core/common/clock.h"
#include "core/common/scripted_prompter.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"
#include "sim/replay_usb.h"

namespace {

using namespace tolvane;

QByteArray frameBytes(LiveWindow window, quint32 load, quint32 period)
{
    QByteArray bytes;
    const int fields = BlackBoxFrame::sizeFor(window) / 3;
    const quint32 values[] = {load, period, 0, 0};
    for (int f = 0; f < fields; ++f) {
        bytes.append(static_cast<char>((values[f] >> 16) & 0xFF));
        bytes.append(static_cast<char>((values[f] >> 8) & 0xFF));
        bytes.append(static_cast<char>(values[f] & 0xFF));
    }
    return bytes;
}

quint32 periodAt(double engineRpm)
{
    return static_cast<quint32>(800000000.0 / (engineRpm / 3.125) + 0.5);
}

struct Rig {
    Rig()
    {
        // The sweep's range first: a new start speed writes a new default script.
        setup.setValue(TestSetup::Spin::MnRpm, 4000);
        setup.setValue(TestSetup::Spin::RedLine, 6000);
        setup.setText(TestSetup::Text::TachRatio, QStringLiteral("3.125"));
        setup.setValue(TestSetup::Spin::MnSec, 2);
        setup.setChecked(TestSetup::Check::AutoDecellcb, false);
        setup.setScript({QStringLiteral("8000")});
    }
    ScriptedPrompter prompter;
    const TextLocale locale;
    UnitSettings units;
    TestSetup setup{units, prompter, locale};
    ManualClock clock{46000.0};
    sim::ReplayUsb usb;
};

void BM_StepSessionTick(benchmark::State& state)
{
    Rig rig;
    // 20 frames out of the band (engine 9375), 30 at the 8000 rpm target: each cycle acquires,
    // records 24 samples and writes a line.
    std::vector<QByteArray> frames;
    for (int k = 0; k < 20; ++k)
        frames.push_back(frameBytes(LiveWindow::Step, 31, 266667));
    for (int k = 0; k < 30; ++k)
        frames.push_back(frameBytes(LiveWindow::Step, 31, 312500));
    rig.usb.setFrames(frames, true);
    StepSession session(rig.usb, rig.clock, rig.setup, rig.units, rig.prompter, rig.locale);
    session.decoder().setTachRatio(3.125f);
    session.controller().restart();
    session.connectUnit();
    for (auto _ : state) {
        rig.clock.advanceMs(40);
        benchmark::DoNotOptimize(session.tick());
        if (session.memo().count() > 1000)
            session.memo().clear();
    }
    state.counters["lines"] = session.memo().count();
}
BENCHMARK(BM_StepSessionTick);

void BM_SweepSessionTick(benchmark::State& state)
{
    Rig rig;
    std::vector<QByteArray> frames;
    for (int k = 0; k < 31; ++k)
        frames.push_back(frameBytes(LiveWindow::Sweep, 31, periodAt(4000)));
    for (int k = 1; k <= 41; ++k)
        frames.push_back(frameBytes(LiveWindow::Sweep, 31, periodAt(4000 + 50 * k)));
    for (int rpm = 5900; rpm >= 3500; rpm -= 100)
        frames.push_back(frameBytes(LiveWindow::Sweep, 31, periodAt(rpm)));
    rig.usb.setFrames(frames, true);
    SweepSession session(rig.usb, rig.clock, rig.setup, rig.units, rig.prompter, rig.locale);
    session.applySetup();
    session.connectUnit();
    std::size_t read = 0;
    for (auto _ : state) {
        rig.clock.advanceMs(40);
        benchmark::DoNotOptimize(session.tick());
        // Each cycle starts a new run, as the operator's reset after a save does.
        if (++read % frames.size() == 0)
            session.controller().reset();
    }
}
BENCHMARK(BM_SweepSessionTick);

void BM_DecoderOnlyFrame(benchmark::State& state)
{
    const TextLocale locale;
    SampleGrid grid(LiveWindow::Step);
    FrameDecoder decoder(LiveWindow::Step, grid, locale);
    decoder.setTachRatio(3.125f);
    const BlackBoxFrame waiting(LiveWindow::Step, frameBytes(LiveWindow::Step, 31, 266667));
    const BlackBoxFrame atTarget(LiveWindow::Step, frameBytes(LiveWindow::Step, 31, 312500));
    DateTimeValue time = 46000.0;
    int next = 0;
    for (auto _ : state) {
        time += 40.0 / MsPerDay;
        benchmark::DoNotOptimize(decoder.decode(next < 20 ? waiting : atTarget, time));
        next = (next + 1) % 50;
    }
}
BENCHMARK(BM_DecoderOnlyFrame);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QCoreApplication>(argc, argv);
}
