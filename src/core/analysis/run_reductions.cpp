#include "core/analysis/run_reductions.h"

#include <cstdint>
#include <map>

#include "core/common/number_text.h"

namespace tolvane {

namespace {

// Both reductions walk the rows once, binning them by engine speed (halves to even): the first
// row of a bin is kept, and every later row of that bin is merged into the kept one. The table
// is rebuilt from the kept rows in bin order.
template <typename Merge>
void reduceByBins(RunTable& table, double binWidth, Merge merge)
{
    RunTable work(table.decimalSeparator());
    work.setColumnCount(table.columnCount());
    std::map<std::int64_t, int> bins;
    for (int row = 0; row < table.rowCount(); ++row) {
        const std::optional<double> speed = table.value(row, RunTable::EngineSpeedColumn);
        if (!speed)
            continue;
        const auto [found, isNew] = bins.try_emplace(roundHalfEven(*speed / binWidth), work.rowCount());
        if (isNew)
            work.copyRow(table, row, found->second);
        else
            merge(work, found->second, row);
    }
    RunTable result(table.decimalSeparator());
    result.setColumnCount(table.columnCount());
    result.setRowCount(static_cast<int>(bins.size()));
    int row = 0;
    for (const auto& [bin, workRow] : bins)
        result.copyRow(work, workRow, row++);
    table = std::move(result);
}

} // namespace

void averageTestPhases(RunTable& table)
{
    reduceByBins(table, 10.0, [&table](RunTable& work, int kept, int row) {
        for (int column = RunTable::EngineSpeedColumn; column <= RunTable::TorqueColumn; ++column) {
            const std::optional<double> added = table.value(row, column);
            if (!added)
                continue;
            const std::optional<double> current = work.value(kept, column);
            work.setValue(kept, column, current ? (*current + *added) / 2.0 : *added);
        }
    });
}

void keepHighestTorque(RunTable& table)
{
    reduceByBins(table, 2.5, [&table](RunTable& work, int kept, int row) {
        const std::optional<double> torque = table.value(row, RunTable::TorqueColumn);
        const std::optional<double> keptTorque = work.value(kept, RunTable::TorqueColumn);
        if (torque && (!keptTorque || *torque > *keptTorque))
            work.copyRow(table, row, kept);
    });
}

} // namespace tolvane
