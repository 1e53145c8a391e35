#pragma once
// The numeric table of one saved run: column k holds the k-th tab-terminated number of every data
// line (0 engine rpm, 1 road speed, 2 power, 3 torque, 4 CO% or acceleration, then the rest).
// Every cell holds what its "0.00" text says: values are rounded to two decimals when stored, so
// the numbers and the texts always agree and nothing is parsed twice.
#include <QChar>
#include <QString>

#include <optional>
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

    int rowCount() const { return m_rowCount; }
    int columnCount() const { return static_cast<int>(m_columns.size()); }
    QChar decimalSeparator() const { return m_decimalSeparator; }

    // nullopt for an empty cell or one outside the table.
    std::optional<double> value(int row, int column) const;
    bool has(int row, int column) const { return value(row, column).has_value(); }
    // The cell as text: "0.00" with the table's decimal separator, empty for no value.
    QString cellText(int row, int column) const;

    // Stores value rounded to two decimals; grows the table to hold the cell.
    void setValue(int row, int column, double value);
    void clearCell(int row, int column);
    // Rows beyond the count are dropped; new rows are empty.
    void setRowCount(int rows);
    void setColumnCount(int columns);
    void clear(); // no rows, no columns

    // Copies every column of row from into row to of this table (cells past other's columns
    // become empty).
    void copyRow(const RunTable& other, int from, int to);

    // A table whose column c holds columns[c] from the top; the row count is that of column 0
    // (no other column of a scanned run is longer). Values are rounded like setValue.
    static RunTable fromColumns(std::vector<std::vector<double>> columns, QChar decimalSeparator);

    // The value "0.00" formatting keeps: round(value, 2 decimals) as the text would read back.
    static double roundToCents(double value);

    bool operator==(const RunTable& other) const;

private:
    QChar m_decimalSeparator;
    int m_rowCount = 0;
    // m_columns[c][r]; NaN marks an empty cell. Every column holds m_rowCount cells.
    std::vector<std::vector<double>> m_columns;
};

} // namespace tolvane
