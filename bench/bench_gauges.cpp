// One update of each live gauge at the size of a full-screen window: a load-gauge row, a
// tachometer sample (erase, scale, pointer, trail and text) and both dial needles. They run on
// every 40 ms frame beside the decoding; the goal is well under 1 ms each.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <cmath>

#include "bench_main.h"
#include "core/common/text_locale.h"
#include "ui/acquisition/load_gauge.h"
#include "ui/acquisition/round_dials.h"
#include "ui/acquisition/scrolling_tachometer.h"

namespace {

using namespace tolvane;

void loadGaugeRow(benchmark::State& state)
{
    LoadGauge gauge;
    gauge.resize(1265, LoadGauge::StripHeight);
    gauge.setLimits(17, 17);
    int i = 0;
    for (auto _ : state) {
        const float wave = static_cast<float>(std::sin(i++ * 0.1));
        gauge.show(60.0f * wave, 120.0f * wave);
        benchmark::DoNotOptimize(gauge.image().constBits());
    }
}
BENCHMARK(loadGaugeRow);

// A speed wandering within one scale, and one that crosses a thousand every few samples so the
// strip is cleared and labelled again.
void tachometerSample(benchmark::State& state)
{
    ScrollingTachometer tach(TextLocale::standard());
    tach.resize(1265, ScrollingTachometer::StripHeight);
    const double swing = static_cast<double>(state.range(0));
    int i = 0;
    for (auto _ : state) {
        tach.show(9000.0 + swing * std::sin(i++ * 0.7));
        benchmark::DoNotOptimize(tach.image().constBits());
    }
}
BENCHMARK(tachometerSample)->Arg(400)->Arg(1600);

void dialNeedles(benchmark::State& state)
{
    RoundDials dials;
    dials.resize(600, 300);
    dials.setScale(12000, 3000);
    int i = 0;
    for (auto _ : state) {
        const double phase = std::sin(i++ * 0.05);
        dials.show(7000.0 + 4000.0 * phase, 100.0 + 90.0 * phase);
        benchmark::DoNotOptimize(dials.image().constBits());
    }
}
BENCHMARK(dialNeedles);

// The whole dial face, as on every resize of the sweep window.
void dialRedraw(benchmark::State& state)
{
    RoundDials dials;
    dials.resize(600, 300);
    int redline = 8000;
    for (auto _ : state) {
        dials.setScale(redline, 3000);
        redline = redline == 8000 ? 12000 : 8000;
        benchmark::DoNotOptimize(dials.image().constBits());
    }
}
BENCHMARK(dialRedraw);

} // namespace

int main(int argc, char** argv)
{
    // The gauges draw text, which needs a GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return runBenchmarks<QApplication>(argc, argv);
}
