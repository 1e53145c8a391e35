#include "core/analysis/run_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

#include "core/common/number_text.h"
#include "run_test_support.h"

namespace tolvane {
namespace {

using test::tableRows;

// A stored number must be exactly what its "0.00" text reads back as, ties included, or the
// table's numbers and texts would disagree.
TEST(RunTableTest, StoredNumberIsItsTextReadBack)
{
    std::mt19937_64 random(1234);
    std::uniform_real_distribution<double> magnitude(-3.0, 5.0);
    std::uniform_int_distribution<int> cents(-1000000, 1000000);
    for (int i = 0; i < 200000; ++i) {
        // Half random values, half exact ties such as 3.125 or 1.005 written with three decimals.
        const double value = i % 2 ? std::pow(10.0, magnitude(random)) * (i % 4 == 1 ? 1 : -1)
                                   : (cents(random) * 10 + 5) / 1000.0;
        const QString text = formatNumber(value, u"0.00", QLatin1Char('.'));
        const double stored = RunTable::roundToCents(value);
        ASSERT_EQ(stored, std::strtod(text.toLatin1().constData(), nullptr)) << value;
        ASSERT_EQ(formatNumber(stored, u"0.00", QLatin1Char('.')), text) << value;
    }
}

TEST(RunTableTest, CellsAndGrowth)
{
    RunTable table(QLatin1Char(','));
    table.setValue(2, 3, 12.345);
    EXPECT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.columnCount(), 4);
    EXPECT_EQ(table.cellText(2, 3), QStringLiteral("12,35"));
    EXPECT_EQ(table.cellText(0, 0), QString());
    EXPECT_FALSE(table.value(5, 0));
    EXPECT_FALSE(table.value(-1, 0));
    table.setRowCount(2);
    EXPECT_FALSE(table.value(2, 3));
    table.setValue(0, 0, -0.001); // rounds to zero: no minus sign
    EXPECT_EQ(table.cellText(0, 0), QStringLiteral("0,00"));
}

// Rows hold only their own cells; a cell written past a row's end must move the later rows' cells
// along, and dropping rows must give the column count back.
TEST(RunTableTest, RaggedRowsGrowAndShrinkInPlace)
{
    RunTable table;
    table.appendRow(std::vector<double>{1, 2, 3});
    table.appendRow(std::vector<double>{4});
    table.appendRow(std::vector<double>{5, 6});
    EXPECT_EQ(table.columnCount(), 3);
    EXPECT_EQ(table.cellCount(1), 1);
    EXPECT_EQ(table.storedCellCount(), 6);

    table.setValue(1, 3, 9.999);
    EXPECT_EQ(tableRows(table), QStringList({"1.00|2.00|3.00|", "4.00|||10.00", "5.00|6.00||"}));
    EXPECT_EQ(table.cellCount(1), 4);
    EXPECT_EQ(table.storedCellCount(), 9);
    EXPECT_EQ(table.columnCount(), 4);

    table.setRowCount(1);
    EXPECT_EQ(table.columnCount(), 3);
    EXPECT_EQ(table.storedCellCount(), 3);
    table.setRowCount(3); // new rows hold nothing
    EXPECT_EQ(tableRows(table), QStringList({"1.00|2.00|3.00", "||", "||"}));
    EXPECT_EQ(table.storedCellCount(), 3);
    EXPECT_TRUE(table.row(2).empty());
    EXPECT_TRUE(table.row(7).empty());
    table.clear();
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_EQ(table.columnCount(), 0);
}

} // namespace
} // namespace tolvane
