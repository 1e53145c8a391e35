#include "app/program_options.h"

#include <QCommandLineParser>

#include "tolvane_version.h"

namespace tolvane {

namespace {

ProgramExit usageError(const QCommandLineParser& parser, const QString& reason)
{
    const QString usageLine = parser.helpText().section(QLatin1Char('\n'), 0, 0);
    return {2, reason + QLatin1Char('\n') + usageLine + QStringLiteral("\n--help lists the options.\n")};
}

} // namespace

std::variant<ProgramOptions, ProgramExit> parseProgramOptions(const QStringList& arguments)
{
    const QCommandLineOption dataDir(
        QStringLiteral("data-dir"),
        QStringLiteral("The data directory (else TOLVANE_DATA_DIR, else ~/tolvane, c:\\tolvane on Windows)."),
        QStringLiteral("DIR"));
    const QCommandLineOption grab(QStringLiteral("grab"),
                                  QStringLiteral("For developers: write the window (%1; the live ones "
                                                 "with a test running on the Demo Dyno) to FILE.png and end.")
                                      .arg(DeveloperRun::pictureNames().join(QLatin1Char('|'))),
                                  QStringLiteral("WINDOW"));
    const QCommandLineOption menu(QStringLiteral("menu"),
                                  QStringLiteral("For developers: choose the main-menu item of this object "
                                                 "name (MPH1, ...) before --grab's picture (repeatable)."),
                                  QStringLiteral("ITEM"));
    const QCommandLineOption measure(
        QStringLiteral("measure"),
        QStringLiteral("For developers: print the start-up and Refresh measurements and end."));
    const QCommandLineOption layout(
        QStringLiteral("layout"),
        QStringLiteral("For developers: print where the graph screen's windows stand once placed, and end."));
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  QStringLiteral("Run on the Demo Dyno even when a Black Box is attached."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Print these options and end."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Print the program's version and end."));
    QCommandLineParser parser;
    // The options are read before the window system is reached (--help works without a display),
    // so Qt's own "-platform offscreen" style options are still there: accepted here, left to Qt.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    QList<QCommandLineOption> toolkitOptions;
    for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                             "qwindowicon", "qwindowtitle", "style", "stylesheet", "session", "display",
                             "geometry", "title", "name", "qmljsdebugger"})
        toolkitOptions.append(
            QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
    for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"})
        toolkitOptions.append(QCommandLineOption(QString::fromLatin1(name)));
    for (QCommandLineOption& option : toolkitOptions) {
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    parser.setApplicationDescription(
        QStringLiteral("Tolvane: control, data acquisition and analysis of the QV512e dynamometer."));
    parser.addOptions({dataDir, demo, grab, menu, measure, layout, help, version});
    parser.addPositionalArgument(QStringLiteral("FILE.png"),
                                 QStringLiteral("With --grab: the picture to write."),
                                 QStringLiteral("[FILE.png]"));

    if (!parser.parse(arguments))
        return usageError(parser, parser.errorText());
    if (parser.isSet(help))
        return ProgramExit{0, parser.helpText()};
    if (parser.isSet(version))
        return ProgramExit{0, QStringLiteral("Tolvane " TOLVANE_VERSION "\n")};
    for (const QCommandLineOption* single : {&dataDir, &grab})
        if (parser.values(*single).size() > 1)
            return usageError(parser,
                              QStringLiteral("option --%1 given twice").arg(single->names().constFirst()));
    // An empty directory would put the data files at the file-system root.
    if (parser.isSet(dataDir) && parser.value(dataDir).isEmpty())
        return usageError(parser, QStringLiteral("option --data-dir needs a directory"));
    if (int(parser.isSet(grab)) + int(parser.isSet(measure)) + int(parser.isSet(layout)) > 1)
        return usageError(parser,
                          QStringLiteral("options --grab, --measure and --layout exclude each other"));
    if (parser.isSet(grab) && !DeveloperRun::pictureNames().contains(parser.value(grab)))
        return usageError(parser, QStringLiteral("option --grab takes %1, not %2")
                                      .arg(DeveloperRun::pictureNames().join(QLatin1Char('|')),
                                           parser.value(grab)));
    if (parser.isSet(menu) && !parser.isSet(grab))
        return usageError(parser, QStringLiteral("option --menu goes with --grab"));
    const QStringList files = parser.positionalArguments();
    if (parser.isSet(grab) && files.isEmpty())
        return usageError(parser, QStringLiteral("option --grab needs the picture's FILE.png"));
    const qsizetype allowedFiles = parser.isSet(grab) ? 1 : 0;
    if (files.size() > allowedFiles)
        return usageError(parser, QStringLiteral("unexpected argument %1").arg(files.at(allowedFiles)));

    ProgramOptions options;
    options.contextArguments = QStringList{arguments.value(0)};
    if (parser.isSet(dataDir))
        options.contextArguments << QStringLiteral("--data-dir") << parser.value(dataDir);
    options.demo = parser.isSet(demo);
    if (parser.isSet(grab))
        options.developerRun =
            DeveloperRun::picture(parser.value(grab), files.constFirst(), parser.values(menu));
    else if (parser.isSet(measure))
        options.developerRun = DeveloperRun::measurement();
    else if (parser.isSet(layout))
        options.developerRun = DeveloperRun::layoutReport();
    return options;
}

} // namespace tolvane
