#include "core/analysis/run_reductions.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <vector>

#include "core/common/number_text.h"

namespace tolvane {

namespace {

// Both reductions walk the rows once, binning them by engine speed (halves to even): the first
// row of a bin starts its entry, and every later row of that bin is merged into it. The table is
// rebuilt from the entries in bin order, each written as one whole row, so nothing is padded to
// the table's widest row.
template <typename Entry, typename Start, typename Merge, typename Write>
void reduceByBins(RunTable& table, double binWidth, Start start, Merge merge, Write write)
{
    std::map<std::int64_t, Entry> bins;
    for (int row = 0; row < table.rowCount(); ++row) {
        const std::optional<double> speed = table.value(row, RunTable::EngineSpeedColumn);
        if (!speed)
            continue;
        const auto [found, isNew] = bins.try_emplace(roundHalfEven(*speed / binWidth));
        if (isNew)
            found->second = start(row);
        else
            merge(found->second, row);
    }
    RunTable result(table.decimalSeparator());
    for (const auto& [bin, entry] : bins)
        write(result, entry);
    table = std::move(result);
}

// Averaging reaches columns 0 to 3; the later ones keep the bin's first row.
constexpr int AveragedColumns = RunTable::TorqueColumn + 1;

struct AveragedBin {
    int firstRow = 0;
    std::array<double, AveragedColumns> mean{}; // NaN where no row of the bin had a value
};

} // namespace

void averageTestPhases(RunTable& table)
{
    const auto start = [&table](int row) {
        AveragedBin bin{row, {}};
        for (int column = 0; column < AveragedColumns; ++column)
            bin.mean[static_cast<size_t>(column)] =
                table.value(row, column).value_or(std::numeric_limits<double>::quiet_NaN());
        return bin;
    };
    const auto merge = [&table](AveragedBin& bin, int row) {
        for (int column = 0; column < AveragedColumns; ++column) {
            const std::optional<double> added = table.value(row, column);
            if (!added)
                continue;
            double& mean = bin.mean[static_cast<size_t>(column)];
            // Each step is rounded as the "0.00" cell that holds it.
            mean = RunTable::roundToCents(std::isnan(mean) ? *added : (mean + *added) / 2.0);
        }
    };
    std::vector<double> cells;
    const auto write = [&table, &cells](RunTable& result, const AveragedBin& bin) {
        const std::span<const double> first = table.row(bin.firstRow);
        cells.assign(first.begin(), first.end());
        for (int column = AveragedColumns - 1; column >= 0; --column) {
            const double mean = bin.mean[static_cast<size_t>(column)];
            if (std::isnan(mean))
                continue;
            if (cells.size() <= static_cast<size_t>(column))
                cells.resize(static_cast<size_t>(column) + 1, std::numeric_limits<double>::quiet_NaN());
            cells[static_cast<size_t>(column)] = mean;
        }
        result.appendRow(cells);
    };
    reduceByBins<AveragedBin>(table, 10.0, start, merge, write);
}

void keepHighestTorque(RunTable& table)
{
    const auto start = [](int row) { return row; };
    const auto merge = [&table](int& kept, int row) {
        const std::optional<double> torque = table.value(row, RunTable::TorqueColumn);
        const std::optional<double> keptTorque = table.value(kept, RunTable::TorqueColumn);
        if (torque && (!keptTorque || *torque > *keptTorque))
            kept = row;
    };
    const auto write = [&table](RunTable& result, int kept) { result.appendRow(table.row(kept)); };
    reduceByBins<int>(table, 2.5, start, merge, write);
}

} // namespace tolvane
