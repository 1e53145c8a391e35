#include "core/acquisition/sample_grid.h"

#include <algorithm>
#include <utility>

namespace tolvane {

namespace {

// The rolling window of the waiting state: rows 1..10 move up, only the measured columns.
constexpr int RollingFirstRow = 1;
constexpr int RollingLastRow = 10;
constexpr int RollingColumns = 6;

} // namespace

SampleGrid::SampleGrid(LiveWindow window)
    : m_columnCount(window == LiveWindow::Step ? StepColumns : SweepColumns)
{
    ensureRows(m_rowCount + 1);
}

void SampleGrid::ensureRows(int rowsHeld)
{
    while (m_rows.size() < rowsHeld)
        m_rows.append(QStringList(m_columnCount, QString()));
}

void SampleGrid::setRowCount(int count)
{
    m_rowCount = std::max(0, count);
    if (m_rows.size() > m_rowCount)
        m_rows.resize(m_rowCount);
    ensureRows(m_rowCount + 1);
}

int SampleGrid::beginSampleRow(GridPhase phase)
{
    switch (phase) {
    case GridPhase::Recording:
        ++m_rowCount;
        break;
    case GridPhase::Waiting:
        ensureRows(RollingLastRow + 1);
        // Swapping moves each row up without copying text; row 10 ends up with row 0's old
        // cells, which the copy it stands for would have left as the old row 10 (now row 9).
        for (int r = RollingFirstRow; r <= RollingLastRow; ++r) {
            QString* upper = m_rows[r - 1].data();
            QString* lower = m_rows[r].data();
            for (int c = 0; c < RollingColumns; ++c)
                upper[c].swap(lower[c]);
        }
        if (m_rowCount != RollingLastRow) {
            const QString* upper = m_rows[RollingLastRow - 1].constData();
            QString* lower = m_rows[RollingLastRow].data();
            for (int c = 0; c < RollingColumns; ++c)
                lower[c] = upper[c];
        }
        break;
    case GridPhase::Other:
        break;
    }
    ensureRows(m_rowCount + 1);
    return m_rowCount;
}

QString SampleGrid::cell(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || row > m_rowCount || column < 0 || column >= m_columnCount)
        return {};
    return m_rows[row][column];
}

void SampleGrid::setCell(int row, int column, QString text)
{
    if (row < 0 || row > m_rowCount || column < 0 || column >= m_columnCount)
        return;
    ensureRows(row + 1);
    m_rows[row][column] = std::move(text);
}

QStringList SampleGrid::row(int row) const
{
    if (row < 0 || row >= m_rows.size() || row > m_rowCount)
        return QStringList(m_columnCount, QString());
    return m_rows[row];
}

void SampleGrid::removeRow(int row)
{
    if (row < 0 || row >= m_rowCount || row >= m_rows.size())
        return;
    m_rows.removeAt(row);
    --m_rowCount;
    ensureRows(m_rowCount + 1);
}

} // namespace tolvane
