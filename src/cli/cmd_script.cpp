// tolvane-tool script: the default step script the test setup generates from a start rpm, an end
// rpm and an increment, one line per target, with a section per throttle position for a road-load
// test (--road-load 80,60,...: any of 80, 60, 40, 20, 10 and 5; the sections follow in that order).
// The values take the setup's limits: START 500...25000, END 1000...25000, INC -10000...10000.
#include "cli/command.h"
#include "cli/command_line.h"
#include "core/common/number_text.h"
#include "core/setup/step_script.h"

namespace tolvane::cli {

namespace {

std::optional<int> readRpm(const QString& text, int low, int high)
{
    const auto v = parseInt(text);
    if (!v || *v < low || *v > high)
        return std::nullopt;
    return static_cast<int>(*v);
}

int runScript(const Command& self, const QStringList& arguments, CommandIo& io)
{
    const CommandLine cl(arguments, {QStringLiteral("road-load")}, {});
    if (!cl.ok())
        return usageError(self, io, cl.error());
    const QStringList& p = cl.positional();
    if (p.size() != 3)
        return usageError(self, io, QStringLiteral("START, END and INC are required"));
    const auto start = readRpm(p[0], 500, 25000);
    const auto end = readRpm(p[1], 1000, 25000);
    const auto increment = readRpm(p[2], -10000, 10000);
    if (!start)
        return usageError(self, io, QStringLiteral("START takes a whole rpm from 500 to 25000"));
    if (!end)
        return usageError(self, io, QStringLiteral("END takes a whole rpm from 1000 to 25000"));
    if (!increment)
        return usageError(self, io, QStringLiteral("INC takes a whole rpm from -10000 to 10000"));

    QList<ThrottlePosition> sections;
    if (const auto list = cl.value(QStringLiteral("road-load"))) {
        for (const QString& item : list->split(QLatin1Char(','))) {
            const auto percent = parseInt(item);
            const auto position = percent ? throttleFromPercent(static_cast<int>(*percent)) : std::nullopt;
            if (!position)
                return usageError(
                    self, io,
                    QStringLiteral("--road-load takes throttle positions from 80, 60, 40, 20, 10, 5"));
            sections.append(*position);
        }
    }

    const GeneratedScript script = generateDefaultScript({*start, *end, *increment}, sections);
    switch (script.outcome) {
    case ScriptOutcome::Unchanged:
        io.err << "tolvane-tool script: an increment below 50 rpm either way generates no script\n";
        return ExitBadInput;
    case ScriptOutcome::TooManySteps:
        io.err << tooManyStepsText() << '\n';
        return ExitBadInput;
    case ScriptOutcome::Generated:
        break;
    }
    for (const QString& line : script.lines)
        io.out << line << '\n';
    return ExitOk;
}

} // namespace

Command scriptCommand()
{
    Command c;
    c.name = QStringLiteral("script");
    c.usage = QStringLiteral("START END INC [--road-load 80,60,...]");
    c.run = [c](const QStringList& arguments, CommandIo& io) { return runScript(c, arguments, io); };
    return c;
}

} // namespace tolvane::cli
