#include "core/analysis/run_table.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "core/common/number_text.h"

namespace tolvane {

namespace {

constexpr double Empty = std::numeric_limits<double>::quiet_NaN();

// k hundredths as the "0.00" text of value reads back: a value that rounds to zero keeps its sign.
double cents(std::int64_t k, double value)
{
    return k == 0 ? std::copysign(0.0, value) : static_cast<double>(k) / 100.0;
}

} // namespace

double RunTable::roundToCents(double value)
{
    if (!std::isfinite(value))
        return 0.0;
    const double scaled = value * 100.0;
    if (std::fabs(scaled) < 1e12) {
        // Away from a tie the product's rounding error cannot change the nearest integer, and
        // k / 100.0 is the double nearest to the decimal k/100, as reading the text back gives.
        // Integer conversions, not the rounding functions: this runs for every cell of a run.
        const auto whole = static_cast<std::int64_t>(scaled); // towards zero
        // Most stored numbers have two decimals at most and come back as they are.
        if (scaled == static_cast<double>(whole))
            return value;
        const double fraction = scaled - static_cast<double>(whole);
        if (std::fabs(std::fabs(fraction) - 0.5) > 1e-6)
            return cents(whole + (fraction > 0.5) - (fraction < -0.5), value);
        // Near a tie only the exact binary value decides, as the "0.00" text does (halves to
        // even): value x 100 is exactly scaled + error, and the distance of scaled from the half
        // is exact too (both lie within a factor two of each other), so their comparison is.
        const double error = std::fma(value, 100.0, -scaled);
        const double below = std::floor(scaled);
        const double aboveHalf = (scaled - below) - 0.5;
        const auto lower = static_cast<std::int64_t>(below);
        if (aboveHalf > -error)
            return cents(lower + 1, value);
        if (aboveHalf < -error)
            return cents(lower, value);
        return cents(lower % 2 == 0 ? lower : lower + 1, value);
    }
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    return std::strtod(buffer, nullptr);
}

RunTable RunTable::fromRows(std::vector<double> values, std::vector<qsizetype> rowStart,
                            QChar decimalSeparator)
{
    RunTable table(decimalSeparator);
    for (double& v : values)
        if (!std::isnan(v))
            v = roundToCents(v);
    table.m_values = std::move(values);
    table.m_rowStart = std::move(rowStart);
    if (table.m_rowStart.empty())
        table.m_rowStart.push_back(0);
    table.updateColumnCount();
    return table;
}

void RunTable::updateColumnCount()
{
    m_columnCount = 0;
    for (int r = 0; r < rowCount(); ++r)
        m_columnCount = std::max(m_columnCount, cellCount(r));
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
    if (row >= rowCount())
        setRowCount(row + 1);
    const auto r = static_cast<size_t>(row);
    const int cells = cellCount(row);
    if (column >= cells) {
        // Only a cell past the row's end moves the rows after it; loading and the reductions
        // build whole rows and never come here.
        const qsizetype added = column + 1 - cells;
        m_values.insert(m_values.begin() + m_rowStart[r + 1], static_cast<size_t>(added), Empty);
        for (size_t later = r + 1; later < m_rowStart.size(); ++later)
            m_rowStart[later] += added;
        m_columnCount = std::max(m_columnCount, column + 1);
    }
    m_values[static_cast<size_t>(m_rowStart[r] + column)] = roundToCents(value);
}

void RunTable::appendRow(std::span<const double> cells)
{
    for (double v : cells)
        m_values.push_back(std::isnan(v) ? Empty : roundToCents(v));
    m_rowStart.push_back(static_cast<qsizetype>(m_values.size()));
    m_columnCount = std::max(m_columnCount, static_cast<int>(cells.size()));
}

void RunTable::setRowCount(int rows)
{
    rows = std::max(rows, 0);
    if (rows < rowCount()) {
        m_rowStart.resize(static_cast<size_t>(rows) + 1);
        m_values.resize(static_cast<size_t>(m_rowStart.back()));
        updateColumnCount();
        return;
    }
    m_rowStart.resize(static_cast<size_t>(rows) + 1, static_cast<qsizetype>(m_values.size()));
}

void RunTable::clear()
{
    m_values.clear();
    m_rowStart.assign(1, 0);
    m_columnCount = 0;
}

} // namespace tolvane
