// tolvane-tool simulate: exit codes, the TSV it prints and where the test file goes.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/common/text_file.h"
#include "support/tool_runner.h"

namespace {

using tolvane::test::ToolRun;

ToolRun simulate(const QStringList& arguments)
{
    return tolvane::test::runTool(QStringList{QStringLiteral("simulate")} + arguments);
}

QStringList tsvRows(const QString& out)
{
    QStringList rows = out.split(QLatin1Char('\n'));
    if (!rows.isEmpty() && rows.last().isEmpty())
        rows.removeLast();
    return rows;
}

class SimulateCommand : public ::testing::Test {
protected:
    QString data() const { return dir.filePath(QStringLiteral("data")); }
    QString inLibrary(const QString& relative) const
    {
        return data() + QStringLiteral("/dynoruns/") + relative;
    }
    QTemporaryDir dir;
};

TEST_F(SimulateCommand, StepPrintsOneRowPerTargetBesideTheTruthAndCalibratesTheDataDir)
{
    const QString out = inLibrary(QStringLiteral("Demo/Stock/01demo.STP"));
    const ToolRun r = simulate({"step", "--out", out, "--data-dir", data()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList rows = tsvRows(r.out);
    ASSERT_EQ(rows.size(), 11);
    EXPECT_EQ(rows[0], QStringLiteral("engine_rpm\tpower\ttorque\ttrue_power\ttrue_torque"));
    for (int k = 1; k < rows.size(); ++k) {
        const QStringList f = rows[k].split(QLatin1Char('\t'));
        ASSERT_EQ(f.size(), 5) << rows[k].toStdString();
        EXPECT_NEAR(f[0].toDouble(), 2000.0 + 1000.0 * k, 10.0);
        EXPECT_NEAR(f[2].toDouble(), f[4].toDouble(), f[4].toDouble() * 0.01) << rows[k].toStdString();
    }
    const tolvane::TextReadResult file = tolvane::readTextLines(out);
    ASSERT_TRUE(file.ok());
    EXPECT_EQ(file.lines.value(1), QStringLiteral("Demo\\Stock\\01demo.STP"));
    const tolvane::TextReadResult ini = tolvane::readTextLines(data() + QStringLiteral("/ZezeDur_USB.Ini"));
    EXPECT_TRUE(ini.lines.contains(QStringLiteral("LoadOff=4096")));
    EXPECT_TRUE(ini.lines.contains(QStringLiteral("LoadSpan=0.01")));
}

TEST_F(SimulateCommand, SweepPrintsOneRowPerDataLine)
{
    const QString out = inLibrary(QStringLiteral("Demo/02demo.SWP"));
    const ToolRun r = simulate(
        {"sweep", "--out", out, "--data-dir", data(), "--seed", "3", "--start", "4000", "--end", "10000"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList rows = tsvRows(r.out);
    ASSERT_GT(rows.size(), 100);
    for (const QString& row : rows.mid(1))
        ASSERT_EQ(row.split(QLatin1Char('\t')).size(), 5) << row.toStdString();
    EXPECT_LT(rows[1].split(QLatin1Char('\t'))[0].toDouble(), 4500.0);
    EXPECT_GT(rows.last().split(QLatin1Char('\t'))[0].toDouble(), 9500.0);
    const tolvane::TextReadResult file = tolvane::readTextLines(out);
    ASSERT_TRUE(file.ok());
    EXPECT_TRUE(file.lines.value(0).startsWith(QStringLiteral("QV512e Auto Sweep   ")));
    EXPECT_TRUE(file.lines.contains(QStringLiteral("Min Rpm:4000")));
    EXPECT_TRUE(file.lines.contains(QStringLiteral("Redline:10000")));
}

TEST_F(SimulateCommand, AFileOutsideTheLibraryHasItsOwnFolderAsRootAndAnOwnCalibrationStays)
{
    QDir().mkpath(data());
    const QString ini = data() + QStringLiteral("/ZezeDur_USB.Ini");
    ASSERT_FALSE(tolvane::writeFileAtomically(ini, "[BlackBox]\r\nLoadOff=4096\r\nLoadSpan=0.0100\r\n"));
    const QString out = dir.filePath(QStringLiteral("elsewhere/run.STP"));
    const ToolRun r = simulate({"step", "--out", out, "--data-dir", data(), "--start", "6000", "--end",
                                "7000", "--tach", "3.125", "--notes", out + QStringLiteral(".missing")});
    EXPECT_EQ(r.exitCode, 1); // the notes file is missing
    EXPECT_FALSE(QFile::exists(out));

    const QString notes = dir.filePath(QStringLiteral("notes.txt"));
    ASSERT_FALSE(tolvane::writeFileAtomically(notes, "Stock bike\r\nNew chain\r\n"));
    const ToolRun ok = simulate({"step", "--out", out, "--data-dir", data(), "--start", "6000", "--end",
                                 "7000", "--tach", "3.125", "--notes", notes});
    ASSERT_EQ(ok.exitCode, 0) << ok.err.toStdString();
    EXPECT_EQ(tsvRows(ok.out).size(), 3);
    const tolvane::TextReadResult file = tolvane::readTextLines(out);
    EXPECT_EQ(file.lines.mid(1, 4), (QStringList{"run.STP", "\t ", "Stock bike", "New chain"}));
    EXPECT_TRUE(tolvane::readTextLines(ini).lines.contains(QStringLiteral("LoadSpan=0.0100")));
}

TEST_F(SimulateCommand, ExitCodes)
{
    const QString out = inLibrary(QStringLiteral("x.STP"));
    const QString folder = dir.path();
    struct Case {
        QStringList arguments;
        int code;
        const char* says;
    };
    const Case cases[] = {
        {{}, 2, "usage: tolvane-tool simulate step|sweep --out FILE"},
        {{"walk", "--out", out}, 2, "unknown test \"walk\""},
        {{"step"}, 2, "--out is required"},
        {{"step", "--out", out, "--seed", "-1"}, 2, "--seed"},
        {{"step", "--out", out, "--noise", "loud"}, 2, "--noise"},
        {{"step", "--out", out, "--tach", "0"}, 2, "--tach"},
        {{"step", "--out", out, "--start", "abc"}, 2, "--start"},
        {{"step", "--out", out, "--speed", "9"}, 2, "usage:"},
        {{"step", "--out", out, "--data-dir", folder, "--vehicle", "tractor"},
         1,
         "unknown vehicle \"tractor\""},
        {{"step", "--out", folder, "--data-dir", folder}, 1, "is a folder"},
        // The limiter is at 13500 rpm: a 14500 target is never reached.
        {{"step", "--out", out, "--data-dir", folder, "--start", "14500", "--end", "14500"},
         1,
         "did not finish"},
    };
    for (const Case& c : cases) {
        const ToolRun r = simulate(c.arguments);
        EXPECT_EQ(r.exitCode, c.code) << c.arguments.join(' ').toStdString() << "\n" << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1String(c.says))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
}

} // namespace
