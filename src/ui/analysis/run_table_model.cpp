#include "ui/analysis/run_table_model.h"

namespace tolvane {

void RunTableModel::setTable(RunTable table)
{
    beginResetModel();
    m_table = std::move(table);
    endResetModel();
}

int RunTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_table.rowCount();
}

int RunTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_table.columnCount();
}

QVariant RunTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return m_table.cellText(index.row(), index.column());
}

} // namespace tolvane
