#include "core/analysis/run_table.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "core/common/number_text.h"

namespace tolvane {

namespace {
constexpr double Empty = std::numeric_limits<double>::quiet_NaN();
}

double RunTable::roundToCents(double value)
{
    if (!std::isfinite(value))
        return 0.0;
    const double scaled = value * 100.0;
    if (std::fabs(scaled) < 1e12) {
        // Away from a tie the product's rounding error cannot change the nearest integer, and
        // k / 100.0 is the double nearest to the decimal k/100, as reading the text back gives.
        const double fraction = scaled - std::floor(scaled);
        if (std::fabs(fraction - 0.5) > 1e-6)
            return std::nearbyint(scaled) / 100.0;
    }
    // Near a tie only the exact binary value decides, as the "0.00" text does.
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    return std::strtod(buffer, nullptr);
}

RunTable RunTable::fromColumns(std::vector<std::vector<double>> columns, QChar decimalSeparator)
{
    RunTable table(decimalSeparator);
    table.m_rowCount = columns.empty() ? 0 : static_cast<int>(columns.front().size());
    for (std::vector<double>& column : columns) {
        for (double& v : column)
            if (!std::isnan(v))
                v = roundToCents(v);
        column.resize(static_cast<size_t>(table.m_rowCount), Empty);
    }
    table.m_columns = std::move(columns);
    return table;
}

std::optional<double> RunTable::value(int row, int column) const
{
    if (row < 0 || row >= m_rowCount || column < 0 || column >= columnCount())
        return std::nullopt;
    const double v = m_columns[static_cast<size_t>(column)][static_cast<size_t>(row)];
    if (std::isnan(v))
        return std::nullopt;
    return v;
}

QString RunTable::cellText(int row, int column) const
{
    const std::optional<double> v = value(row, column);
    return v ? formatNumber(*v, u"0.00", m_decimalSeparator) : QString();
}

void RunTable::setValue(int row, int column, double value)
{
    if (row < 0 || column < 0)
        return;
    if (row >= m_rowCount)
        setRowCount(row + 1);
    if (column >= columnCount())
        setColumnCount(column + 1);
    m_columns[static_cast<size_t>(column)][static_cast<size_t>(row)] = roundToCents(value);
}

void RunTable::clearCell(int row, int column)
{
    if (row < 0 || row >= m_rowCount || column < 0 || column >= columnCount())
        return;
    m_columns[static_cast<size_t>(column)][static_cast<size_t>(row)] = Empty;
}

void RunTable::setRowCount(int rows)
{
    m_rowCount = rows < 0 ? 0 : rows;
    for (std::vector<double>& column : m_columns)
        column.resize(static_cast<size_t>(m_rowCount), Empty);
}

void RunTable::setColumnCount(int columns)
{
    m_columns.resize(static_cast<size_t>(columns < 0 ? 0 : columns),
                     std::vector<double>(static_cast<size_t>(m_rowCount), Empty));
}

void RunTable::clear()
{
    m_rowCount = 0;
    m_columns.clear();
}

void RunTable::copyRow(const RunTable& other, int from, int to)
{
    if (to < 0)
        return;
    if (to >= m_rowCount)
        setRowCount(to + 1);
    if (other.columnCount() > columnCount())
        setColumnCount(other.columnCount());
    for (int c = 0; c < columnCount(); ++c) {
        const std::optional<double> v = other.value(from, c);
        m_columns[static_cast<size_t>(c)][static_cast<size_t>(to)] = v ? *v : Empty;
    }
}

bool RunTable::operator==(const RunTable& other) const
{
    if (m_rowCount != other.m_rowCount || columnCount() != other.columnCount())
        return false;
    for (int c = 0; c < columnCount(); ++c)
        for (int r = 0; r < m_rowCount; ++r)
            if (value(r, c) != other.value(r, c))
                return false;
    return true;
}

} // namespace tolvane
