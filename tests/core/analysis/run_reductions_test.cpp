#include "core/analysis/run_reductions.h"

#include <gtest/gtest.h>

#include "core/analysis/run_loader.h"
#include "run_test_support.h"

namespace tolvane {
namespace {

using test::tableRows;

RunTable tableOf(const QStringList& lines)
{
    return RunLoader({}).loadSelectedRun(lines).table;
}

struct ReductionCase {
    const char* name;
    QStringList lines;
    QStringList rows;
};

TEST(RunReductionsTest, KeepHighestTorque)
{
    const ReductionCase cases[] = {
        {"same 2.5 rpm bin keeps more torque",
         {"4500\t1\t2\t50\t", "4501\t1\t2\t51\t"},
         {"4501.00|1.00|2.00|51.00"}},
        {"neighbouring bins both stay",
         {"4501.2\t1\t2\t50\t", "4503.8\t1\t2\t40\t"},
         {"4501.20|1.00|2.00|50.00", "4503.80|1.00|2.00|40.00"}},
        {"equal torque keeps the earlier row",
         {"4500\t1\t2\t50\t", "4501\t9\t2\t50\t"},
         {"4500.00|1.00|2.00|50.00"}},
        {"ordered by speed",
         {"5000\t1\t2\t50\t", "4000\t1\t2\t40\t", "4500\t1\t2\t45\t"},
         {"4000.00|1.00|2.00|40.00", "4500.00|1.00|2.00|45.00", "5000.00|1.00|2.00|50.00"}},
        // 4501.25 / 2.5 = 1800.5 rounds to the even 1800, the bin of 4500.
        {"half bins round to even", {"4500\t1\t2\t50\t", "4501.25\t1\t2\t60\t"}, {"4501.25|1.00|2.00|60.00"}},
        {"row without torque never displaces",
         {"4500\t1\t2\t50\t", "4501\t1\t2\t"},
         {"4500.00|1.00|2.00|50.00"}},
    };
    for (const ReductionCase& c : cases) {
        SCOPED_TRACE(c.name);
        RunTable table = tableOf(c.lines);
        keepHighestTorque(table);
        EXPECT_EQ(tableRows(table), c.rows);
    }
}

TEST(RunReductionsTest, AverageTestPhases)
{
    const ReductionCase cases[] = {
        // (40 + 50) / 2 = 45, then (45 + 60) / 2 = 52.5: the newest row weighs as much as all before;
        // column 4 and beyond keep the bin's first row.
        {"running pairwise mean",
         {"3000\t10\t40\t70\t7\t", "3004\t20\t50\t80\t8\t", "3001\t30\t60\t90\t9\t"},
         {"3001.50|22.50|52.50|82.50|7.00"}},
        // 4525 / 10 = 452.5 goes to 452, 4535 / 10 = 453.5 to 454.
        {"bins round half to even",
         {"4525\t1\t2\t3\t", "4520\t1\t4\t3\t", "4535\t1\t2\t3\t", "4540\t1\t6\t3\t"},
         {"4522.50|1.00|3.00|3.00", "4537.50|1.00|4.00|3.00"}},
        {"distinct phases keep their order by speed",
         {"5000\t1\t2\t3\t", "3000\t1\t2\t3\t"},
         {"3000.00|1.00|2.00|3.00", "5000.00|1.00|2.00|3.00"}},
        // Bins far above the row count are kept: a short step test keeps all its steps.
        {"short step test keeps its rows",
         {"2000\t1\t2\t3\t", "2500\t1\t2\t3\t"},
         {"2000.00|1.00|2.00|3.00", "2500.00|1.00|2.00|3.00"}},
    };
    for (const ReductionCase& c : cases) {
        SCOPED_TRACE(c.name);
        RunTable table = tableOf(c.lines);
        averageTestPhases(table);
        EXPECT_EQ(tableRows(table), c.rows);
    }
}

// A kept row keeps its own length: a short row is not padded to the widest row of the run, and a
// long one keeps its later cells.
TEST(RunReductionsTest, KeptRowsKeepTheirOwnCells)
{
    const QString longLine = QStringLiteral("3000\t1\t2\t50\t") + QStringLiteral("7\t").repeated(1000);
    const QStringList lines = {longLine, "3001\t1\t2\t60\t", "4000\t1\t2\t40\t"};

    RunTable highest = tableOf(lines);
    keepHighestTorque(highest);
    EXPECT_EQ(tableRows(highest), QStringList({"3001.00|1.00|2.00|60.00", "4000.00|1.00|2.00|40.00"}));
    EXPECT_EQ(highest.storedCellCount(), 8);

    RunTable averaged = tableOf(lines);
    averageTestPhases(averaged);
    ASSERT_EQ(averaged.rowCount(), 2);
    EXPECT_EQ(averaged.cellCount(0), 1004);
    EXPECT_EQ(averaged.value(0, 0), 3000.5);
    EXPECT_EQ(averaged.value(0, 3), 55.0);
    EXPECT_EQ(averaged.value(0, 1003), 7.0);
    EXPECT_EQ(averaged.cellCount(1), 4);
    EXPECT_EQ(averaged.storedCellCount(), 1008);
}

TEST(RunReductionsTest, SelectedRunAveragesThenKeepsHighest)
{
    RunLoadSettings settings;
    settings.averageTestPhases = true;
    settings.showHighest = true;
    // Averaging merges 3000 and 3002 (bin 300) into 3001 / torque 60; show highest then sees
    // 3001 and 3020 in different 2.5 rpm bins (1200, 1208).
    const RunTable table = RunLoader(settings)
                               .loadSelectedRun({"3000\t1\t2\t50\t", "3002\t1\t2\t70\t", "3020\t1\t2\t10\t"})
                               .table;
    EXPECT_EQ(tableRows(table), QStringList({"3001.00|1.00|2.00|60.00", "3020.00|1.00|2.00|10.00"}));
}

} // namespace
} // namespace tolvane
