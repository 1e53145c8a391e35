// The load-cell calibration window over a step session fed by a replaying Black Box: zero and
// span from the live raw count, their exclusion, the calibration log and the configuration on
// save, and cancel leaving both files as they were.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "core/acquisition/acquisition_session.h"
#include "core/common/configuration.h"
#include "core/common/text_file.h"
#include "core/setup/test_setup.h"
#include "support/fixtures.h"
#include "support/step_session_rig.h"
#include "ui/setup/load_cell_window.h"

namespace tolvane {
namespace {

constexpr quint32 Period2560 = 312500;

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class LoadCellWindowTest : public ::testing::Test, protected test::StepSessionRig {
protected:
    LoadCellWindowTest()
    {
        QObject::connect(&window, &TCalLdF::calibrationSaved, [this] { ++saved; });
        QObject::connect(&window, &TCalLdF::closed, [this] { ++closed; });
    }

    // One tick of the window's timer, after the frame the step window's timer read before it.
    void ticks(int count, quint32 load)
    {
        for (int k = 0; k < count; ++k) {
            frame(load, Period2560, 100);
            window.Timer1Timer();
        }
    }
    void zeroAndSpan(quint32 zeroCount, quint32 spanCount)
    {
        window.ZerobClick();
        ticks(21, zeroCount);
        window.SpanbClick();
        ticks(21, spanCount);
    }
    QString logPath() const { return dir.filePath(QStringLiteral("CalLog.txt")); }

    QTemporaryDir dir;
    Configuration config{dir.filePath(QStringLiteral("ZezeDur_USB.Ini")), locale};
    TCalLdF window{session, config, logPath(), prompter};
    int saved = 0;
    int closed = 0;
};

TEST_F(LoadCellWindowTest, ShowingReadsTheConstantsAndWritesNothing)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Calibrate Load Cell"));
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(window.okbtn()->text(), QStringLiteral(" Save and return toTest"));
    EXPECT_EQ(window.ExitB()->text(), QStringLiteral("Cancel w/ no changes"));
    EXPECT_TRUE(window.ExitB()->isDefault());
    EXPECT_TRUE(window.TqDisE()->isReadOnly());
    EXPECT_EQ(window.TqDisE()->text(), QStringLiteral("50.00"));
    EXPECT_EQ(window.Timer1()->interval(), 100);

    window.show();
    EXPECT_TRUE(window.Timer1()->isActive());
    EXPECT_EQ(window.TqSpnE()->text(), QStringLiteral("1.000000"));
    EXPECT_EQ(window.TqZroE()->text(), QStringLiteral("1"));
    EXPECT_EQ(window.CalWts()->text(), QStringLiteral("50.00"));
    EXPECT_EQ(window.Memo1()->toPlainText(),
              QStringLiteral("Tolvane Dynamometer\nCalibration  Log\n \n \n \n "));
    EXPECT_FALSE(QFileInfo::exists(logPath()));
    EXPECT_FALSE(QFileInfo::exists(config.path()));

    // The timer stops itself once the window is gone.
    window.hide();
    EXPECT_FALSE(window.Timer1()->isActive());
}

TEST_F(LoadCellWindowTest, ZeroThenSpanWithFiftyPounds)
{
    window.show();
    window.ZerobClick();
    EXPECT_FALSE(window.Zerob()->isEnabled());
    ticks(20, 12000);
    EXPECT_FALSE(window.Zerob()->isEnabled());
    ticks(1, 12000);
    EXPECT_TRUE(window.Zerob()->isEnabled());
    EXPECT_EQ(window.TqZroE()->text(), QStringLiteral("12000"));

    window.SpanbClick();
    EXPECT_FALSE(window.Spanb()->isEnabled());
    ticks(1, 14500);
    // While spanning the step window's load count shows the calibrated weight.
    EXPECT_EQ(session.decoder().sample().loadCount, 50u);
    EXPECT_EQ(session.decoder().rawLoadCount(), 14500u);
    // A tick with no frame since the last one spans from the real count again, not from the
    // weight written back.
    window.Timer1Timer();
    EXPECT_DOUBLE_EQ(window.calibration().span(), 0.02);
    EXPECT_EQ(window.TqSpnE()->text(), QStringLiteral("14500.000000"));
    ticks(19, 14500);
    EXPECT_TRUE(window.Spanb()->isEnabled());
    EXPECT_DOUBLE_EQ(window.calibration().span(), 0.02);

    ticks(1, 14500);
    EXPECT_EQ(window.TqDisE()->text(), QStringLiteral("50.000"));
    EXPECT_EQ(window.TqSpnE()->text(), QStringLiteral("14500.000000"));
    EXPECT_EQ(session.decoder().sample().loadCount, 14500u);
    ticks(1, 12000);
    EXPECT_EQ(window.TqDisE()->text(), QStringLiteral("0.000"));
}

TEST_F(LoadCellWindowTest, SpanWhileZeroingAndZeroWhileSpanningDoNothing)
{
    window.show();
    window.ZerobClick();
    window.SpanbClick();
    EXPECT_TRUE(window.Spanb()->isEnabled());
    ticks(21, 12000);
    EXPECT_DOUBLE_EQ(window.calibration().span(), 1.0);

    window.SpanbClick();
    window.ZerobClick();
    EXPECT_TRUE(window.Zerob()->isEnabled());
    ticks(21, 14500);
    EXPECT_DOUBLE_EQ(window.calibration().offset(), 12000.0);
}

TEST_F(LoadCellWindowTest, FirstSaveWritesTheLogAndTheConstants)
{
    window.show();
    zeroAndSpan(12000, 14500);
    clock.set(test::runTime(0));
    window.okbtnClick();

    const QByteArray expected = fileBytes(test::fixturePath(QStringLiteral("setup/CalLog_first_save.txt")));
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(fileBytes(logPath()), expected);
    EXPECT_EQ(window.Memo1()->toPlainText(), splitLines(expected).join(QLatin1Char('\n')));
    const Configuration reread(config.path(), locale);
    EXPECT_DOUBLE_EQ(reread.read(ConfigSettings::LoadOff), 12000.0);
    EXPECT_DOUBLE_EQ(reread.read(ConfigSettings::LoadSpan), 0.02);
    EXPECT_DOUBLE_EQ(reread.read(ConfigSettings::CalWeight), 50.0);
    EXPECT_EQ(saved, 1);
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(prompter.asked().empty());

    // Shown again: the saved constants and the log as written.
    window.show();
    EXPECT_EQ(window.TqZroE()->text(), QStringLiteral("12000"));
    EXPECT_EQ(window.TqSpnE()->text(), QStringLiteral("0.020000"));
}

TEST_F(LoadCellWindowTest, LaterSavesPutTheNewestEntryFirst)
{
    const QStringList old{"Tolvane Dynamometer",
                          "Calibration  Log",
                          " ",
                          "12/1/2025 9:00:00 AM",
                          "Cal. Weight = 50.00",
                          "Span = 14400.000000",
                          "Offset = 11900",
                          " ",
                          " ",
                          " ",
                          " "};
    ASSERT_FALSE(writeTextLines(logPath(), old).has_value());
    window.show();
    EXPECT_EQ(window.Memo1()->toPlainText(), old.join(QLatin1Char('\n')));
    test::typeInto(window.CalWts(), QStringLiteral("25"));
    zeroAndSpan(12000, 13250);
    EXPECT_DOUBLE_EQ(window.calibration().span(), 0.02);
    clock.set(test::runTime(3600000));
    window.okbtnClick();

    const TextReadResult log = readTextLines(logPath());
    ASSERT_TRUE(log.ok());
    EXPECT_EQ(log.lines.mid(3, 5), (QStringList{"1/2/2026 9:00:00 AM", "Cal. Weight = 25",
                                                "Span = 13250.000000", "Offset = 12000", " "}));
    EXPECT_EQ(log.lines.mid(8), old.mid(3));
    EXPECT_DOUBLE_EQ(Configuration(config.path(), locale).read(ConfigSettings::CalWeight), 25.0);
}

TEST_F(LoadCellWindowTest, CancelOrHidingLeavesTheFilesUntouched)
{
    const QStringList old{
        "Tolvane Dynamometer", "Calibration  Log", " ", "12/1/2025 9:00:00 AM", "Cal. Weight = 50.00",
        "Span = 14400.000000", "Offset = 11900",   " "};
    ASSERT_FALSE(writeTextLines(logPath(), old).has_value());
    ConfigChanges constants = config.changes();
    constants.set(ConfigKeys::LoadOff, 11900.0);
    constants.set(ConfigKeys::LoadSpan, 0.0198);
    constants.set(ConfigKeys::CalWeight, 50.0);
    ASSERT_FALSE(config.apply(constants).has_value());
    const QByteArray logBefore = fileBytes(logPath());
    const QByteArray configBefore = fileBytes(config.path());

    const struct {
        const char* name;
        void (*close)(TCalLdF&);
    } ways[] = {
        {"Cancel", [](TCalLdF& w) { w.ExitBClick(); }},
        {"hidden", [](TCalLdF& w) { w.hide(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        closed = 0;
        window.show();
        test::typeInto(window.CalWts(), QStringLiteral("25"));
        zeroAndSpan(12000, 14500);
        window.SpanbClick(); // closed while spanning
        way.close(window);
        EXPECT_EQ(closed, 1);
        EXPECT_EQ(saved, 0);
        EXPECT_DOUBLE_EQ(window.calibration().offset(), 11900.0);
        EXPECT_DOUBLE_EQ(window.calibration().span(), 0.0198);
        EXPECT_FALSE(window.calibration().spanRunning());
        EXPECT_EQ(fileBytes(logPath()), logBefore);
        EXPECT_EQ(fileBytes(config.path()), configBefore);
    }
}

TEST_F(LoadCellWindowTest, WeightThatIsNoNumberKeepsThePreviousWeight)
{
    window.show();
    const struct {
        const char* typed;
        const char* message;
    } cases[] = {
        {"5o", "'5o' is not a valid floating point value."},
        {"", "'' is not a valid floating point value."},
        {"0", "The calibration weight must be above 0."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        prompter.clearRecord();
        test::typeInto(window.CalWts(), QString::fromLatin1(c.typed));
        EXPECT_DOUBLE_EQ(window.calibration().weight(), 50.0);
        EXPECT_FALSE(window.CalWtsExit());
        EXPECT_EQ(prompter.askedTexts(), QStringList{QString::fromLatin1(c.message)});
        EXPECT_EQ(window.CalWts()->text(), QStringLiteral("50.00"));
    }

    // Saving with a text that is no weight saves nothing.
    prompter.clearRecord();
    test::typeInto(window.CalWts(), QStringLiteral("abc"));
    window.okbtnClick();
    EXPECT_EQ(prompter.askedTexts(),
              QStringList{QStringLiteral("'abc' is not a valid floating point value.")});
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(QFileInfo::exists(config.path()));
    EXPECT_FALSE(QFileInfo::exists(logPath()));
    EXPECT_EQ(saved, 0);
}

TEST_F(LoadCellWindowTest, ConfigurationThatCannotBeWrittenKeepsTheWindowAndTheLog)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("ZezeDur_USB.Ini")));
    window.show();
    zeroAndSpan(12000, 14500);
    window.okbtnClick();
    ASSERT_EQ(prompter.asked().size(), 1u);
    EXPECT_EQ(prompter.asked().front().title, QStringLiteral("Calibrate Load Cell"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(saved, 0);
    EXPECT_FALSE(QFileInfo::exists(logPath()));
    EXPECT_DOUBLE_EQ(window.calibration().span(), 0.02);
}

TEST_F(LoadCellWindowTest, Renders)
{
    window.show();
    zeroAndSpan(12000, 14500);
    ticks(1, 14520);
    const QImage picture = window.grab().toImage();
    EXPECT_FALSE(picture.isNull());
    const QString grabDir = qEnvironmentVariable("TOLVANE_GRAB_DIR");
    if (!grabDir.isEmpty())
        picture.save(QDir(grabDir).filePath(QStringLiteral("load_cell.png")));
}

} // namespace
} // namespace tolvane
