// The program's command line: the starts it asks for, the data directory it hands on, the ends
// before any window (help, version, usage errors), and the built program doing the same.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "app/program_options.h"
#include "core/common/data_paths.h"
#include "support/tool_runner.h"

namespace tolvane {
namespace {

const QString Program = QStringLiteral("/opt/tolvane/tolvane");

TEST(ProgramOptions, StartsWithTheDataDirectoryAndTheDeveloperRunAskedFor)
{
    const QByteArray savedEnv = qgetenv("TOLVANE_DATA_DIR");
    qputenv("TOLVANE_DATA_DIR", "/from/env");
    const struct {
        QStringList arguments;
        QString dataDir;
        std::optional<DeveloperRun> developerRun;
        bool demo = false;
    } cases[] = {
        {{}, QStringLiteral("/from/env"), std::nullopt},
        {{QStringLiteral("--data-dir"), QStringLiteral("/d")}, QStringLiteral("/d"), std::nullopt},
        {{QStringLiteral("--data-dir=/d/")}, QStringLiteral("/d"), std::nullopt},
        // Qt's own options are left to Qt.
        {{QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("-reverse"),
          QStringLiteral("--data-dir"), QStringLiteral("/d")},
         QStringLiteral("/d"),
         std::nullopt},
        {{QStringLiteral("--grab"), QStringLiteral("main"), QStringLiteral("a.png")},
         QStringLiteral("/from/env"),
         DeveloperRun::picture(QStringLiteral("main"), QStringLiteral("a.png"), {})},
        // The scripts' order: the menu items first, the file may stand anywhere.
        {{QStringLiteral("--menu"), QStringLiteral("Uncorrected1"), QStringLiteral("--menu"),
          QStringLiteral("MPH1"), QStringLiteral("a.png"), QStringLiteral("--grab"), QStringLiteral("save"),
          QStringLiteral("--data-dir"), QStringLiteral("/d")},
         QStringLiteral("/d"),
         DeveloperRun::picture(QStringLiteral("save"), QStringLiteral("a.png"),
                               {QStringLiteral("Uncorrected1"), QStringLiteral("MPH1")})},
        {{QStringLiteral("--data-dir"), QStringLiteral("/d"), QStringLiteral("--measure")},
         QStringLiteral("/d"),
         DeveloperRun::measurement()},
        {{QStringLiteral("--layout")}, QStringLiteral("/from/env"), DeveloperRun::layoutReport()},
        {{QStringLiteral("--demo"), QStringLiteral("--data-dir"), QStringLiteral("/d")},
         QStringLiteral("/d"),
         std::nullopt,
         true},
        {{QStringLiteral("--grab"), QStringLiteral("main"), QStringLiteral("a.png"), QStringLiteral("--demo")},
         QStringLiteral("/from/env"),
         DeveloperRun::picture(QStringLiteral("main"), QStringLiteral("a.png"), {}),
         true},
        {{QStringLiteral("--demo"), QStringLiteral("--grab"), QStringLiteral("step"), QStringLiteral("s.png")},
         QStringLiteral("/from/env"),
         DeveloperRun::picture(QStringLiteral("step"), QStringLiteral("s.png"), {}),
         true},
        {{QStringLiteral("--grab=loadcell"), QStringLiteral("l.png")},
         QStringLiteral("/from/env"),
         DeveloperRun::picture(QStringLiteral("loadcell"), QStringLiteral("l.png"), {})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const auto parsed = parseProgramOptions(QStringList{Program} + c.arguments);
        ASSERT_TRUE(std::holds_alternative<ProgramOptions>(parsed));
        const ProgramOptions& options = std::get<ProgramOptions>(parsed);
        EXPECT_EQ(options.contextArguments.value(0), Program);
        EXPECT_EQ(DataPaths::fromArguments(options.contextArguments).dataDir(), c.dataDir);
        EXPECT_TRUE(options.developerRun == c.developerRun);
        EXPECT_EQ(options.demo, c.demo);
    }
    qputenv("TOLVANE_DATA_DIR", savedEnv);
}

TEST(ProgramOptions, EndsBeforeAnyWindowWithHelpVersionOrAUsageError)
{
    const struct {
        QStringList arguments;
        int exitCode;
        const char* text;
    } cases[] = {
        {{QStringLiteral("--help")}, 0, "--grab <WINDOW>"},
        // A wrong window ends before the program starts a test or opens a display.
        {{QStringLiteral("--grab"), QStringLiteral("Step"), QStringLiteral("a.png")},
         2,
         "--grab takes main|save|atmosphere|step|sweep|setup|tach|loadcell|demo, not Step"},
        {{QStringLiteral("-h"), QStringLiteral("--bogus")}, 2, "Unknown option 'bogus'"},
        {{QStringLiteral("--measure"), QStringLiteral("-h")}, 0, "--data-dir <DIR>"},
        {{QStringLiteral("--version")}, 0, "Tolvane 1005.1\n"},
        {{QStringLiteral("--bogus")}, 2, "Unknown option 'bogus'"},
        {{QStringLiteral("-x")}, 2, "Unknown option 'x'"},
        {{QStringLiteral("stray.png")}, 2, "unexpected argument stray.png"},
        {{QStringLiteral("--grab"), QStringLiteral("main"), QStringLiteral("a.png"), QStringLiteral("b.png")},
         2,
         "unexpected argument b.png"},
        {{QStringLiteral("--grab"), QStringLiteral("main")}, 2, "--grab needs the picture's FILE.png"},
        {{QStringLiteral("--data-dir")}, 2, "Missing value after '--data-dir'"},
        {{QStringLiteral("--data-dir"), QString()}, 2, "--data-dir needs a directory"},
        {{QStringLiteral("--data-dir=a"), QStringLiteral("--data-dir=b")}, 2, "--data-dir given twice"},
        {{QStringLiteral("--grab=main"), QStringLiteral("--grab=save"), QStringLiteral("a.png")},
         2,
         "--grab given twice"},
        {{QStringLiteral("--measure=yes")}, 2, "Unexpected value after '--measure"},
        {{QStringLiteral("--demo=yes")}, 2, "Unexpected value after '--demo"},
        {{QStringLiteral("--help")}, 0, "--demo"},
        {{QStringLiteral("--grab"), QStringLiteral("main"), QStringLiteral("a.png"),
          QStringLiteral("--measure")},
         2,
         "--grab, --measure and --layout exclude each other"},
        {{QStringLiteral("--measure"), QStringLiteral("--layout")}, 2, "exclude each other"},
        {{QStringLiteral("--menu"), QStringLiteral("MPH1")}, 2, "--menu goes with --grab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const auto parsed = parseProgramOptions(QStringList{Program} + c.arguments);
        ASSERT_TRUE(std::holds_alternative<ProgramExit>(parsed));
        const ProgramExit& end = std::get<ProgramExit>(parsed);
        EXPECT_EQ(end.exitCode, c.exitCode);
        EXPECT_TRUE(end.text.contains(QLatin1String(c.text))) << end.text.toStdString();
        if (c.exitCode != 0) {
            EXPECT_TRUE(end.text.contains(QLatin1String("Usage:"))) << end.text.toStdString();
        }
    }
}

TEST(ProgramOptions, TheProgramEndsWithoutStartingOnHelpVersionAndUnknownOptions)
{
    QTemporaryDir dataDir;
    test::ToolOptions options;
    options.setEnvironment = {{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen")},
                              {QStringLiteral("TOLVANE_DATA_DIR"), dataDir.path()}};
    const struct {
        QString argument;
        int exitCode;
        QString out;
        QString err;
    } cases[] = {
        {QStringLiteral("--version"), 0, QStringLiteral("Tolvane 1005.1\n"), QString()},
        {QStringLiteral("--help"), 0, QStringLiteral("--menu <ITEM>"), QString()},
        {QStringLiteral("--bogus"), 2, QString(), QStringLiteral("Unknown option 'bogus'")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argument.toStdString());
        const test::ToolRun run = test::runProgram(QStringLiteral(TOLVANE_PROGRAM), {c.argument}, options);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(c.out.isEmpty() ? run.out.isEmpty() : run.out.contains(c.out)) << run.out.toStdString();
        EXPECT_TRUE(c.err.isEmpty() || run.err.contains(c.err)) << run.err.toStdString();
    }
    // A start would have made the default library and the configuration there.
    EXPECT_TRUE(QDir(dataDir.path()).isEmpty());
}

} // namespace
} // namespace tolvane
