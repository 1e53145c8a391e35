#pragma once
// RunTableModel: the run table as a read-only item model for the viewer's run-table grid. The
// grid asks only for the cells it shows, so a run with one very long line costs no item per
// empty cell; cells past a row's end read as empty.
#include <QAbstractTableModel>

#include "core/analysis/run_table.h"

namespace tolvane {

class RunTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RunTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void setTable(RunTable table);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // The cell's "0.00" text for the display role; nothing else.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    RunTable m_table;
};

} // namespace tolvane
