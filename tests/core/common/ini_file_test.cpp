#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <csignal>

#include "core/common/ini_file.h"
#include "support/fixtures.h"

using namespace tolvane;

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void putFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(IniFile, ReadsTheFixtureWithEveryTypeAndItsFallbacks)
{
    const IniFile ini(test::fixturePath(QStringLiteral("ini/ZezeDur_USB.Ini")), QLatin1Char('.'));
    // Names match whatever their case in the file.
    EXPECT_EQ(ini.readFloat(u"blackbox", u"LoadOff", 1.0), 2.5);
    EXPECT_EQ(ini.readFloat(u"BlackBox", u"LoadSpan", 1.0), 0.0417);
    EXPECT_EQ(ini.readInteger(u"BlackBox", u"Acq. Com port", 1), 10); // "$0A"
    EXPECT_TRUE(ini.readBool(u"BlackBox", u"USB Black Box", false));
    EXPECT_TRUE(ini.readBool(u"Test", u"Metric ACF", false)); // any non-zero integer
    EXPECT_EQ(ini.readFloat(u"Dyno_System", u"TQ_Off", 0.0), -1.25);
    EXPECT_EQ(ini.readFloat(u"Dyno_System", u"TQ_Gain", 1.0), 1.0); // "garbage"
    EXPECT_EQ(ini.readString(u"About", u"Company Name", {}), QString::fromLatin1("Bj\xf6rk Speed Shop"));
    EXPECT_EQ(ini.readString(u"Help", u"Show_Help", QStringLiteral("True")), QStringLiteral("true"));
    EXPECT_EQ(ini.readInteger(u"Units", u"Speed mf", 1000), 1000); // absent key
    EXPECT_EQ(ini.readInteger(u"Nowhere", u"Speed mf", 7), 7);     // absent section
    EXPECT_TRUE(ini.sectionExists(u"dyno_system"));
    EXPECT_FALSE(ini.sectionExists(u"Weather Station"));
}

TEST(IniFile, ParsesEachTypeOrFallsBack)
{
    struct Case {
        const char* text;
        std::optional<int> integer;
        std::optional<bool> boolean;
    };
    const Case cases[] = {
        {"12", 12, true},
        {" -7 ", -7, true},
        {"$ff", 255, true},
        {"0", 0, false},
        {"$", std::nullopt, {}},
        {"1.5", std::nullopt, {}},
        {"", std::nullopt, {}},
        {"true", std::nullopt, {}},
        {"4294967296", std::nullopt, {}}, // wider than the 32-bit integer of the file
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseIniInteger(QString::fromLatin1(c.text)), c.integer) << c.text;
        EXPECT_EQ(parseIniBool(QString::fromLatin1(c.text)), c.boolean) << c.text;
    }

    struct FloatCase {
        const char* text;
        char separator;
        std::optional<double> value;
    };
    const FloatCase floats[] = {
        {"0,0379", ',', 0.0379}, {"0.0379", ',', 0.0379}, // a "." typed elsewhere still reads
        {"0.0379", '.', 0.0379}, {"0,0379", '.', std::nullopt}, {"1E-5", '.', 1e-5}, {"x", '.', std::nullopt},
    };
    for (const FloatCase& c : floats)
        EXPECT_EQ(parseIniFloat(QString::fromLatin1(c.text), QLatin1Char(c.separator)), c.value) << c.text;

    struct FloatText {
        double value;
        char separator;
        const char* text;
    };
    const FloatText texts[] = {
        {1500.0, '.', "1500"}, {30924000.0, ',', "30924000"}, {0.0197539931094777, '.', "0.0197539931094777"},
        {2.5, ',', "2,5"},     {0.1 + 0.2, '.', "0.3"}, // 15 significant digits, not 17
    };
    for (const FloatText& c : texts)
        EXPECT_EQ(iniFloatText(c.value, QLatin1Char(c.separator)), QLatin1String(c.text));
    EXPECT_EQ(iniBoolText(true), QStringLiteral("1"));
    EXPECT_EQ(iniBoolText(false), QStringLiteral("0"));
}

TEST(IniFile, WritesKeepEveryOtherLineAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ZezeDur_USB.Ini"));
    const QByteArray original = fileBytes(test::fixturePath(QStringLiteral("ini/ZezeDur_USB.Ini")));
    putFile(path, original);
    IniFile ini(path, QLatin1Char(','));

    // An existing key keeps its own spelling; a new key goes to the end of its section, before the
    // blank line; a new section goes to the end of the file.
    ASSERT_FALSE(ini.writeFloat(u"BlackBox", u"LoadOff", 3.75));
    ASSERT_FALSE(ini.writeFloat(u"blackbox", u"CalWeight", 50.0));
    ASSERT_FALSE(ini.writeBool(u"Test", u"ISA Output", true));
    ASSERT_FALSE(ini.writeInteger(u"Weather Station", u"Davis Com Port", 99));
    ASSERT_FALSE(ini.writeString(u"About", u"Company Addr", QStringLiteral("  two blanks kept")));

    QByteArray expected = original;
    expected.replace("LOADOFF=2.5", "LOADOFF=3,75");
    expected.replace("Vendor Note=kept as it is\r\n", "Vendor Note=kept as it is\r\nCalWeight=50\r\n");
    expected.replace("auto deceleration force=7\r\n", "auto deceleration force=7\r\nISA Output=1\r\n");
    expected.replace("Company Addr=Main St. 1, 555-0100", "Company Addr=  two blanks kept");
    expected += "[Weather Station]\r\nDavis Com Port=99\r\n";
    EXPECT_EQ(fileBytes(path), expected);

    // Every write is on disk for the next reader.
    EXPECT_EQ(IniFile(path, QLatin1Char(',')).readFloat(u"BlackBox", u"loadoff", 0.0), 3.75);
    EXPECT_EQ(ini.readString(u"About", u"Company Addr", {}), QStringLiteral("  two blanks kept"));
}

TEST(IniFile, MissingFileReadsEmptyAndWritingCreatesItAndItsFolder)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data/ZezeDur.Ini"));
    IniFile ini(path, QLatin1Char('.'));
    EXPECT_EQ(ini.readInteger(u"BlackBox", u"Acq. Com port", 4), 4);
    EXPECT_FALSE(ini.sectionExists(u"BlackBox"));
    EXPECT_FALSE(QFile::exists(path));

    ASSERT_FALSE(ini.writeInteger(u"BlackBox", u"Acq. Com port", 3));
    ASSERT_FALSE(ini.writeInteger(u"Gas Analyzer", u"EGA Com port", 5));
    EXPECT_EQ(fileBytes(path),
              QByteArray("[BlackBox]\r\nAcq. Com port=3\r\n[Gas Analyzer]\r\nEGA Com port=5\r\n"));
}

TEST(IniFile, LfOnlyFilesAreReadAndRewrittenWithCrLf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lf.ini"));
    putFile(path, "[Units]\nRoad Speed=KPH\n\n[Graphs]\nColors=clNavy");
    IniFile ini(path, QLatin1Char('.'));
    EXPECT_EQ(ini.readString(u"Units", u"Road Speed", {}), QStringLiteral("KPH"));
    EXPECT_EQ(ini.readString(u"Graphs", u"Colors", {}), QStringLiteral("clNavy"));
    ASSERT_FALSE(ini.writeString(u"Units", u"Force", QStringLiteral("Nm")));
    EXPECT_EQ(fileBytes(path),
              QByteArray("[Units]\r\nRoad Speed=KPH\r\nForce=Nm\r\n\r\n[Graphs]\r\nColors=clNavy\r\n"));
}

TEST(IniFile, RefusesWhatTheFileCannotCarryAndKeepsTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.ini"));
    putFile(path, "[About]\r\nCompany Name=A\r\n");
    IniFile ini(path, QLatin1Char('.'));
    struct Case {
        QString section;
        QString key;
        QString value;
    };
    const Case cases[] = {
        {QStringLiteral("About"), QStringLiteral("Company Name"), QStringLiteral("A\r\n[Evil]\r\nx=1")},
        {QStringLiteral("About"), QStringLiteral("a=b"), QStringLiteral("v")},
        {QStringLiteral("Ab]out"), QStringLiteral("k"), QStringLiteral("v")},
        {QStringLiteral(""), QStringLiteral("k"), QStringLiteral("v")},
        {QStringLiteral("About"), QStringLiteral("Company Name"), QString(QChar(0x20ac))}, // euro sign
    };
    for (const Case& c : cases)
        EXPECT_TRUE(ini.writeString(c.section, c.key, c.value))
            << c.section.toStdString() << c.key.toStdString();
    EXPECT_EQ(fileBytes(path), QByteArray("[About]\r\nCompany Name=A\r\n"));
}

TEST(IniFile, FailedWriteKeepsTheOldFile)
{
    // A file-size limit makes the write of the new content fail part-way, for root as well.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ZezeDur_USB.Ini"));
    putFile(path, "[Units]\r\nPower=BHP\r\n");
    IniFile ini(path, QLatin1Char('.'));

    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto error = ini.writeString(u"Units", u"Power", QString(10000, QLatin1Char('P')));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_TRUE(error);
    EXPECT_TRUE(error->message.contains(path));
    EXPECT_EQ(fileBytes(path), QByteArray("[Units]\r\nPower=BHP\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("ZezeDur_USB.Ini")});
}

TEST(IniFile, UnreadableFileIsNeverOverwritten)
{
    QTemporaryDir dir;
    // A folder where the file should be: it exists, yet it cannot be read as a file.
    const QString path = dir.filePath(QStringLiteral("ZezeDur_USB.Ini"));
    ASSERT_TRUE(QDir().mkpath(path));
    IniFile ini(path, QLatin1Char('.'));
    EXPECT_EQ(ini.readInteger(u"Units", u"Power mf", 1000), 1000);
    EXPECT_TRUE(ini.writeInteger(u"Units", u"Power mf", 746));
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST(IniFile, WholeTextRoundTripsLatin1AndEndsLinesWithCrLf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ZezeDur_USB.Ini"));
    IniFile ini(path, QLatin1Char('.'));
    const IniWholeText empty = ini.loadText();
    EXPECT_FALSE(empty.error);
    EXPECT_TRUE(empty.text.isEmpty());

    const QString edited = QString::fromLatin1("[About]\nCompany Name=Caf\xe9\n; note\n[Units]\nPower=PS");
    ASSERT_FALSE(ini.saveText(edited));
    EXPECT_EQ(fileBytes(path),
              QByteArray("[About]\r\nCompany Name=Caf\xe9\r\n; note\r\n[Units]\r\nPower=PS\r\n"));
    EXPECT_EQ(ini.loadText().text, edited);
    EXPECT_EQ(ini.readString(u"About", u"Company Name", {}), QString::fromLatin1("Caf\xe9"));

    EXPECT_TRUE(ini.saveText(QString(QChar(0x20ac))));
    EXPECT_EQ(ini.loadText().text, edited);
}

TEST(IniFileText, FirstSectionAndKeyOfANameWinAndCommentsAreNoKeys)
{
    const IniFileText text =
        IniFileText::fromBytes("Loose=1\r\n[A]\r\n;K=comment\r\n k = first\r\nK=second\r\n"
                               "[a]\r\nJ=later section\r\n");
    EXPECT_EQ(text.value(u"A", u"K"), QStringLiteral(" first"));
    EXPECT_FALSE(text.value(u"A", u"J")); // only the first section of a name is read
    EXPECT_FALSE(text.value(u"A", u"Loose"));
    IniFileText edited = text;
    edited.setValue(u"a", u"K", QStringLiteral("new"));
    EXPECT_EQ(edited.lines().value(3), QStringLiteral(" k =new"));
    EXPECT_EQ(edited.lines().size(), text.lines().size());
}

TEST(IniFileText, ValuesKeepEverythingAfterTheFirstEquals)
{
    IniFileText text = IniFileText::fromBytes("[Graphs]\nRoot Directory=/srv/a=b \n[Empty]\n\n\n");
    EXPECT_EQ(text.value(u"Graphs", u"Root Directory"), QStringLiteral("/srv/a=b "));
    // A new key in a section with only blank lines goes right under its header.
    text.setValue(u"Empty", u"K", QStringLiteral("v"));
    text.setValue(u"New", u"Key", QString());
    EXPECT_EQ(text.toBytes(), QByteArray("[Graphs]\r\nRoot Directory=/srv/a=b \r\n[Empty]\r\nK=v\r\n\r\n\r\n"
                                         "[New]\r\nKey=\r\n"));
    EXPECT_EQ(text.value(u"New", u"Key"), QString());
}
