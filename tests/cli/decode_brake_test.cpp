#include <gtest/gtest.h>

#include <QFile>

#include "support/fixtures.h"
#include "support/tool_runner.h"

namespace tolvane {
namespace {

using test::ToolRun;

ToolRun runTool(const QStringList& arguments, const QByteArray& input = {})
{
    test::ToolOptions options;
    options.input = input;
    return test::runTool(arguments, options);
}

QByteArray readFixture(const QString& name)
{
    QFile f(test::fixturePath(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    return f.readAll();
}

// Line by line to the end of both texts, so a missing or extra line is a failure too.
void expectSameLines(const QByteArray& actual, const QByteArray& golden)
{
    const QList<QByteArray> a = actual.split('\n');
    const QList<QByteArray> g = golden.split('\n');
    for (qsizetype i = 0; i < std::max(a.size(), g.size()); ++i) {
        const QByteArray al = i < a.size() ? a[i] : QByteArray("<missing>");
        const QByteArray gl = i < g.size() ? g[i] : QByteArray("<missing>");
        ASSERT_EQ(al.toStdString(), gl.toStdString()) << "line " << i + 1;
    }
}

TEST(DecodeCommandTest, RecordedRunsMatchTheirGoldenOutput)
{
    const QString config = test::fixturePath(QStringLiteral("frames/calibration.Ini"));
    struct Case {
        const char* frames;
        const char* golden;
        QStringList arguments;
    };
    const Case cases[] = {
        {"frames/step_run.frames",
         "frames/step_run.golden",
         {"decode", "--tach", "2.5", "--depth", "8", "--config", config}},
        {"frames/sweep_run.frames",
         "frames/sweep_run.golden",
         {"decode", "--sweep", "--tach", "3.2", "--inertia", "3.5", "--config", config}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frames);
        const ToolRun run = runTool(c.arguments, readFixture(QString::fromLatin1(c.frames)));
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        expectSameLines(run.out.toUtf8(), readFixture(QString::fromLatin1(c.golden)));
    }
}

TEST(DecodeCommandTest, CommaDecimalSeparatorReachesEveryNumberOfTheSweepRow)
{
    // The sweep grid's time column follows the separator too, so the whole golden output changes
    // by its points alone; the configuration's points are still read.
    const ToolRun run =
        runTool({"decode", "--sweep", "--tach", "3,2", "--inertia", "3,5", "--config",
                 test::fixturePath(QStringLiteral("frames/calibration.Ini")), "--decimal", ","},
                readFixture(QStringLiteral("frames/sweep_run.frames")));
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    expectSameLines(run.out.toUtf8(),
                    readFixture(QStringLiteral("frames/sweep_run.golden")).replace('.', ','));
}

TEST(DecodeCommandTest, StepRowKeepsAPointInItsTimeWithACommaLocale)
{
    const ToolRun run = runTool({"decode", "--tach", "2", "--depth", "2", "--decimal", ","},
                                "0 00000B 061A80 000000 000000\n40 00 00 0B 06 1A 80 00 00 00 00 00 00\n"
                                "80\t00000B0186A0000000000000\n");
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.toStdString(),
              "drop\tspike\n"
              "ok\t8:00:00.040\t2000,0\t14,2\t0,046\t0,0*2\t0,0\t0\t1,0000\t0,0\t0,00\t0\t"
              "4000,00\t3,55\t2,70\t75,80\n"
              "drop\trange\n");
}

TEST(DecodeCommandTest, BadLinesStopWithTheLineNumber)
{
    struct Case {
        const char* input;
        const char* message;
    };
    const Case cases[] = {
        {"0 00000B061A80000000000000\nxyz\n", "line 2: expected MILLISECONDS HEXFRAME"},
        {"0 00000B061A800000000000\n", "line 1: a frame has 24 hexadecimal digits, this one has 22"},
        {"0 00000B061A80000000000000\n40 0000B 061A80000000000000\n", "line 2: \"0000B\" splits a byte"},
        {"0 00000B061A80000000ZZ0000\n", "line 1: \"00000B061A80000000ZZ0000\" is not hexadecimal"},
        {"-40 00000B061A80000000000000\n", "line 1: milliseconds \"-40\" is not a whole number from 0"},
        {"\n", "line 1: expected MILLISECONDS HEXFRAME"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        const ToolRun run = runTool({"decode"}, c.input);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
    }
    // A sweep frame has 18 digits.
    const ToolRun sweep = runTool({"decode", "--sweep"}, "0 00000B061A80000000000000\n");
    EXPECT_EQ(sweep.exitCode, 1);
    EXPECT_TRUE(sweep.err.contains("a frame has 18 hexadecimal digits"));
}

TEST(DecodeCommandTest, BadArgumentsPrintTheUsage)
{
    const QList<QStringList> cases = {
        {"decode", "--tach", "fast"}, {"decode", "--depth", "1"},   {"decode", "--depth", "128"},
        {"decode", "--decimal", ";"}, {"decode", "--inertia", "x"}, {"decode", "--speed"},
        {"decode", "frames.txt"},
    };
    for (const QStringList& args : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains("usage: tolvane-tool decode [--sweep]")) << run.err.toStdString();
    }
    const ToolRun missing = runTool({"decode", "--config", "/nonexistent/ZezeDur_USB.Ini"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("cannot read the configuration file"));
}

TEST(BrakeCommandToolTest, CodeAndBytes)
{
    struct Case {
        QStringList arguments;
        const char* out;
    };
    const Case cases[] = {
        {{"brake", "--tach", "3.125", "--target", "13000"}, "16642\n55 88 10 03 02 41 10 11 12\n"},
        {{"brake", "--tach", "2", "--target", "5"}, "10\n55 88 10 03 0A 00 10 11 12\n"}, // 2.5 -> 2
        {{"brake", "--tach", "2", "--target", "7"}, "18\n55 88 10 03 12 00 10 11 12\n"}, // 3.5 -> 4
        {{"brake", "--tach", "1", "--target", "30000"}, "25000\n55 88 10 03 A8 61 10 11 12\n"},
        {{"brake", "--tach", "3", "--target", "3000", "--amf", "31", "--fdf", "20"},
         "4002\n55 88 1F 14 A2 0F 10 11 12\n"},
        {{"brake", "--sweep", "--tach", "3", "--target", "32768"}, "32768\n55 88 10 03 00 80 14 0A 02\n"},
        {{"brake", "--sweep", "--tach", "0", "--target", "20000", "--accel", "25", "--bar2", "255", "--bar3",
          "0"},
         "20000\n55 88 10 03 20 4E 19 FF 00\n"},
        {{"brake", "--sweep", "--tach", "2.5", "--target", "4000"}, "6402\n55 88 10 03 02 19 14 0A 02\n"},
        // The code printed is the one the bytes carry, at the end of its range.
        {{"brake", "--tach", "1e-14", "--target", "30000"}, "25000\n55 88 10 03 A8 61 10 11 12\n"},
        {{"brake", "--sweep", "--tach", "1e-14", "--target", "30000"}, "65535\n55 88 10 03 FF FF 14 0A 02\n"},
        {{"brake", "--sweep", "--tach", "1", "--target", "20000"}, "65535\n55 88 10 03 FF FF 14 0A 02\n"},
        {{"brake", "--sweep", "--tach", "0", "--target", "1000000"}, "65535\n55 88 10 03 FF FF 14 0A 02\n"},
        {{"brake", "--sweep", "--tach", "1e-14", "--target", "32768"}, "32768\n55 88 10 03 00 80 14 0A 02\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const ToolRun run = runTool(c.arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.out.toStdString(), c.out);
    }
}

TEST(BrakeCommandToolTest, BadArgumentsPrintTheUsage)
{
    const QList<QStringList> cases = {
        {"brake", "--target", "3000"},
        {"brake", "--tach", "3"},
        {"brake", "--tach", "0", "--target", "3000"},
        {"brake", "--tach", "-1", "--sweep", "--target", "3000"},
        {"brake", "--tach", "3", "--target", "3000.5"},
        {"brake", "--tach", "3", "--target", "3000", "--amf", "32"},
        {"brake", "--tach", "3", "--target", "3000", "--fdf", "0"},
        {"brake", "--tach", "3", "--target", "3000", "--bar2", "256"},
        {"brake", "--tach", "1e39", "--target", "3000"}, // no float holds it
        {"brake", "--tach", "nan", "--sweep", "--target", "3000"},
    };
    for (const QStringList& args : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains("usage: tolvane-tool brake [--sweep] --tach R --target RPM"));
    }
}

} // namespace
} // namespace tolvane
