#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/common/text_file.h"
#include "support/fixtures.h"
#include "support/tool_runner.h"

namespace {

using tolvane::test::fixturePath;
using tolvane::test::ToolRun;

ToolRun runTool(const QStringList& arguments)
{
    return tolvane::test::runTool(QStringList{QStringLiteral("run-table")} + arguments);
}

QString run(const char* name)
{
    return fixturePath(QStringLiteral("runs/") + QLatin1String(name));
}

struct OutputCase {
    const char* name;
    QStringList arguments;
    QString out;
};

TEST(RunTableCommandTest, PrintsHeaderValuesAndRows)
{
    const OutputCase cases[] = {
        {"current run, corrected",
         {run("step_basic.STP")},
         "# RunCorrection\t1\n# RunTachRatio\t2.5\n# RunInertia\t3.5\n# FirstDataLine\t10\n"
         "3000.00\t30.00\t40.00\t70.00\t2.50\t120.00\t13.10\t1.20\t450.00\t0.00\n"
         "4000.00\t40.00\t60.00\t78.80\t3.10\t100.00\t13.50\t0.90\t500.00\t0.00\n"
         "5000.00\t50.00\t80.00\t84.00\n"
         "6000.00\t60.00\t90.00\t78.80\n"},
        {"selected run, uncorrected, zero factor",
         {run("correction_zero.STP"), "--all", "--uncorrected"},
         "# RunCorrection\t1\n# RunTachRatio\t0\n# RunInertia\t0\n# FirstDataLine\t0\n"
         "3000.00\t30.00\t40.00\t70.00\n4000.00\t40.00\t60.00\t78.80\n"},
        {"uncorrected divides out the applied factor",
         {run("step_basic.STP"), "--all", "--uncorrected", "--highest", "--average"},
         "# RunCorrection\t0.961538461538461\n# RunTachRatio\t0\n# RunInertia\t0\n# FirstDataLine\t0\n"
         "3000.00\t30.00\t40.00\t70.00\t2.50\t120.00\t13.10\t1.20\t450.00\t0.00\n"
         "4000.00\t40.00\t60.00\t78.80\t3.10\t100.00\t13.50\t0.90\t500.00\t0.00\n"
         "5000.00\t50.00\t80.00\t84.00\n"
         "6000.00\t60.00\t90.00\t78.80\n"},
        {"odd fields",
         {run("odd_fields.STP"), "--current"},
         "# RunCorrection\t1.04\n# RunTachRatio\t0\n# RunInertia\t1\n# FirstDataLine\t6\n"
         "4520.00\t12.10\t30.50\t35.00\n4520.00\t33.10\t50.00\t58.00\n4600.00\t46.00\t52.00\n"
         "4700.00\t47.00\n"},
        {"show highest needs three rows",
         {run("correction_zero.STP"), "--highest"},
         "# RunCorrection\t1\n# RunTachRatio\t0\n# RunInertia\t0\n# FirstDataLine\t4\n"},
        {"only warm-up",
         {run("cold_only.STP")},
         "# RunCorrection\t1\n# RunTachRatio\t0\n# RunInertia\t0\n# FirstDataLine\t0\n"},
    };
    for (const OutputCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ToolRun result = runTool(c.arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_EQ(result.out, c.out);
    }
}

// A file with one line of a hundred thousand numbers: every row prints as far as it has cells,
// so the output is about as long as the file instead of rows x that line's width.
TEST(RunTableCommandTest, OneVeryLongLinePrintsOnlyTheCellsThereAre)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wide.SWP"));
    QByteArray text = "QV512e Auto Sweep   12/9/2026\r\n\\wide.SWP\r\n";
    for (int i = 0; i < 2000; ++i) {
        text += QByteArray::number(3000 + i) + "\t30.5\t40\t50\t\r\n";
        if (i == 2)
            text += QByteArray("7\t").repeated(100000) + "\r\n";
    }
    ASSERT_FALSE(tolvane::writeFileAtomically(path, text));

    const ToolRun result = runTool({path});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    ASSERT_LT(result.out.size(), 1000000);
    const QStringList lines = result.out.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4 + 2001 + 1);
    EXPECT_EQ(lines[4], QStringLiteral("3000.00\t30.50\t40.00\t50.00\t") +
                            QStringLiteral("7.00\t").repeated(99995) + QStringLiteral("7.00"));
    EXPECT_EQ(lines[5], QStringLiteral("3001.00\t30.50\t40.00\t50.00"));
    EXPECT_EQ(lines[7], QStringLiteral("700.00\t7.00\t7.00\t7.00")); // the long line's first four
    EXPECT_EQ(lines[2004], QStringLiteral("4999.00\t30.50\t40.00\t50.00"));
}

TEST(RunTableCommandTest, SpikeFilterLeavesTheFileAlone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("spiky.STP"));
    const QByteArray text =
        "QV512e -USB- Auto Step\r\n\\spiky.STP\r\n"
        "3000\t30\t50\t70\t\r\n3100\t31\t80\t71\t\r\n3200\t32\t52\t72\t\r\n3300\t33\t53\t73\t\r\n"
        "end.\r\n";
    ASSERT_FALSE(tolvane::writeFileAtomically(path, text));

    const ToolRun result = runTool({path, QStringLiteral("--spike")});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(
        result.out.endsWith(QStringLiteral("3000.00\t30.00\t50.00\t70.00\n3100.00\t31.00\t51.00\t71.00\n"
                                           "3200.00\t32.00\t52.00\t72.00\n3300.00\t33.00\t53.00\t73.00\n")))
        << result.out.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), text);
}

TEST(RunTableCommandTest, BadInputAndBadArguments)
{
    const ToolRun missing = runTool({fixturePath(QStringLiteral("runs/no_such_run.STP"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("no_such_run.STP")));
    EXPECT_TRUE(missing.out.isEmpty());

    // Text that is no test file at all is unusable input; a headerless file of numbers is still
    // a run, and a test file of warm-up lines only prints its empty table (above).
    QTemporaryDir dir;
    QByteArray noise(4096, '\0');
    QRandomGenerator random(7);
    for (char& byte : noise)
        byte = static_cast<char>(random.bounded(256));
    const std::pair<const char*, QByteArray> notRuns[] = {
        {"empty.STP", {}}, {"noise.STP", noise}, {"letter.STP", "Dear Sir,\r\nthe bike is ready.\r\n"}};
    for (const auto& [name, bytes] : notRuns) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(QLatin1String(name));
        ASSERT_FALSE(tolvane::writeFileAtomically(path, bytes));
        const ToolRun result = runTool({path});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_TRUE(result.err.contains(path + QStringLiteral(" is not a test data file")))
            << result.err.toStdString();
    }
    const QString numbers = dir.filePath(QStringLiteral("numbers.txt"));
    ASSERT_FALSE(tolvane::writeFileAtomically(numbers, "3000\t30\t\r\n"));
    const ToolRun headerless = runTool({numbers});
    EXPECT_EQ(headerless.exitCode, 0) << headerless.err.toStdString();
    EXPECT_TRUE(headerless.out.endsWith(QStringLiteral("3000.00\t30.00\n")));

    const QStringList usage[] = {
        {},
        {run("step_basic.STP"), run("sweep_basic.SWP")},
        {run("step_basic.STP"), "--all", "--current"},
        {run("step_basic.STP"), "--all", "--spike"},
        {run("step_basic.STP"), "--average"},
        {run("step_basic.STP"), "--bogus"},
    };
    for (const QStringList& arguments : usage) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const ToolRun result = runTool(arguments);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_TRUE(result.err.contains(QStringLiteral("usage: tolvane-tool run-table FILE")));
    }
}

} // namespace
