#include "core/analysis/run_reductions.h"

#include <cstdint>
#include <map>

#include "core/common/number_text.h"

namespace tolvane {

namespace {

// Rebuilds table from the kept rows of work, in bin order.
void copyBack(RunTable& table, const RunTable& work, const std::map<std::int64_t, int>& bins)
{
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
    RunTable work(table.decimalSeparator());
    work.setColumnCount(table.columnCount());
    std::map<std::int64_t, int> bins;
    for (int row = 0; row < table.rowCount(); ++row) {
        const std::optional<double> speed = table.value(row, RunTable::EngineSpeedColumn);
        if (!speed)
            continue;
        const std::int64_t bin = roundHalfEven(*speed / 10.0);
        const auto found = bins.find(bin);
        if (found == bins.end()) {
            const int workRow = work.rowCount();
            work.copyRow(table, row, workRow);
            bins.emplace(bin, workRow);
            continue;
        }
        for (int column = RunTable::EngineSpeedColumn; column <= RunTable::TorqueColumn; ++column) {
            const std::optional<double> added = table.value(row, column);
            if (!added)
                continue;
            const std::optional<double> kept = work.value(found->second, column);
            work.setValue(found->second, column, kept ? (*kept + *added) / 2.0 : *added);
        }
    }
    copyBack(table, work, bins);
}

void keepHighestTorque(RunTable& table)
{
    RunTable work(table.decimalSeparator());
    work.setColumnCount(table.columnCount());
    std::map<std::int64_t, int> bins;
    for (int row = 0; row < table.rowCount(); ++row) {
        const std::optional<double> speed = table.value(row, RunTable::EngineSpeedColumn);
        if (!speed)
            continue;
        const std::int64_t bin = roundHalfEven(*speed / 2.5);
        const auto found = bins.find(bin);
        if (found == bins.end()) {
            const int workRow = work.rowCount();
            work.copyRow(table, row, workRow);
            bins.emplace(bin, workRow);
            continue;
        }
        const std::optional<double> torque = table.value(row, RunTable::TorqueColumn);
        const std::optional<double> keptTorque = work.value(found->second, RunTable::TorqueColumn);
        if (torque && (!keptTorque || *torque > *keptTorque))
            work.copyRow(table, row, found->second);
    }
    copyBack(table, work, bins);
}

} // namespace tolvane
