// tolvane-tool: the command-line companion of the dynamometer program. Each command lives in its
// own file and is listed in commands(); none of them needs a display (render draws offscreen).
#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <cstring>
#include <memory>

#include "cli/command.h"
#include "cli/command_line.h"

namespace tolvane::cli {

int usageError(const Command& command, CommandIo& io, const QString& reason)
{
    if (!reason.isEmpty())
        io.err << "tolvane-tool " << command.name << ": " << reason << '\n';
    io.err << "usage: tolvane-tool " << command.name << ' ' << command.usage << '\n';
    io.err.flush();
    return ExitUsage;
}

Command decodeCommand();
Command brakeCommand();
Command renderCommand();
Command configCommand();
Command saeCommand();
Command scriptCommand();
Command runTableCommand();
Command simulateCommand();

namespace {

QList<Command> commands()
{
    return {
        decodeCommand(),
        brakeCommand(),
        configCommand(),
        renderCommand(),
        saeCommand(),
        scriptCommand(),
        runTableCommand(),
        simulateCommand(),
    };
}

int printOverview(QTextStream& stream)
{
    stream << "usage: tolvane-tool COMMAND [ARGUMENTS]\n\ncommands:\n";
    for (const Command& c : commands())
        stream << "  " << c.name << ' ' << c.usage << '\n';
    stream.flush();
    return ExitUsage;
}

} // namespace
} // namespace tolvane::cli

int main(int argc, char** argv)
{
    using namespace tolvane::cli;
    // "render" draws with widgets, so it gets a QApplication, on the offscreen platform unless the
    // caller chose one; every other command runs without any window system.
    const bool drawing = argc > 1 && std::strcmp(argv[1], "render") == 0;
    if (drawing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app;
    if (drawing)
        app = std::make_unique<QApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    QStringList args = app->arguments().mid(1);
    QTextStream in(stdin), out(stdout), err(stderr);
    if (args.isEmpty())
        return printOverview(err);
    if (args.front() == QLatin1String("--help") || args.front() == QLatin1String("help")) {
        printOverview(out);
        return ExitOk;
    }
    const QString name = args.takeFirst();
    for (const Command& command : commands()) {
        if (command.name == name) {
            CommandIo io{in, out, err};
            const int code = command.run(args, io);
            out.flush();
            err.flush();
            return code;
        }
    }
    err << "tolvane-tool: unknown command \"" << name << "\"\n";
    return printOverview(err);
}
