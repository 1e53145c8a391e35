#include "core/analysis/run_loader.h"

#include <gtest/gtest.h>

#include "core/common/text_file.h"
#include "run_test_support.h"

namespace tolvane {
namespace {

using test::runFixture;
using test::tableRows;

struct ScanCase {
    const char* name;
    QStringList lines;
    QStringList rows;
};

TEST(RunLoaderTest, FieldScanRules)
{
    const ScanCase cases[] = {
        {"hundreds of rpm", {"45.20\t12.10\t30.5\t35.0\t"}, {"4520.00|12.10|30.50|35.00"}},
        {"full rpm kept", {"4520\t12.10\t30.5\t35.0\t"}, {"4520.00|12.10|30.50|35.00"}},
        {"only the first field scaled", {"4520\t45.2\t"}, {"4520.00|45.20"}},
        {"empty and text take no column", {"4520\t\tabc\t33.1\t"}, {"4520.00|33.10"}},
        {"last number needs its tab", {"4600\t46.0\t50.0\t57.1"}, {"4600.00|46.00|50.00"}},
        {"blanks around fields", {"  4600 \t 46.0 \t"}, {"4600.00|46.00"}},
        {"warm-up adds nothing", {"c4800\tc48.0\tc50.0\t", "4900\t49.0\t"}, {"4900.00|49.00"}},
        {"only warm-up", {"c4800\tc48.0\t", "c4900\tc49.0\t"}, {}},
        {"text lines and headings", {"RPM\tMPH\tBHP\t", "\t ", "end."}, {}},
        {"columns fill from the top",
         {"3000\t30.0\t40.0\t70.0\t2.5\t", "4000\t40.0\t60.0\t78.8\t", "5000\t50.0\t80.0\t84.0\t3.1\t"},
         {"3000.00|30.00|40.00|70.00|2.50", "4000.00|40.00|60.00|78.80|3.10", "5000.00|50.00|80.00|84.00|"}},
        {"ties round as the binary value", {"3000\t3.125\t12.345\t13.005\t"}, {"3000.00|3.12|12.35|13.01"}},
        {"negative first field", {"-3\t1\t"}, {"-300.00|1.00"}},
    };
    // The same rules for the notes' lines, each selected run's lines, and a file's bytes as the
    // full plot reads them.
    const RunLoader loader({});
    for (const ScanCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray file = joinLines(c.lines);
        EXPECT_EQ(tableRows(loader.loadCurrentRun(c.lines).table), c.rows);
        EXPECT_EQ(tableRows(loader.loadSelectedRun(c.lines).table), c.rows);
        EXPECT_EQ(tableRows(loader.loadSelectedRun(QByteArrayView(file)).table), c.rows);
    }
}

// One line of a hundred thousand numbers among ordinary ones: its numbers beyond the fourth fill
// the first row's later columns (each column fills from the top), and the table holds every
// number once instead of padding all rows to that line's width.
TEST(RunLoaderTest, OneVeryLongLineCostsOnlyItsOwnNumbers)
{
    constexpr int Ordinary = 2000;
    constexpr int Wide = 100000;
    QStringList lines = {QStringLiteral("QV512e Auto Sweep   12/9/2026"), QStringLiteral("\\a\\b.SWP")};
    for (int i = 0; i < Ordinary; ++i) {
        lines << QStringLiteral("%1\t30.5\t40\t50\t").arg(3000 + i);
        if (i == 2)
            lines << QStringLiteral("7\t").repeated(Wide);
    }
    for (const bool current : {true, false}) {
        SCOPED_TRACE(current ? "current run" : "selected run");
        const RunLoader loader({});
        const RunTable table = (current ? loader.loadCurrentRun(lines) : loader.loadSelectedRun(lines)).table;
        ASSERT_EQ(table.rowCount(), Ordinary + 1);
        EXPECT_EQ(table.columnCount(), Wide);
        EXPECT_EQ(table.storedCellCount(), Ordinary * 4 + Wide);
        EXPECT_EQ(table.cellCount(0), Wide);
        EXPECT_EQ(table.value(0, 3), 50.0);
        EXPECT_EQ(table.value(0, 4), 7.0);
        EXPECT_EQ(table.value(0, Wide - 1), 7.0);
        EXPECT_FALSE(table.value(0, Wide));
        // Row 3 is the long line's first four numbers, its first one taken as hundreds of rpm.
        EXPECT_EQ(table.cellCount(3), 4);
        EXPECT_EQ(table.value(3, 0), 700.0);
        EXPECT_EQ(table.value(3, 3), 7.0);
        EXPECT_FALSE(table.value(3, 4));
        EXPECT_EQ(table.value(4, 0), 3003.0);
        EXPECT_EQ(table.value(Ordinary, 1), 30.5);
    }
}

TEST(RunLoaderTest, StepFileWithWarmUpAndPartialGas)
{
    const RunLoadResult result = RunLoader({}).loadCurrentRun(runFixture(QStringLiteral("step_basic.STP")));
    EXPECT_EQ(tableRows(result.table),
              QStringList({"3000.00|30.00|40.00|70.00|2.50|120.00|13.10|1.20|450.00|0.00",
                           "4000.00|40.00|60.00|78.80|3.10|100.00|13.50|0.90|500.00|0.00",
                           "5000.00|50.00|80.00|84.00||||||", "6000.00|60.00|90.00|78.80||||||"}));
    EXPECT_EQ(result.firstDataLine, 10); // the warm-up line before it holds no number
    EXPECT_DOUBLE_EQ(result.correction, 1.0);
    ASSERT_TRUE(result.tachRatio && result.inertia);
    EXPECT_DOUBLE_EQ(*result.tachRatio, 2.5);
    EXPECT_DOUBLE_EQ(*result.inertia, 3.5);
}

TEST(RunLoaderTest, SweepFileKeepsEveryNumber)
{
    const RunLoadResult result = RunLoader({}).loadSelectedRun(runFixture(QStringLiteral("sweep_basic.SWP")));
    EXPECT_EQ(tableRows(result.table), QStringList({"2450.00|24.50|20.10|43.10|1.25|3.12|12.35|0.00",
                                                    "2695.00|27.00|24.80|48.30|1.31|3.28|13.01|0.00",
                                                    "2940.00|29.40|29.90|53.40|1.28|3.20|14.12|0.00"}));
    // The selected-run load reads neither the tach ratio nor the inertia.
    EXPECT_FALSE(result.tachRatio);
    EXPECT_FALSE(result.inertia);
}

TEST(RunLoaderTest, OddFileFillsColumnsIndependently)
{
    const QStringList lines = runFixture(QStringLiteral("odd_fields.STP"));
    const RunLoadResult result = RunLoader({}).loadCurrentRun(lines);
    EXPECT_EQ(tableRows(result.table), QStringList({"4520.00|12.10|30.50|35.00", "4520.00|33.10|50.00|58.00",
                                                    "4600.00|46.00|52.00|", "4700.00|47.00||"}));
    EXPECT_EQ(result.firstDataLine, 6);
    EXPECT_DOUBLE_EQ(result.correction, 1.04);       // corrected mode reads the SAE line
    EXPECT_DOUBLE_EQ(result.tachRatio.value(), 0.0); // "about three" is no number
    EXPECT_DOUBLE_EQ(result.inertia.value(), 1.0);   // nor is "heavy"
}

struct HeaderCase {
    const char* name;
    QStringList lines;
    bool corrected;
    double correction;
};

TEST(RunLoaderTest, CorrectionHeaders)
{
    const QString far = QString(150, QLatin1Char(' ')) + QStringLiteral("SAE Correction Factor - 1.05");
    const HeaderCase cases[] = {
        {"no correction line", {"3000\t1\t"}, true, 1.0},
        {"no correction line, uncorrected", {"3000\t1\t"}, false, 1.0},
        {"SAE corrected", {"SAE Correction Factor - 1.0400"}, true, 1.04},
        {"SAE ignored uncorrected", {"SAE Correction Factor - 1.0400"}, false, 1.0},
        {"applied ignored corrected", {"Correction Factor Applied - 1.25"}, true, 1.0},
        {"applied divided out uncorrected", {"Correction Factor Applied - 1.25"}, false, 0.8},
        {"applied zero falls back", {"Correction Factor Applied - 0"}, false, 1.0},
        {"applied text falls back", {"Correction Factor Applied - n/a"}, false, 1.0},
        {"SAE text falls back", {"SAE Correction Factor - 1.04", "SAE Correction Factor - x"}, true, 1.0},
        {"prefix inside a line",
         {"SAE Correction Factor - 1.04", "Was SAE Correction Factor - 1.05"},
         true,
         1.0},
        // One character in, the value still starts with the prefix's last blank and reads.
        {"prefix one blank in", {" SAE Correction Factor - 1.05"}, true, 1.05},
        {"case matters", {"sae correction factor - 1.04"}, true, 1.0},
        {"last line wins", {"SAE Correction Factor - 1.04", "SAE Correction Factor - 1.02"}, true, 1.02},
    };
    for (const HeaderCase& c : cases) {
        SCOPED_TRACE(c.name);
        RunLoadSettings settings;
        settings.corrected = c.corrected;
        EXPECT_DOUBLE_EQ(RunLoader(settings).loadCurrentRun(c.lines).correction, c.correction);
        EXPECT_DOUBLE_EQ(RunLoader(settings).loadSelectedRun(c.lines).correction, c.correction);
    }
    // Only the first 100 characters of a selected run's line are searched, 255 of the current run's.
    const QStringList lines = {QStringLiteral("SAE Correction Factor - 1.04"), far};
    EXPECT_DOUBLE_EQ(RunLoader({}).loadSelectedRun(lines).correction, 1.04);
    EXPECT_DOUBLE_EQ(RunLoader({}).loadCurrentRun(lines).correction, 1.0);
}

TEST(RunLoaderTest, InertiaAndTachRatioOfTheCurrentRunOnly)
{
    const QStringList lines = {"Inertia:3.5000", "Eng. Tachometer Ratio - 2.4500"};
    const RunLoadResult current = RunLoader({}).loadCurrentRun(lines);
    EXPECT_DOUBLE_EQ(current.inertia.value(), 3.5);
    EXPECT_DOUBLE_EQ(current.tachRatio.value(), 2.45);
    EXPECT_FALSE(RunLoader({}).loadCurrentRun({"3000\t1\t"}).tachRatio); // kept by the caller
    const RunLoadResult selected = RunLoader({}).loadSelectedRun(lines);
    EXPECT_FALSE(selected.inertia);
    EXPECT_FALSE(selected.tachRatio);
}

TEST(RunLoaderTest, ZeroAppliedFactorPlotsUnchanged)
{
    RunLoadSettings settings;
    settings.corrected = false;
    const RunLoadResult result =
        RunLoader(settings).loadSelectedRun(runFixture(QStringLiteral("correction_zero.STP")));
    EXPECT_DOUBLE_EQ(result.correction, 1.0);
    EXPECT_EQ(result.table.rowCount(), 2);
}

TEST(RunLoaderTest, CommaDecimalSeparator)
{
    RunLoadSettings settings;
    settings.decimalSeparator = QLatin1Char(',');
    const RunLoadResult result =
        RunLoader(settings).loadCurrentRun({"SAE Correction Factor - 1,04", "4520\t12,1\t30,5\t"});
    EXPECT_DOUBLE_EQ(result.correction, 1.04);
    EXPECT_EQ(tableRows(result.table), QStringList({"4520,00|12,10|30,50"}));
}

TEST(RunLoaderTest, SpikeFilterRunsBeforeShowHighest)
{
    RunLoadSettings settings;
    settings.showHighest = true;
    const QStringList lines = {"x", "3000\t1\t2\t10\t", "3001\t1\t2\t20\t", "3100\t1\t2\t5\t"};
    int calls = 0;
    const RunLoadResult result =
        RunLoader(settings).loadCurrentRun(lines, [&](RunTable& table, int firstDataLine) {
            ++calls;
            EXPECT_EQ(firstDataLine, 1);
            EXPECT_EQ(table.rowCount(), 3); // still unreduced
            table.setValue(0, RunTable::TorqueColumn, 30.0);
        });
    EXPECT_EQ(calls, 1);
    // Bin 1200 keeps the row the filter raised to 30; bin 1240 keeps its only row.
    EXPECT_EQ(tableRows(result.table), QStringList({"3000.00|1.00|2.00|30.00", "3100.00|1.00|2.00|5.00"}));
}

TEST(RunLoaderTest, ShowHighestNeedsThreeRowsInThePreviewOnly)
{
    RunLoadSettings settings;
    settings.showHighest = true;
    const QStringList twoRows = {"3000\t1\t2\t10\t", "4000\t1\t2\t20\t"};
    EXPECT_EQ(RunLoader(settings).loadCurrentRun(twoRows).table.rowCount(), 0);
    EXPECT_EQ(RunLoader(settings).loadSelectedRun(twoRows).table.rowCount(), 2);
}

} // namespace
} // namespace tolvane
