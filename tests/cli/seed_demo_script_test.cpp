// scripts/seed-demo: the demo data directory it makes and that it leaves a user's one alone.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/common/text_file.h"
#include "support/tool_runner.h"

namespace {

int seed(const QString& data)
{
    return tolvane::test::runProgram(
               QStringLiteral("bash"),
               {QStringLiteral(TOLVANE_SOURCE_DIR "/scripts/seed-demo"), QStringLiteral(TOLVANE_TOOL), data})
        .exitCode;
}

QString key(const QStringList& ini, const QString& name)
{
    for (const QString& line : ini)
        if (line.startsWith(name + QLatin1Char('=')))
            return line.mid(name.size() + 1);
    return {};
}

} // namespace

TEST(SeedDemoScript, SeedsConfigurationLibraryAndHistoryOnceOnly)
{
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("demo"));
    ASSERT_EQ(seed(data), 0);
    const QString iniPath = data + QStringLiteral("/ZezeDur_USB.Ini");
    const QStringList ini = tolvane::readTextLines(iniPath).lines;
    EXPECT_FALSE(key(ini, QStringLiteral("Company Name")).isEmpty());
    EXPECT_FALSE(key(ini, QStringLiteral("Company Addr")).isEmpty());
    EXPECT_EQ(key(ini, QStringLiteral("Road Speed")), QStringLiteral("MPH"));
    EXPECT_EQ(key(ini, QStringLiteral("Engine Speed")), QStringLiteral("RPM"));
    EXPECT_EQ(key(ini, QStringLiteral("Power")), QStringLiteral("BHP"));
    EXPECT_EQ(key(ini, QStringLiteral("Force")), QStringLiteral("Ft/Lbs"));
    EXPECT_EQ(key(ini, QStringLiteral("Power mf")), QStringLiteral("1000"));
    const QString root = key(ini, QStringLiteral("Root Directory"));
    EXPECT_EQ(QDir::cleanPath(root), QDir(data).canonicalPath() + QStringLiteral("/dynoruns"));
    EXPECT_EQ(key(ini, QStringLiteral("File_Index")), QStringLiteral("3"));
    EXPECT_EQ(key(ini, QStringLiteral("Main Right")), QStringLiteral("1280"));

    QSet<QString> makes;
    int steps = 0;
    int sweeps = 0;
    for (int n = 1; n <= 10; ++n) {
        const QString entry = key(ini, QStringLiteral("History %1").arg(n));
        if (entry.isEmpty())
            continue;
        SCOPED_TRACE(entry.toStdString());
        const tolvane::TextReadResult file = tolvane::readTextLines(
            root + QLatin1Char('/') + QString(entry).replace(QLatin1Char('\\'), QLatin1Char('/')));
        ASSERT_TRUE(file.ok());
        // The History names the file below the root with a leading separator; line 2 without it.
        ASSERT_TRUE(entry.startsWith(QLatin1Char('\\')));
        EXPECT_EQ(file.lines.value(1), entry.mid(1));
        makes.insert(entry.section(QLatin1Char('\\'), 1, 1));
        steps += entry.endsWith(QStringLiteral(".STP"));
        sweeps += entry.endsWith(QStringLiteral(".SWP"));
        if (n <= 3) {
            EXPECT_TRUE(entry.endsWith(QStringLiteral(".SWP"))); // the comparison opens sweeps
        }
    }
    EXPECT_GE(makes.size(), 2);
    EXPECT_GT(steps, 0);
    EXPECT_GT(sweeps, 0);

    ASSERT_FALSE(tolvane::writeFileAtomically(iniPath, "[About]\r\nCompany Name=Mine\r\n"));
    ASSERT_EQ(seed(data), 0);
    EXPECT_EQ(tolvane::readTextLines(iniPath).lines, (QStringList{"[About]", "Company Name=Mine"}));
}
