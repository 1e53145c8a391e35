// Plotting speed: PlotAll of 20 selected runs of 1000 data lines each into the series model
// (nothing painted: the chart only counts its redraws), and the run loader's throughput beside
// a plain split-and-strtod loop over the same bytes.
//
// Goals: PlotAll <= 30 ms; the loader <= 3 times the plain loop.
#include <QByteArray>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "core/analysis/chart.h"
#include "core/analysis/graph_settings.h"
#include "core/analysis/run_loader.h"
#include "core/analysis/run_plotter.h"
#include "core/analysis/series_model.h"
#include "core/analysis/viewer_state.h"
#include "core/common/scripted_prompter.h"
#include "core/common/text_file.h"
#include "core/library/selection.h"

namespace tolvane {
namespace {

constexpr int Runs = 20;
constexpr int DataLines = 1000;

class CountingChart final : public Chart {
public:
    void draw(const SeriesModel&, const ChartChanges&) override { ++draws; }
    int draws = 0;
};

// A sweep file as the sweep window writes it: header, 1000 data lines of eight fields, setup.
QByteArray sweepFile(int run)
{
    QByteArray text = "QV512e Auto Sweep   12/9/2026 11:00:00 AM\r\n\\Make\\Model\\Name\\run.SWP\r\n\r\n"
                      "Max BHP:  0.00  @  0.00 RPM.\r\nMax Ft/Lbs:  0.00  @  0.00 RPM.\r\n\r\nnote\r\n \r\n"
                      "Temp- 70  Bar- 29.92  H20- 40\r\nCorrection Factor Applied - 1.0300\r\n"
                      "Eng. Tachometer Ratio - 2.4500\r\n \r\n \r\n"
                      "RPM\tMPH\tBHP\tFt/Lbs\tAcc \tD_Tq \tS_Tq \tAngO \t\r\n \r\n";
    char line[160];
    for (int i = 0; i < DataLines; ++i) {
        const double rpm = 2000.0 + i * 6.5 + run;
        const double power = 10.0 + i * 0.09 + run * 0.5;
        const int n = std::snprintf(line, sizeof line, "%.0f\t%.1f\t%.1f\t%.1f\t%.2f\t%.3f\t%.3f\t0\t\r\n", rpm,
                                    rpm / 100.0, power, power * 5252.0 / rpm, 1.2 + i * 0.001, 3.125 + i * 0.002,
                                    12.5 + i * 0.01);
        text.append(line, n);
    }
    text += "end.\r\n \r\n--Test Setup--\r\nMin Rpm:2000\r\nRedline:9000\r\nInertia:3.5000\r\n"
            "--Test Setup--\r\n\r\n\r\nShop\r\nAddress\r\n";
    return text;
}

void BM_PlotAll(benchmark::State& state)
{
    QTemporaryDir dir;
    Selection selection;
    for (int run = 1; run <= Runs; ++run) {
        const QString path = dir.filePath(QStringLiteral("run%1.SWP").arg(run));
        if (writeFileAtomically(path, sweepFile(run)) ||
            selection.addRun(path, dir.path(), QString(), Selection::MarkerSpelling::Capital)) {
            state.SkipWithError("cannot prepare the runs");
            return;
        }
    }
    CountingChart chart;
    SeriesModel model(&chart);
    GraphSettings settings;
    ViewerState viewer;
    ScriptedPrompter prompter;
    RunPlotter plotter(model, selection, settings, viewer, prompter, QLatin1Char('.'));
    for (auto _ : state) {
        const PlotAllResult result = plotter.PlotAll();
        benchmark::DoNotOptimize(result.lastRunLines.size());
    }
    if (model.series(Runs)->points.size() != static_cast<size_t>(DataLines) || !prompter.asked().empty())
        state.SkipWithError("the runs were not plotted whole");
    state.counters["redraws/plot"] = static_cast<double>(chart.draws) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_PlotAll)->Unit(benchmark::kMillisecond);

// The loader as a plot uses it: 8-bit bytes to lines, then the table of one selected run.
void BM_LoadRun(benchmark::State& state)
{
    const QByteArray bytes = sweepFile(1);
    const RunLoader loader({});
    for (auto _ : state) {
        const RunLoadResult result = loader.loadSelectedRun(splitLines(bytes));
        benchmark::DoNotOptimize(result.table.rowCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes.size());
}
BENCHMARK(BM_LoadRun)->Unit(benchmark::kMicrosecond);

// The floor to compare with: split the same bytes at line ends and tabs and strtod every field.
void BM_PlainSplitStrtod(benchmark::State& state)
{
    const QByteArray bytes = sweepFile(1);
    std::string field;
    for (auto _ : state) {
        double sum = 0.0;
        const char* p = bytes.constData();
        const char* end = p + bytes.size();
        while (p < end) {
            const char* lineEnd = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
            if (!lineEnd)
                lineEnd = end;
            const char* start = p;
            for (const char* c = p; c < lineEnd; ++c) {
                if (*c != '\t')
                    continue;
                field.assign(start, c);
                char* parsed = nullptr;
                const double v = std::strtod(field.c_str(), &parsed);
                if (parsed != field.c_str())
                    sum += v;
                start = c + 1;
            }
            p = lineEnd + 1;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes.size());
}
BENCHMARK(BM_PlainSplitStrtod)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tolvane

BENCHMARK_MAIN();
