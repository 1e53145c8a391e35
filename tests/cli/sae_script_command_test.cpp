#include <gtest/gtest.h>

#include "support/tool_runner.h"

namespace tolvane {
namespace {

using test::runTool;
using test::ToolRun;

TEST(SaeCommandTest, PrintsTheFactorTheConditionsWindowComputes)
{
    struct Case {
        QStringList arguments;
        const char* out;
    };
    const Case cases[] = {
        {{"0", "29.22", "77"}, "1.0000\n"},
        {{"1", "29.22", "77"}, "1.0004\n"},
        {{"50", "29.22", "77"}, "1.0192\n"},
        {{"0", "29.22", "25", "--celsius"}, "1.0000\n"},
        {{"1", "1013.25", "77", "--mb"}, "0.9727\n"},
        {{"45", "29.884", "75.8"}, "0.9883\n"},
        {{"10", "29", "-5", "--celsius"}, "0.9481\n"}, // a negative entry is not an option
    };
    for (const Case& c : cases) {
        const ToolRun run = runTool(QStringList{QStringLiteral("sae")} + c.arguments);
        EXPECT_EQ(run.exitCode, 0) << c.arguments.join(' ').toStdString() << run.err.toStdString();
        EXPECT_EQ(run.out, QString::fromUtf8(c.out)) << c.arguments.join(' ').toStdString();
    }
}

TEST(SaeCommandTest, RefusesWhatTheWindowRefuses)
{
    struct Case {
        QStringList arguments;
        const char* reason;
    };
    const Case cases[] = {
        {{"1", "29.22", "warm"}, "the temperature \"warm\" is not a number"},
        {{"1", "0", "77"}, "the pressure is 0"},
        {{"1", "29.22", "200"}, "outside the vapour-pressure table"},
        {{"1", "29.22", "66", "--celsius"}, "outside the vapour-pressure table"},
        {{"5000", "29.22", "77"}, "not above 0"},
    };
    for (const Case& c : cases) {
        const ToolRun run = runTool(QStringList{QStringLiteral("sae")} + c.arguments);
        EXPECT_EQ(run.exitCode, 1) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.contains(c.reason)) << run.err.toStdString();
    }
    const ToolRun usage = runTool({QStringLiteral("sae"), QStringLiteral("1"), QStringLiteral("29.22")});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_TRUE(usage.err.contains("usage: tolvane-tool sae HUMIDITY BARO TEMP [--celsius] [--mb]"));
}

TEST(ScriptCommandTest, PrintsTheGeneratedScript)
{
    struct Case {
        QStringList arguments;
        const char* out;
    };
    const Case cases[] = {
        {{"3000", "12000", "1000"}, "3000\n4000\n5000\n6000\n7000\n8000\n9000\n10000\n11000\n12000\n"},
        {{"3500", "6000", "1000"}, "3500\n4000\n5000\n6000\n"},
        {{"3000", "5500", "1000"}, "3000\n4000\n5000\n5500\n"},
        {{"6000", "3000", "-1000"}, "6000\n5000\n4000\n3000\n"},
        {{"3000", "5000", "1000", "--road-load", "20,80"},
         "3000\n4000\n5000\n80% Throttle\n3000\n4000\n5000\n20% Throttle\n3000\n4000\n5000\n"},
    };
    for (const Case& c : cases) {
        const ToolRun run = runTool(QStringList{QStringLiteral("script")} + c.arguments);
        EXPECT_EQ(run.exitCode, 0) << c.arguments.join(' ').toStdString() << run.err.toStdString();
        EXPECT_EQ(run.out, QString::fromUtf8(c.out)) << c.arguments.join(' ').toStdString();
    }
}

TEST(ScriptCommandTest, RefusesTooLongScriptsAndBadArguments)
{
    const ToolRun tooMany = runTool(
        {QStringLiteral("script"), QStringLiteral("500"), QStringLiteral("25000"), QStringLiteral("100")});
    EXPECT_EQ(tooMany.exitCode, 1);
    EXPECT_TRUE(tooMany.out.isEmpty());
    EXPECT_EQ(tooMany.err, QStringLiteral("Too many Steps!  Aborting!  Try a larger increment.\n"));

    const ToolRun small = runTool(
        {QStringLiteral("script"), QStringLiteral("3000"), QStringLiteral("12000"), QStringLiteral("40")});
    EXPECT_EQ(small.exitCode, 1);
    EXPECT_TRUE(small.out.isEmpty());

    const QList<QStringList> usage = {
        {"3000", "12000"},
        {"400", "12000", "1000"},
        {"3000", "26000", "1000"},
        {"3000", "12000", "x"},
        {"3000", "12000", "1000", "--road-load", "75"},
        {"3000", "12000", "1000", "--throttle"},
    };
    for (const QStringList& arguments : usage) {
        const ToolRun run = runTool(QStringList{QStringLiteral("script")} + arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains("usage: tolvane-tool script START END INC")) << run.err.toStdString();
    }
}

} // namespace
} // namespace tolvane
