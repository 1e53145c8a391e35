#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "support/fixtures.h"
#include "support/tool_runner.h"

namespace {

using tolvane::test::ToolRun;

ToolRun tool(const QStringList& arguments)
{
    return tolvane::test::runTool(QStringList{QStringLiteral("config")} + arguments);
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ConfigCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        ini = dir.filePath(QStringLiteral("ZezeDur_USB.Ini"));
        ASSERT_TRUE(QFile::copy(tolvane::test::fixturePath(QStringLiteral("ini/ZezeDur_USB.Ini")), ini));
        QFile::setPermissions(ini, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    QTemporaryDir dir;
    QString ini;
};

} // namespace

TEST_F(ConfigCommand, GetReadsTypedWithDefaults)
{
    struct Case {
        QStringList arguments;
        const char* printed;
    };
    const Case cases[] = {
        {{"BlackBox", "LoadOff", "--type", "float"}, "2.5"},
        {{"blackbox", "LOADSPAN", "--type", "float", "--decimal", ","}, "0,0417"},
        {{"BlackBox", "Acq. Com port", "--type", "int"}, "10"},
        {{"BlackBox", "USB Black Box", "--type", "bool"}, "1"},
        {{"Dyno_System", "TQ_Gain", "--type", "float", "--default", "1"}, "1"}, // "garbage"
        {{"Test", "Record Tolerance", "--type", "int", "--default", "250"}, "250"},
        {{"Help", "Show_Help", "--default", "True"}, "true"},
        {{"Units", "Road Speed"}, "KPH"},
        {{"Units", "Force", "--default", "Ft/Lbs"}, "Ft/Lbs"},
        {{"Units", "Inertia", "--type", "int"}, "2500"},
        {{"Nowhere", "Nothing", "--type", "bool", "--default", "true"}, "1"},
    };
    for (const Case& c : cases) {
        const ToolRun r = tool(QStringList{QStringLiteral("get"), ini} << c.arguments);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.out, QLatin1String(c.printed) + QLatin1Char('\n')) << c.arguments.join(' ').toStdString();
    }
}

TEST_F(ConfigCommand, SetWritesInTheFileFormatAndKeepsTheRest)
{
    const QByteArray before = fileBytes(ini);
    struct Case {
        QStringList arguments;
        QByteArray from;
        QByteArray to;
    };
    const Case cases[] = {
        {{"BlackBox", "loadoff", "3,25", "--type", "float", "--decimal", ","}, "LOADOFF=2.5", "LOADOFF=3,25"},
        {{"Units", "Power mf", "$2EA", "--type", "int"}, "Power mf=1014", "Power mf=746"},
        {{"Test", "Metric ACF", "false", "--type", "bool"}, "Metric ACF=-3", "Metric ACF=0"},
        {{"Units", "Road Speed", "MPH"}, "Road Speed=KPH", "Road Speed=MPH"},
    };
    QByteArray expected = before;
    for (const Case& c : cases) {
        const ToolRun r = tool(QStringList{QStringLiteral("set"), ini} << c.arguments);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        expected.replace(c.from, c.to);
    }
    EXPECT_EQ(fileBytes(ini), expected);

    const ToolRun added =
        tool({QStringLiteral("set"), ini, QStringLiteral("Weather Station"), QStringLiteral("Davis Com Port"),
              QStringLiteral("99"), QStringLiteral("--type"), QStringLiteral("int")});
    EXPECT_EQ(added.exitCode, 0);
    EXPECT_EQ(fileBytes(ini), expected + "[Weather Station]\r\nDavis Com Port=99\r\n");
}

TEST_F(ConfigCommand, BadArgumentsAreUsageErrorsAndBadValuesAreRefused)
{
    struct Case {
        QStringList arguments;
        int code;
        const char* says;
    };
    const Case cases[] = {
        {{}, 2, "usage: tolvane-tool config"},
        {{"fetch", "INI", "A", "B"}, 2, "usage:"},
        {{"get", "INI", "A"}, 2, "usage:"},
        {{"set", "INI", "A", "B"}, 2, "usage:"},
        {{"get", "INI", "A", "B", "--type", "double"}, 2, "usage:"},
        {{"get", "INI", "A", "B", "--decimal", ",."}, 2, "usage:"},
        {{"set", "INI", "A", "B", "1", "--default", "2"}, 2, "usage:"},
        {{"get", "INI", "A", "B", "--colour", "red"}, 2, "usage:"},
        {{"set", "INI", "Units", "Speed mf", "1.5", "--type", "int"},
         1,
         "the value \"1.5\" is not an integer"},
        {{"set", "INI", "Units", "Speed mf", "fast", "--type", "float"}, 1, "is not a number"},
        {{"set", "INI", "Units", "Speed mf", "2", "--type", "bool"}, 0, ""},
        {{"set", "INI", "Units", "Speed mf", "yes", "--type", "bool"}, 1, "is not a boolean"},
        {{"get", "INI", "Units", "Speed mf", "--type", "int", "--default", "x"}, 1, "the default \"x\""},
        {{"set", "INI", "Units", "A=B", "1"}, 1, "cannot be a key name"},
    };
    for (const Case& c : cases) {
        QStringList arguments = c.arguments;
        arguments.replaceInStrings(QStringLiteral("INI"), ini);
        const QByteArray before = fileBytes(ini);
        const ToolRun r = tool(arguments);
        EXPECT_EQ(r.exitCode, c.code) << arguments.join(' ').toStdString() << "\n" << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1String(c.says))) << r.err.toStdString();
        if (c.code != 0) {
            EXPECT_EQ(fileBytes(ini), before) << arguments.join(' ').toStdString();
        }
    }
}

TEST_F(ConfigCommand, MissingFileReadsDefaultsAndSetCreatesIt)
{
    const QString fresh = dir.filePath(QStringLiteral("new/ZezeDur.Ini"));
    const ToolRun get = tool({QStringLiteral("get"), fresh, QStringLiteral("BlackBox"),
                              QStringLiteral("Acq. Com port"), QStringLiteral("--type"),
                              QStringLiteral("int"), QStringLiteral("--default"), QStringLiteral("1")});
    EXPECT_EQ(get.exitCode, 0);
    EXPECT_EQ(get.out, QStringLiteral("1\n"));
    EXPECT_FALSE(QFile::exists(fresh));
    const ToolRun set =
        tool({QStringLiteral("set"), fresh, QStringLiteral("BlackBox"), QStringLiteral("Acq. Com port"),
              QStringLiteral("3"), QStringLiteral("--type"), QStringLiteral("int")});
    EXPECT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_EQ(fileBytes(fresh), QByteArray("[BlackBox]\r\nAcq. Com port=3\r\n"));
}
