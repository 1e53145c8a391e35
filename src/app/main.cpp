// The Tolvane program: the graph screen over the test library in the data directory
// ("--data-dir DIR", else TOLVANE_DATA_DIR, else ~/tolvane).
#include <QApplication>
#include <QElapsedTimer>

#include "app/application_context.h"
#include "app/developer_run.h"
#include "ui/shell/main_window.h"
#include "ui/shell/program_icon.h"

int main(int argc, char* argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvane"));
    QApplication::setWindowIcon(tolvane::programIcon());
    const QStringList arguments = QApplication::arguments();
    const std::optional<tolvane::DeveloperRun> developer = tolvane::DeveloperRun::fromArguments(arguments);

    tolvane::ApplicationContext context(arguments);
    if (developer)
        return developer->run(context, sinceStart);
    QObject::connect(&context.mainWindow(), &tolvane::TForm1::closed, &app, &QCoreApplication::quit);
    return QApplication::exec();
}
