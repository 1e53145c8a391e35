#pragma once
// One tolvane-tool command: its name, a one-line usage and the function that runs it.
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>

namespace tolvane::cli {

struct CommandIo {
    QTextStream& in;
    QTextStream& out;
    QTextStream& err;
};

struct Command {
    QString name;
    QString usage; // arguments after "tolvane-tool NAME"
    std::function<int(const QStringList& arguments, CommandIo& io)> run;
};

// Prints "usage: tolvane-tool NAME USAGE" (and the reason first when given); returns ExitUsage.
int usageError(const Command& command, CommandIo& io, const QString& reason = {});

} // namespace tolvane::cli
