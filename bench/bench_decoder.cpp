// Per-frame cost of the live decoding: frame fields, plausibility limits, time step, grid row,
// spike checks, physics and (step window) smoothing, for both windows. The poll runs every 40 ms;
// the goal is at most 1 microsecond per frame.
#include <benchmark/benchmark.h>

#include <QByteArray>

#include <cmath>
#include <vector>

#include "core/acquisition/black_box_frame.h"
#include "core/acquisition/frame_decoder.h"
#include "core/acquisition/sample_grid.h"
#include "core/common/date_time.h"

namespace {

using namespace tolvane;

// A smooth ramp from 1000 to 3000 roller rpm and back with a rising load, as a run produces.
std::vector<BlackBoxFrame> rampFrames(LiveWindow window)
{
    std::vector<BlackBoxFrame> frames;
    const int n = 512;
    for (int i = 0; i < n; ++i) {
        const double phase = static_cast<double>(i) / n;
        const double rpm = 2000.0 - 1000.0 * std::cos(2.0 * M_PI * phase);
        const auto period = static_cast<quint32>(800000000.0 / rpm);
        const auto load = static_cast<quint32>(200 + 40 * std::sin(2.0 * M_PI * phase));
        QByteArray bytes;
        for (quint32 field : {load, period, static_cast<quint32>(i), 16642u}) {
            bytes.append(static_cast<char>((field >> 16) & 0xFF));
            bytes.append(static_cast<char>((field >> 8) & 0xFF));
            bytes.append(static_cast<char>(field & 0xFF));
        }
        frames.emplace_back(window, bytes);
    }
    return frames;
}

void decodeFrames(benchmark::State& state, LiveWindow window)
{
    const std::vector<BlackBoxFrame> frames = rampFrames(window);
    SampleGrid grid(window);
    FrameDecoder decoder(window, grid, TextLocale::standard());
    decoder.setTachRatio(2.5f);
    DateTimeValue time = 46024.0;
    std::size_t i = 0;
    std::int64_t accepted = 0;
    for (auto _ : state) {
        const DecodeResult r = decoder.decode(frames[i], time);
        accepted += r.outcome == FrameOutcome::Accepted ? 1 : 0;
        benchmark::DoNotOptimize(decoder.sample().power);
        time += 40.0 / MsPerDay;
        i = (i + 1) % frames.size();
    }
    state.counters["accepted"] =
        benchmark::Counter(static_cast<double>(accepted) / static_cast<double>(state.iterations()));
}

void BM_DecodeStepFrame(benchmark::State& state)
{
    decodeFrames(state, LiveWindow::Step);
}
void BM_DecodeSweepFrame(benchmark::State& state)
{
    decodeFrames(state, LiveWindow::Sweep);
}

BENCHMARK(BM_DecodeStepFrame);
BENCHMARK(BM_DecodeSweepFrame);

} // namespace

BENCHMARK_MAIN();
