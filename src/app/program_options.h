#pragma once
// The program's command line, read once before the window system is reached, so that --help,
// --version and a wrong option end the program even without a display. Qt's own options
// (-platform, -style, ...) are accepted and left to Qt; everything else must be known here.
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

#include "app/developer_run.h"

namespace tolvane {

struct ProgramOptions {
    // The arguments ApplicationContext reads: the program and the --data-dir given, if any, so
    // the data-directory rule stays in DataPaths::fromArguments alone.
    QStringList contextArguments;
    std::optional<DeveloperRun> developerRun; // nullopt for an ordinary start
    bool demo = false;                        // --demo: the Demo Dyno even with a unit attached
};

// The program ends before it starts: after --help or --version (exit code 0, text for stdout) or
// on a usage error (exit code 2, text for stderr).
struct ProgramExit {
    int exitCode = 0;
    QString text;
};

// arguments: the command line, the program first.
std::variant<ProgramOptions, ProgramExit> parseProgramOptions(const QStringList& arguments);

} // namespace tolvane
