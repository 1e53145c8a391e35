#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/acquisition/live_calibration.h"
#include "core/common/configuration.h"

namespace tolvane {
namespace {

QString writeIni(const QTemporaryDir& dir, const QByteArray& text)
{
    const QString path = dir.filePath(QStringLiteral("ZezeDur_USB.Ini"));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
    return path;
}

TEST(LiveCalibrationTest, MissingFileGivesEachWindowItsDefaults)
{
    QTemporaryDir dir;
    const Configuration config(dir.filePath(QStringLiteral("absent.Ini")), TextLocale::standard());
    const LiveCalibration step = readLiveCalibration(config, LiveWindow::Step);
    const LiveCalibration sweep = readLiveCalibration(config, LiveWindow::Sweep);
    EXPECT_EQ(step.recordTolerance, 250);
    EXPECT_EQ(sweep.recordTolerance, 125);
    for (const LiveCalibration& d : {step, sweep}) {
        EXPECT_EQ(d.timeCF, 1500.0);
        EXPECT_EQ(d.etcf, 0.26214);
        EXPECT_EQ(d.rollerFactor, 0.0379);
        EXPECT_EQ(d.loadOffset, 1.0);
        EXPECT_EQ(d.loadSpan, 1.0);
        EXPECT_EQ(d.torqueOffset, 0.0);
        EXPECT_EQ(d.torqueGain, 1.0);
        EXPECT_EQ(d.dragGain, 1.0);
        EXPECT_EQ(d.dynoInertia, 2.5);
    }
    EXPECT_EQ(step.autoDecelerationForce, 5);
    EXPECT_EQ(step.incrementRpm, 2500);
}

TEST(LiveCalibrationTest, ReadsEveryKeyWhateverTheCaseOfItsName)
{
    QTemporaryDir dir;
    const QString path = writeIni(dir, "[BlackBox]\r\nRollerDia=0,04\r\nLOADOFF=2,5\r\nLoadSpan=0,125\r\n"
                                       "TimeCF=oops\r\n[Dyno_System]\r\nTQ_Off=-1,5\r\nTQ_Gain=1,1\r\n"
                                       "Spd_Gain=0\r\n[Test]\r\nRecord Tolerance=300\r\n"
                                       "auto deceleration force=3\r\n");
    const Configuration config(path, TextLocale::withDecimal(QLatin1Char(',')));
    for (LiveWindow window : {LiveWindow::Step, LiveWindow::Sweep}) {
        const LiveCalibration d = readLiveCalibration(config, window);
        EXPECT_EQ(d.rollerFactor, 0.04);
        EXPECT_EQ(d.loadOffset, 2.5);
        EXPECT_EQ(d.loadSpan, 0.125);
        EXPECT_EQ(d.timeCF, 1500.0); // unreadable: the default, silently
        EXPECT_EQ(d.torqueOffset, -1.5);
        EXPECT_EQ(d.torqueGain, 1.1);
        EXPECT_EQ(d.dragGain, 0.0);
        EXPECT_EQ(d.recordTolerance, 300);
    }
    EXPECT_EQ(readLiveCalibration(config, LiveWindow::Step).autoDecelerationForce, 3);
    EXPECT_EQ(readLiveCalibration(config, LiveWindow::Sweep).autoDecelerationForce, 5);
}

} // namespace
} // namespace tolvane
