// Loading one saved run as a plot does (read the file's lines, build the selected run's table):
// an ordinary sweep of 20,000 data lines, and the same run with one extra line of 100,000
// numbers (about 773 KB), which must cost its numbers and not rows x its width.
//
// Besides the time, each case loads the file once in a child process and reports the memory the
// load added at its peak ("peak KB", from the child's maximum resident size less what it held
// before) against the file's size ("peak/file"), and the table's own storage ("table KB").
// Goals: the long-line run loads in well under a second; no file makes the load hold more than
// about 20 x its size plus a few MB.
#include <QByteArray>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "core/analysis/run_loader.h"
#include "core/common/text_file.h"

namespace tolvane {
namespace {

constexpr int DataLines = 20000;
constexpr int LongLineNumbers = 100000;

QByteArray sweepRun(bool longLine)
{
    QByteArray text = "QV512e Auto Sweep   12/9/2026 11:00:00 AM\r\n\\Make\\Model\\Name\\run.SWP\r\n\r\n"
                      "Correction Factor Applied - 1.0300\r\n \r\n"
                      "RPM\tMPH\tBHP\tFt/Lbs\tAcc \t\r\n";
    char line[120];
    for (int i = 0; i < DataLines; ++i) {
        const double rpm = 2000.0 + i * 0.35;
        const double power = 10.0 + i * 0.004;
        const int n = std::snprintf(line, sizeof line, "%.1f\t%.1f\t%.1f\t%.1f\t%.3f\t\r\n", rpm, rpm / 100.0,
                                    power, power * 5252.0 / rpm, 1.2 + i * 0.0001);
        text.append(line, n);
        if (longLine && i == 10)
            text += QByteArray("1\t").repeated(LongLineNumbers) + "\r\n";
    }
    return text + "end.\r\n";
}

RunTable loadFile(const QString& path)
{
    return RunLoader({}).loadSelectedRun(readTextLines(path).lines).table;
}

long residentKilobytes()
{
    long pages = 0, resident = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm)
        return 0;
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
        resident = 0;
    std::fclose(statm);
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The memory one load adds at its peak, in KB, measured in a child so that nothing the
// benchmark allocated before or after counts; -1 when it could not be measured.
long peakLoadKilobytes(const QString& path)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return -1;
    const pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        // Free heap pages left by the benchmark would be reused without showing: give them back
        // first. The resident size before the load goes to the parent, which reads the peak.
        malloc_trim(0);
        const long before = residentKilobytes();
        const bool loaded = loadFile(path).rowCount() > 0;
        const bool told = write(pipeEnds[1], &before, sizeof before) == static_cast<ssize_t>(sizeof before);
        _exit(loaded && told ? 0 : 1);
    }
    close(pipeEnds[1]);
    long before = 0;
    const bool read = ::read(pipeEnds[0], &before, sizeof before) == static_cast<ssize_t>(sizeof before);
    close(pipeEnds[0]);
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0 || !read)
        return -1;
    return usage.ru_maxrss - before;
}

void loadRun(benchmark::State& state, bool longLine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("run.SWP"));
    const QByteArray bytes = sweepRun(longLine);
    if (writeFileAtomically(path, bytes)) {
        state.SkipWithError("cannot write the run");
        return;
    }
    RunTable table;
    for (auto _ : state) {
        table = loadFile(path);
        benchmark::DoNotOptimize(table.rowCount());
    }
    if (table.rowCount() != DataLines + (longLine ? 1 : 0)) {
        state.SkipWithError("the run was not loaded whole");
        return;
    }
    const double fileKb = static_cast<double>(bytes.size()) / 1024.0;
    const double peakKb = static_cast<double>(peakLoadKilobytes(path));
    state.counters["file KB"] = fileKb;
    state.counters["peak KB"] = peakKb;
    state.counters["peak/file"] = peakKb / fileKb;
    state.counters["table KB"] =
        static_cast<double>(table.storedCellCount() * 8 + (table.rowCount() + 1) * 8) / 1024.0;
}

void BM_LoadSweep20000Lines(benchmark::State& state)
{
    loadRun(state, false);
}
BENCHMARK(BM_LoadSweep20000Lines)->Unit(benchmark::kMillisecond);

void BM_LoadSweepWithOneLongLine(benchmark::State& state)
{
    loadRun(state, true);
}
BENCHMARK(BM_LoadSweepWithOneLongLine)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tolvane

BENCHMARK_MAIN();
