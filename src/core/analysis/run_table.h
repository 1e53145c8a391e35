#pragma once
// The numeric table of one saved run: column k holds the k-th tab-terminated number of every data
// line (0 engine rpm, 1 road speed, 2 power, 3 torque, 4 CO% or acceleration, then the rest).
// Every cell holds what its "0.00" text says: values are rounded to two decimals when stored, so
// the numbers and the texts always agree and nothing is parsed twice.
//
// Rows are ragged: each row holds only the cells up to its last one, all rows in one flat array
// with an offset per row. Columns fill from the top, so the cells a row holds are always its first
// ones, and a file with one very long line costs that line's numbers, not rows x its width.
#include <QChar>
#include <QString>

#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace tolvane {

class RunTable {
public:
    // Column numbers every reader of the table uses.
    static constexpr int EngineSpeedColumn = 0;
    static constexpr int RoadSpeedColumn = 1;
    static constexpr int PowerColumn = 2;
    static constexpr int TorqueColumn = 3;
    static constexpr int CoColumn = 4; // CO% in step files, acceleration in sweep files

    explicit RunTable(QChar decimalSeparator = QLatin1Char('.')) : m_decimalSeparator(decimalSeparator) {}

    int rowCount() const { return static_cast<int>(m_rowStart.size()) - 1; }
    // The cells of the widest row.
    int columnCount() const { return m_columnCount; }
    // The cells row holds (its later columns are empty); 0 outside the table.
    int cellCount(int row) const;
    // Cells held by all rows together: what the table costs, whatever its column count.
    qsizetype storedCellCount() const { return static_cast<qsizetype>(m_values.size()); }
    QChar decimalSeparator() const { return m_decimalSeparator; }

    // nullopt for an empty cell or one outside the table.
    std::optional<double> value(int row, int column) const;
    bool has(int row, int column) const { return value(row, column).has_value(); }
    // The cell as text: "0.00" with the table's decimal separator, empty for no value.
    QString cellText(int row, int column) const;
    // The cells row holds, NaN for an empty one; empty outside the table.
    std::span<const double> row(int row) const;

    // Stores value rounded to two decimals; grows the table to hold the cell.
    void setValue(int row, int column, double value);
    // Appends a row of cells (NaN for an empty cell), rounded like setValue.
    void appendRow(std::span<const double> cells);
    // Rows beyond the count are dropped; new rows are empty.
    void setRowCount(int rows);
    void clear(); // no rows, no columns

    // A table of the given rows: row r holds values[rowStart[r]] up to values[rowStart[r + 1]],
    // NaN for an empty cell. rowStart begins with 0, never falls and ends at values.size().
    // Values are rounded like setValue.
    static RunTable fromRows(std::vector<double> values, std::vector<qsizetype> rowStart,
                             QChar decimalSeparator);

    // The value "0.00" formatting keeps: round(value, 2 decimals) as the text would read back.
    static double roundToCents(double value);

private:
    void updateColumnCount();

    QChar m_decimalSeparator;
    int m_columnCount = 0;
    std::vector<double> m_values;
    // Where each row's cells begin in m_values, and one more entry for the end of the last row.
    std::vector<qsizetype> m_rowStart{0};
};

// The accessors every plot runs for each cell of each run: inline.

inline int RunTable::cellCount(int row) const
{
    if (row < 0 || row >= rowCount())
        return 0;
    const auto r = static_cast<std::size_t>(row);
    return static_cast<int>(m_rowStart[r + 1] - m_rowStart[r]);
}

inline std::span<const double> RunTable::row(int row) const
{
    const int cells = cellCount(row);
    if (cells == 0)
        return {};
    return {m_values.data() + m_rowStart[static_cast<std::size_t>(row)], static_cast<std::size_t>(cells)};
}

inline std::optional<double> RunTable::value(int row, int column) const
{
    if (column < 0 || column >= cellCount(row))
        return std::nullopt;
    const double v = m_values[static_cast<std::size_t>(m_rowStart[static_cast<std::size_t>(row)] + column)];
    if (std::isnan(v))
        return std::nullopt;
    return v;
}

} // namespace tolvane
