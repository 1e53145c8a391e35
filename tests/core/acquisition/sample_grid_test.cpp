#include <gtest/gtest.h>

#include "core/acquisition/sample_grid.h"

namespace tolvane {
namespace {

// Writes a sample row whose every cell reads "<tag>:<column>".
int writeTagged(SampleGrid& grid, GridPhase phase, const QString& tag)
{
    const int row = grid.beginSampleRow(phase);
    for (int c = 0; c < grid.columnCount(); ++c)
        grid.setCell(row, c, tag + QLatin1Char(':') + QString::number(c));
    return row;
}

TEST(SampleGridTest, ColumnsAndResetRowCount)
{
    EXPECT_EQ(SampleGrid(LiveWindow::Step).columnCount(), 11);
    EXPECT_EQ(SampleGrid(LiveWindow::Sweep).columnCount(), 7);
    SampleGrid grid(LiveWindow::Sweep);
    EXPECT_EQ(grid.rowCount(), 10);
    grid.setRowCount(SampleGrid::AcquireRowCount);
    EXPECT_EQ(grid.rowCount(), 9);
    grid.reset();
    EXPECT_EQ(grid.rowCount(), 10);
}

TEST(SampleGridTest, RecordingGrowsTheRowCountBeforeEachWrite)
{
    SampleGrid grid(LiveWindow::Sweep);
    EXPECT_EQ(writeTagged(grid, GridPhase::Recording, "a"), 11);
    EXPECT_EQ(writeTagged(grid, GridPhase::Recording, "b"), 12);
    EXPECT_EQ(grid.rowCount(), 12);
    EXPECT_EQ(grid.cell(11, 6), QStringLiteral("a:6"));
    EXPECT_EQ(grid.cell(12, 0), QStringLiteral("b:0"));
    EXPECT_EQ(grid.cell(13, 0), QString());
}

TEST(SampleGridTest, WaitingRollsRowsOneToTenUpInTheMeasuredColumnsOnly)
{
    SampleGrid grid(LiveWindow::Step);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(writeTagged(grid, GridPhase::Waiting, QString::number(i)), 10);
    // Row 10 holds the newest sample, rows 9 down to 0 the ten before it.
    EXPECT_EQ(grid.cell(10, 0), QStringLiteral("11:0"));
    EXPECT_EQ(grid.cell(9, 5), QStringLiteral("10:5"));
    EXPECT_EQ(grid.cell(0, 0), QStringLiteral("1:0"));
    // Columns 6 and on are never moved: only row 10 ever got them.
    EXPECT_EQ(grid.cell(9, 6), QString());
    EXPECT_EQ(grid.cell(10, 10), QStringLiteral("11:10"));
}

TEST(SampleGridTest, OtherStatesOverwriteTheRowAtTheRowCount)
{
    SampleGrid grid(LiveWindow::Step);
    writeTagged(grid, GridPhase::Waiting, "w");
    grid.setRowCount(SampleGrid::AcquireRowCount);
    EXPECT_EQ(writeTagged(grid, GridPhase::Other, "x"), 9);
    EXPECT_EQ(writeTagged(grid, GridPhase::Other, "y"), 9);
    EXPECT_EQ(grid.cell(9, 0), QStringLiteral("y:0"));
    EXPECT_EQ(grid.rowCount(), 9);
}

TEST(SampleGridTest, LoweringTheCountDropsRowsAndRemovingMovesRowsUp)
{
    SampleGrid grid(LiveWindow::Sweep);
    for (int i = 0; i < 5; ++i)
        writeTagged(grid, GridPhase::Recording, QString::number(i)); // rows 11..15
    grid.removeRow(12);
    EXPECT_EQ(grid.rowCount(), 14);
    EXPECT_EQ(grid.cell(12, 1), QStringLiteral("2:1"));
    EXPECT_EQ(grid.cell(14, 1), QStringLiteral("4:1"));
    grid.reset();
    EXPECT_EQ(grid.cell(11, 1), QString());
    EXPECT_EQ(writeTagged(grid, GridPhase::Recording, "n"), 11);
    EXPECT_EQ(grid.row(11), QStringList({"n:0", "n:1", "n:2", "n:3", "n:4", "n:5", "n:6"}));
}

} // namespace
} // namespace tolvane
