// tolvane-tool run-table: the run table the viewer builds from one saved run, as the graph would
// plot it. "--current" (the default) loads it as the run shown in the viewer, "--all" as one run
// of the compared selection. The header values come first as "# name<TAB>value" lines, then one
// line per table row with its "0.00" cells joined by tabs, as far as the row has cells (an empty
// cell for no value).
//
// "--spike" runs the spike filter as an armed viewer would; the tool never changes the file, so
// the filter's save of the cleaned text goes to a scratch folder that is removed afterwards.
#include <QTemporaryDir>

#include "cli/command.h"
#include "cli/command_line.h"
#include "core/analysis/recalc_run.h"
#include "core/analysis/run_loader.h"
#include "core/analysis/spike_filter.h"
#include "core/analysis/viewer_state.h"
#include "core/analysis/viewer_text.h"
#include "core/common/number_text.h"
#include "core/common/scripted_prompter.h"
#include "core/common/text_file.h"
#include "core/library/test_file_check.h"

namespace tolvane::cli {

namespace {

int runRunTable(const Command& self, const QStringList& arguments, CommandIo& io)
{
    const QString current = QStringLiteral("current");
    const QString all = QStringLiteral("all");
    const QString spike = QStringLiteral("spike");
    const QString average = QStringLiteral("average");
    const CommandLine cl(
        arguments, {},
        {current, all, QStringLiteral("uncorrected"), QStringLiteral("highest"), average, spike});
    if (!cl.ok())
        return usageError(self, io, cl.error());
    if (cl.positional().size() != 1)
        return usageError(self, io, QStringLiteral("one run file is needed"));
    if (cl.has(current) && cl.has(all))
        return usageError(self, io, QStringLiteral("--current and --all exclude each other"));
    const bool selectedRun = cl.has(all);
    if (selectedRun && cl.has(spike))
        return usageError(self, io, QStringLiteral("--spike applies to the current run only"));
    if (!selectedRun && cl.has(average))
        return usageError(self, io, QStringLiteral("--average applies to --all only"));

    const QString path = cl.positional().front();
    const TextReadResult file = readTextLines(path);
    if (!file.ok()) {
        io.err << "tolvane-tool run-table: " << file.error->message << '\n';
        return ExitBadInput;
    }

    // Random bytes or an empty file would print an empty table as if it were a run without data:
    // a file with neither a test file's first line nor one line of numbers is no run at all.
    const QChar dot = QLatin1Char('.');
    if (!isTestDataFile(file.lines) && dataLineIndices(file.lines, dot).empty()) {
        io.err
            << "tolvane-tool run-table: " << path
            << " is not a test data file: its first line does not name the dyno and no line holds numbers\n";
        return ExitBadInput;
    }

    RunLoadSettings settings;
    settings.corrected = !cl.has(QStringLiteral("uncorrected"));
    settings.showHighest = cl.has(QStringLiteral("highest"));
    settings.averageTestPhases = cl.has(average);
    const RunLoader loader(settings);

    RunLoadResult result;
    if (selectedRun) {
        result = loader.loadSelectedRun(file.lines);
    } else if (cl.has(spike)) {
        QTemporaryDir scratch;
        if (!scratch.isValid()) {
            io.err << "tolvane-tool run-table: no scratch folder for the spike filter's save\n";
            return ExitBadInput;
        }
        ViewerText text;
        text.setLines(file.lines, false);
        ViewerState viewer;
        ScriptedPrompter prompter;
        result = loader.loadCurrentRun(file.lines, [&](RunTable& table, int firstDataLine) {
            viewer.setFirstDataLine(firstDataLine);
            SpikeFilterClick(table, text, viewer, prompter, scratch.path());
        });
    } else {
        result = loader.loadCurrentRun(file.lines);
    }

    // A run without a tach-ratio or inertia line leaves the program's start values of 0.
    io.out << "# RunCorrection\t" << formatGeneral(result.correction, dot) << '\n'
           << "# RunTachRatio\t" << formatGeneral(result.tachRatio.value_or(0.0), dot) << '\n'
           << "# RunInertia\t" << formatGeneral(result.inertia.value_or(0.0), dot) << '\n'
           << "# FirstDataLine\t" << result.firstDataLine << '\n';
    const RunTable& table = result.table;
    // Each row as far as it has cells: a row shorter than the widest one is not padded with
    // empty cells, which a file with one very long line would multiply into gigabytes.
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < table.cellCount(row); ++column) {
            if (column > 0)
                io.out << '\t';
            io.out << table.cellText(row, column);
        }
        io.out << '\n';
    }
    return ExitOk;
}

} // namespace

Command runTableCommand()
{
    Command c;
    c.name = QStringLiteral("run-table");
    c.usage = QStringLiteral("FILE [--current|--all] [--uncorrected] [--highest] [--average] [--spike]");
    c.run = [c](const QStringList& arguments, CommandIo& io) { return runRunTable(c, arguments, io); };
    return c;
}

} // namespace tolvane::cli
