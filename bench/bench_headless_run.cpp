// A whole headless test against the Demo Dyno, as `tolvane-tool simulate` runs it, without the
// file write. The counter "realtime" is simulated seconds per wall second. Goal: 200 x real time
// for the default step test (3000 ... 12000 rpm in 1000 rpm steps).
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "bench_main.h"
#include "core/common/number_text.h"
#include "core/common/scripted_prompter.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"
#include "sim/headless_run.h"

namespace {

using namespace tolvane;

void runTest(benchmark::State& state, TestFileKind kind)
{
    const TextLocale locale;
    double simulatedSeconds = 0.0;
    for (auto _ : state) {
        UnitSettings units;
        units.setSpeedFactor(1.0);
        units.setPowerFactor(1.0);
        units.setForceFactor(1.0);
        ScriptedPrompter prompter;
        TestSetup setup(units, prompter, locale);
        setup.DefaultBClick();
        sim::HeadlessOptions options;
        options.kind = kind;
        options.calibration =
            LiveCalibration::defaults(kind == TestFileKind::Step ? LiveWindow::Step : LiveWindow::Sweep);
        options.calibration.loadOffset = sim::DemoDyno::LoadCellOffset;
        options.calibration.loadSpan = sim::DemoDyno::LoadCellSpan;
        sim::HeadlessRun run(options, setup, units, prompter, locale);
        if (kind == TestFileKind::Sweep)
            setup.setText(TestSetup::Text::InertiaE,
                          formatNumber(run.dyno().setupInertia(), u"0.0000", locale));
        if (!run.run()) {
            state.SkipWithError(run.error().toStdString().c_str());
            return;
        }
        simulatedSeconds += static_cast<double>(run.simulatedMs()) / 1000.0;
    }
    state.counters["realtime"] = benchmark::Counter(simulatedSeconds, benchmark::Counter::kIsRate);
}

void BM_HeadlessStepTest(benchmark::State& state)
{
    runTest(state, TestFileKind::Step);
}
BENCHMARK(BM_HeadlessStepTest)->Unit(benchmark::kMillisecond);

void BM_HeadlessSweepTest(benchmark::State& state)
{
    runTest(state, TestFileKind::Sweep);
}
BENCHMARK(BM_HeadlessSweepTest)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QCoreApplication>(argc, argv);
}
