// The Tolvane program: the graph screen over the test library in the data directory
// ("--data-dir DIR", else TOLVANE_DATA_DIR, else ~/tolvane). "--help" lists the options.
#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <optional>

#include "app/application_context.h"
#include "app/program_options.h"
#include "ui/shell/main_window.h"
#include "ui/shell/program_icon.h"

int main(int argc, char* argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    // The options are read before the window system is reached, so that --help, --version and a
    // wrong option end the program even where no display can be opened.
    std::optional<tolvane::ProgramOptions> options;
    {
        const QCoreApplication commandLine(argc, argv);
        auto parsed = tolvane::parseProgramOptions(QCoreApplication::arguments());
        if (const auto* end = std::get_if<tolvane::ProgramExit>(&parsed)) {
            QTextStream(end->exitCode == 0 ? stdout : stderr) << end->text;
            return end->exitCode;
        }
        options = std::get<tolvane::ProgramOptions>(std::move(parsed));
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvane"));
    QApplication::setWindowIcon(tolvane::programIcon());

    tolvane::ApplicationContext context(options->contextArguments, options->demo);
    if (options->developerRun)
        return options->developerRun->run(context, sinceStart);
    QObject::connect(&context.mainWindow(), &tolvane::TForm1::closed, &app, &QCoreApplication::quit);
    return QApplication::exec();
}
