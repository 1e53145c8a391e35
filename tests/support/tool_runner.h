#pragma once
// Runs one of the project's programs (tolvane-tool, the program itself, or a script that drives
// them) as its own process, as a user would: the exit code and both output streams, with bytes for
// its standard input and changes to its environment. A program that cannot start, hangs or
// crashes fails the test.
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace tolvane::test {

// The streams as the program writes them, UTF-8.
struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

struct ToolOptions {
    QByteArray input;                              // standard input, closed after these bytes
    QStringList unsetEnvironment;                  // variables removed from the test's environment
    QList<QPair<QString, QString>> setEnvironment; // variables set (after the removals)
    int timeoutMs = 60000;
};

inline ToolRun runProgram(const QString& program, const QStringList& arguments,
                          const ToolOptions& options = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : options.unsetEnvironment)
        environment.remove(name);
    for (const auto& [name, value] : options.setEnvironment)
        environment.insert(name, value);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        ADD_FAILURE() << "cannot start " << program.toStdString() << ": "
                      << process.errorString().toStdString();
        return {};
    }
    process.write(options.input);
    process.closeWriteChannel();
    if (!process.waitForFinished(options.timeoutMs)) {
        ADD_FAILURE() << program.toStdString() << " " << arguments.join(QLatin1Char(' ')).toStdString()
                      << " did not finish within " << options.timeoutMs << " ms";
        process.kill();
        process.waitForFinished();
        return {};
    }
    ToolRun run{process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit)
        << program.toStdString() << " crashed: " << run.err.toStdString();
    return run;
}

#ifdef TOLVANE_TOOL
inline ToolRun runTool(const QStringList& arguments, const ToolOptions& options = {})
{
    return runProgram(QStringLiteral(TOLVANE_TOOL), arguments, options);
}
#endif

} // namespace tolvane::test
