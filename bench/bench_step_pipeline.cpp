// One step-window tick: a Black Box frame through the decoder and the step controller, then the
// brake command. The frames cycle through waiting, acquiring, recording and a written record line
// so every path of the controller is in the measurement. Goal: 2 us per frame.
#include <benchmark/benchmark.h>

#include <vector>

#include <QByteArray>
#include <QCoreApplication>

#include "bench_main.h"
#include "core/acquisition/black_box_frame.h"
#include "core/acquisition/brake_command.h"
#include "core/acquisition/frame_decoder.h"
#include "core/acquisition/record_memo.h"
#include "core/acquisition/sample_grid.h"
#include "core/acquisition/step_controller.h"
#include "core/common/scripted_prompter.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"

namespace {

using namespace tolvane;

BlackBoxFrame stepFrame(quint32 load, quint32 period)
{
    QByteArray bytes;
    for (const quint32 field : {load, period, quint32(0), quint32(0)}) {
        bytes.append(static_cast<char>((field >> 16) & 0xFF));
        bytes.append(static_cast<char>((field >> 8) & 0xFF));
        bytes.append(static_cast<char>(field & 0xFF));
    }
    return BlackBoxFrame(LiveWindow::Step, bytes);
}

// withController false measures the decoder alone, to show what the controller adds.
void runPipeline(benchmark::State& state, bool withController)
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
    if (withController)
        decoder.setController(&controller);
    controller.restart();
    const BrakeLoopSettings loop;

    // 20 frames out of the band (engine 9375), 30 at the 8000 rpm target: each cycle acquires,
    // records 24 samples and writes a line.
    std::vector<BlackBoxFrame> frames;
    for (int k = 0; k < 20; ++k)
        frames.push_back(stepFrame(31, 266667));
    for (int k = 0; k < 30; ++k)
        frames.push_back(stepFrame(31, 312500));

    DateTimeValue time = 46000.0;
    std::size_t next = 0;
    for (auto _ : state) {
        time += 40.0 / MsPerDay;
        decoder.decode(frames[next], time);
        const BrakeCommand command = controller.output().command(loop);
        benchmark::DoNotOptimize(command.bytes());
        if (++next == frames.size()) {
            next = 0;
            if (memo.count() > 1000)
                memo.clear();
        }
    }
    state.counters["lines"] = memo.count();
}

void BM_StepPipelineFrame(benchmark::State& state)
{
    runPipeline(state, true);
}
BENCHMARK(BM_StepPipelineFrame);

void BM_DecoderOnlyFrame(benchmark::State& state)
{
    runPipeline(state, false);
}
BENCHMARK(BM_DecoderOnlyFrame);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QCoreApplication>(argc, argv);
}
