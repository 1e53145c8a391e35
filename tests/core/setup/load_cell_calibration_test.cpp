// The load-cell calibration: zero and span over 21 ticks, their exclusion, the calibrated count
// written back while spanning, cancel and save of the constants, and the log's entries and
// trimming.
#include <gtest/gtest.h>

#include <QFile>

#include "core/common/text_file.h"
#include "core/setup/load_cell_calibration.h"
#include "support/fixtures.h"

using namespace tolvane;

namespace {

// Runs ticks at one count until the running zero or span has ended; returns how many it took.
int runOut(LoadCellCalibration& cal, quint32 count)
{
    int ticks = 0;
    while ((cal.zeroRunning() || cal.spanRunning()) && ticks < 100) {
        cal.tick(count);
        ++ticks;
    }
    return ticks;
}

} // namespace

TEST(LoadCellCalibration, ZeroThenSpanWithFiftyPounds)
{
    LoadCellCalibration cal;
    cal.begin(1.0, 1.0, 50.0);
    ASSERT_TRUE(cal.startZero());
    EXPECT_EQ(runOut(cal, 12000), 21);
    EXPECT_DOUBLE_EQ(cal.offset(), 12000.0);

    ASSERT_TRUE(cal.startSpan());
    const LoadCellCalibration::Tick first = cal.tick(14500);
    // The live weight of the first span tick still uses the span from before.
    EXPECT_DOUBLE_EQ(first.weight, 2500.0);
    EXPECT_EQ(first.calibratedCount, 50u);
    EXPECT_EQ(runOut(cal, 14500), 20);
    EXPECT_DOUBLE_EQ(cal.span(), 0.02);

    EXPECT_DOUBLE_EQ(cal.tick(14500).weight, 50.0);
    EXPECT_DOUBLE_EQ(cal.tick(12000).weight, 0.0);
    EXPECT_FALSE(cal.tick(14500).calibratedCount.has_value());
}

TEST(LoadCellCalibration, ZeroAndSpanExcludeEachOther)
{
    LoadCellCalibration cal;
    cal.begin(1.0, 1.0, 50.0);
    ASSERT_TRUE(cal.startZero());
    EXPECT_FALSE(cal.startSpan());
    cal.tick(12000);
    EXPECT_FALSE(cal.spanRunning());
    EXPECT_DOUBLE_EQ(cal.span(), 1.0);
    runOut(cal, 12000);

    ASSERT_TRUE(cal.startSpan());
    EXPECT_FALSE(cal.startZero());
    cal.tick(14500);
    EXPECT_DOUBLE_EQ(cal.offset(), 12000.0);
    // A zero may follow once the span has ended, and a zero may be repeated.
    runOut(cal, 14500);
    EXPECT_TRUE(cal.startZero());
    runOut(cal, 11990);
    EXPECT_DOUBLE_EQ(cal.offset(), 11990.0);
}

TEST(LoadCellCalibration, SpanWithoutChangeIsOneAndTheWrittenBackCountStaysInRange)
{
    LoadCellCalibration cal;
    cal.begin(12000.0, 0.02, 50.0);
    ASSERT_TRUE(cal.startSpan());
    const LoadCellCalibration::Tick flat = cal.tick(12000);
    EXPECT_DOUBLE_EQ(cal.span(), 1.0);
    EXPECT_EQ(flat.calibratedCount, 0u);

    // A weight the cell reads below its zero: the count cannot go below 0.
    cal.begin(12000.0, 0.02, -50.0);
    ASSERT_TRUE(cal.startSpan());
    EXPECT_EQ(cal.tick(14500).calibratedCount, 0u);
    cal.begin(0.0, 1.0, 1e9);
    ASSERT_TRUE(cal.startSpan());
    EXPECT_EQ(cal.tick(10).calibratedCount, 0xFFFFFFu);
}

TEST(LoadCellCalibration, CancelRestoresWhatSavingKept)
{
    LoadCellCalibration cal;
    cal.begin(4096.0, 0.01, 50.0);
    cal.startZero();
    runOut(cal, 12000);
    cal.startSpan();
    cal.tick(14500);
    cal.cancel();
    EXPECT_DOUBLE_EQ(cal.offset(), 4096.0);
    EXPECT_DOUBLE_EQ(cal.span(), 0.01);
    EXPECT_FALSE(cal.spanRunning());

    cal.startZero();
    runOut(cal, 12000);
    cal.commit();
    cal.startZero();
    cal.tick(13000);
    cal.cancel();
    EXPECT_DOUBLE_EQ(cal.offset(), 12000.0);
    EXPECT_FALSE(cal.zeroRunning());
}

TEST(LoadCellCalibration, FirstEntryGoesBetweenTheHeaderAndItsBlankLines)
{
    QStringList log = LoadCellCalibration::newLog();
    EXPECT_EQ(log, (QStringList{"Tolvane Dynamometer", "Calibration  Log", " ", " ", " ", " "}));
    LoadCellCalibration::addEntry(
        log, LoadCellCalibration::logEntry("1/2/2026 8:00:00 AM", "50.00", "14500.000000", "12000"));
    // The whole file of a first save, line ends included.
    QFile golden(test::fixturePath(QStringLiteral("setup/CalLog_first_save.txt")));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    EXPECT_EQ(joinLines(log), golden.readAll());

    LoadCellCalibration::addEntry(log,
                                  LoadCellCalibration::logEntry("1/3/2026 9:00:00 AM", "25.00", "1", "2"));
    EXPECT_EQ(log.mid(3, 6), (QStringList{"1/3/2026 9:00:00 AM", "Cal. Weight = 25.00", "Span = 1",
                                          "Offset = 2", " ", "1/2/2026 8:00:00 AM"}));
    EXPECT_EQ(log.size(), 16);

    // A log cut short by hand still gets its entry, at the end.
    QStringList stub{"Tolvane Dynamometer"};
    LoadCellCalibration::addEntry(stub, LoadCellCalibration::logEntry("t", "w", "s", "o"));
    EXPECT_EQ(stub.size(), 6);
    EXPECT_EQ(stub.at(1), QStringLiteral("t"));
}

TEST(LoadCellCalibration, LongLogKeepsTheTitleAndTheNewestWholeEntries)
{
    QStringList log = LoadCellCalibration::newLog();
    int saves = 0;
    const auto save = [&] {
        LoadCellCalibration::addEntry(log,
                                      LoadCellCalibration::logEntry(QString::number(++saves), "w", "s", "o"));
    };
    for (int k = 0; k < 98; ++k)
        save();
    EXPECT_EQ(log.size(), 496); // 6 + 98 x 5: not yet trimmed
    save();
    EXPECT_EQ(log.size(), 498); // 501 lines cut back to the title and 99 entries
    // Saving on: the log stays near 500 lines and always starts with the newest entries.
    for (int k = 0; k < 50; ++k) {
        save();
        ASSERT_GE(log.size(), 498);
        ASSERT_LE(log.size(), 503);
    }
    EXPECT_EQ(log.mid(0, 3), (QStringList{"Tolvane Dynamometer", "Calibration  Log", " "}));
    for (int e = 0; e < 99; ++e) {
        ASSERT_EQ(log.at(3 + 5 * e), QString::number(saves - e)) << e;
        ASSERT_EQ(log.at(3 + 5 * e + 4), QStringLiteral(" "));
    }
}
