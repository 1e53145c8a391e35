#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/common/configuration.h"
#include "core/common/data_paths.h"
#include "support/fixtures.h"

using namespace tolvane;

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

Configuration withText(const QTemporaryDir& dir, const QByteArray& bytes, QChar separator = QLatin1Char('.'))
{
    const QString path = dir.filePath(QStringLiteral("ZezeDur_USB.Ini"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return Configuration(path, TextLocale::withDecimal(separator));
}

} // namespace

TEST(Configuration, LoadOffInCapitalsReachesEveryReader)
{
    const Configuration config(test::fixturePath(QStringLiteral("ini/ZezeDur_USB.Ini")),
                               TextLocale::standard());
    // The live windows, the DAQ calibration window and the load-cell calibration all read this one.
    EXPECT_EQ(config.read(ConfigSettings::LoadOff), 2.5);
    EXPECT_EQ(config.read(ConfigSettings::LoadSpan), 0.0417);
    EXPECT_EQ(config.read(ConfigSettings::AcqComPort), 10);
    EXPECT_EQ(config.read(ConfigSettings::TqGain), 1.0); // "garbage" gives the default
    EXPECT_EQ(config.read(ConfigSettings::TqOff), -1.25);
    EXPECT_TRUE(config.read(ConfigSettings::MetricAcf));
    EXPECT_EQ(config.read(ConfigSettings::AutoDecelerationForce), 7);
}

TEST(Configuration, EachReaderHasItsOwnDefault)
{
    QTemporaryDir dir;
    const Configuration config = withText(dir, "[Test]\r\nIncrement rpm=3000\r\n");
    struct Case {
        const char* reader;
        double value;
        double expected;
    };
    const Case cases[] = {
        {"step/sweep TimeCF", config.read(LiveWindowSettings::TimeCF), 1500.0},
        {"calibration TimeCF", config.read(DaqCalibrationSettings::TimeCF), 30924000.0},
        {"step/sweep ETCF", config.read(LiveWindowSettings::ETCF), 0.26214},
        {"calibration ETCF", config.read(DaqCalibrationSettings::ETCF), 0.0197539931094777},
        {"step Record Tolerance", double(config.read(StepWindowSettings::RecordTolerance)), 250},
        {"sweep Record Tolerance", double(config.read(SweepWindowSettings::RecordTolerance)), 125},
        {"RollerDia", config.read(ConfigSettings::RollerDia), 0.0379},
        {"CalWeight", config.read(ConfigSettings::CalWeight), 50.0},
        {"Dyno_Inertia", config.read(ConfigSettings::DynoInertia), 2.5},
        {"TachRatValMax", config.read(ConfigSettings::TachRatValMax), 6.0},
        {"Increment rpm", double(config.read(ConfigSettings::IncrementRpm)), 3000},
        {"EGA Delay", double(config.read(ConfigSettings::EgaDelay)), 3},
        {"Davis Com Port", double(config.read(ConfigSettings::DavisComPort)), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value, c.expected) << c.reader;
}

TEST(Configuration, RecordToleranceIsASixteenBitValue)
{
    struct Case {
        const char* text;
        quint16 step;
        quint16 sweep;
    };
    const Case cases[] = {
        {"300", 300, 300},   {"0", 0, 0},      {"65535", 65535, 65535}, {"$64", 100, 100},
        {"65536", 250, 125}, {"-1", 250, 125}, {"wide", 250, 125},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const Configuration config =
            withText(dir, QByteArray("[test]\r\nrecord tolerance=") + c.text + "\r\n");
        EXPECT_EQ(config.read(StepWindowSettings::RecordTolerance), c.step) << c.text;
        EXPECT_EQ(config.read(SweepWindowSettings::RecordTolerance), c.sweep) << c.text;
    }
}

TEST(Configuration, ShowHelpIsTrueOnlyForTheExactText)
{
    struct Case {
        QByteArray file;
        bool shown;
    };
    const Case cases[] = {
        {"", true}, // absent: "True"
        {"[Help]\r\nShow_Help=True\r\n", true},
        {"[Help]\r\nShow_Help=true\r\n", false},
        {"[Help]\r\nShow_Help=TRUE\r\n", false},
        {"[Help]\r\nShow_Help=1\r\n", false},
        {"[Help]\r\nShow_Help=False\r\n", false},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        EXPECT_EQ(withText(dir, c.file).showHelp(), c.shown) << c.file.toStdString();
    }

    QTemporaryDir dir;
    Configuration config = withText(dir, "");
    ConfigChanges off = config.changes();
    off.setShowHelp(false);
    ASSERT_FALSE(config.apply(off));
    EXPECT_FALSE(config.showHelp());
    EXPECT_EQ(fileBytes(config.path()), QByteArray("[Help]\r\nShow_Help=False\r\n"));
    ConfigChanges on = config.changes();
    on.setShowHelp(true);
    ASSERT_FALSE(config.apply(on));
    EXPECT_TRUE(config.showHelp());
}

TEST(Configuration, FloatsUseTheLocaleSeparator)
{
    QTemporaryDir dir;
    Configuration comma = withText(dir, "[BlackBox]\r\nRollerDia=0,0412\r\n", QLatin1Char(','));
    EXPECT_EQ(comma.read(ConfigSettings::RollerDia), 0.0412);
    ASSERT_FALSE(comma.write(ConfigKeys::LoadSpan, 0.125));
    EXPECT_EQ(fileBytes(comma.path()), QByteArray("[BlackBox]\r\nRollerDia=0,0412\r\nLoadSpan=0,125\r\n"));
    // A "." machine does not read "0,0412": the reader's default applies.
    const Configuration dot(comma.path(), TextLocale::standard());
    EXPECT_EQ(dot.read(ConfigSettings::RollerDia), 0.0379);
}

TEST(Configuration, TableKeysAndTheirDefaults)
{
    EXPECT_STREQ(historyKey(1).name, "History 1");
    EXPECT_STREQ(historyKey(10).name, "History 10");
    EXPECT_STREQ(windowPositionKey(LayoutWindow::Main, WindowEdge::Top).name, "Main Top");
    EXPECT_STREQ(windowPositionKey(LayoutWindow::Directory, WindowEdge::Bottom).name, "Directory Bottom");
    EXPECT_STREQ(windowPositionKey(LayoutWindow::Notes, WindowEdge::Right).name, "Notes Right");
    EXPECT_STREQ(windowPositionKey(LayoutWindow::Graph, WindowEdge::Left).section, "Window Position");

    QTemporaryDir dir;
    Configuration config =
        withText(dir, "[Window Position]\r\nGraph Left=15\r\n[History]\r\nHistory 3=\\a\\b\\c\\x.stp\r\n");
    struct Case {
        LayoutWindow window;
        WindowRect rect;
    };
    const Case cases[] = {
        {LayoutWindow::Main, {0, 0, 400, 600}},
        {LayoutWindow::Graph, {200, 15, 400, 300}},
        {LayoutWindow::Directory, {0, 0, 200, 300}},
        {LayoutWindow::Notes, {0, 300, 400, 600}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(config.windowRect(c.window), c.rect) << int(c.window);
    EXPECT_EQ(config.history(3), QStringLiteral("\\a\\b\\c\\x.stp"));
    EXPECT_EQ(config.history(4), QString::fromLatin1(HistorySamplePath));

    ConfigChanges changes = config.changes();
    changes.setWindowRect(LayoutWindow::Notes, {1, 2, 3, 4});
    ASSERT_FALSE(config.apply(changes));
    EXPECT_EQ(config.windowRect(LayoutWindow::Notes), (WindowRect{1, 2, 3, 4}));
    EXPECT_EQ(
        fileBytes(config.path()),
        QByteArray("[Window Position]\r\nGraph Left=15\r\nNotes Top=1\r\nNotes Left=2\r\nNotes Bottom=3\r\n"
                   "Notes Right=4\r\n[History]\r\nHistory 3=\\a\\b\\c\\x.stp\r\n"));
}

TEST(Configuration, RootDirectoryDefaultsToTheDataDirectoryLibrary)
{
    QTemporaryDir dir;
    const DataPaths paths(dir.path());
    Configuration config(paths.usbIni(), TextLocale::standard());
    EXPECT_EQ(config.rootDirectory(paths), paths.defaultLibraryRoot());
    ASSERT_FALSE(config.write(ConfigKeys::RootDirectory, QStringLiteral("/srv/runs")));
    EXPECT_EQ(config.rootDirectory(paths), QStringLiteral("/srv/runs"));
}

TEST(Configuration, WeatherStationSectionTest)
{
    QTemporaryDir dir;
    const Configuration absent = withText(dir, "[Graphs]\r\nColors=clRed\r\n");
    EXPECT_FALSE(absent.sectionExists(ConfigSection::WeatherStation));
    QTemporaryDir dir2;
    const Configuration present = withText(dir2, "[weather station]\r\nDavis Com Port=99\r\n");
    EXPECT_TRUE(present.sectionExists(ConfigSection::WeatherStation));
    EXPECT_EQ(present.read(ConfigSettings::DavisComPort), 99);
}

TEST(Configuration, AFailedChangeWritesNothingOfTheGroup)
{
    QTemporaryDir dir;
    Configuration config = withText(dir, "[About]\r\nCompany Name=A\r\n");
    ConfigChanges changes = config.changes();
    changes.set(ConfigKeys::CompanyName, QStringLiteral("B"));
    changes.set(ConfigKeys::CompanyAddr, QStringLiteral("line\nbreak"));
    EXPECT_TRUE(config.apply(changes));
    EXPECT_EQ(fileBytes(config.path()), QByteArray("[About]\r\nCompany Name=A\r\n"));
}
