#include "core/analysis/spike_filter.h"

#include "core/analysis/recalc_run.h"
#include "core/analysis/viewer_state.h"
#include "core/analysis/viewer_text.h"
#include "core/common/prompter.h"
#include "core/library/test_file_check.h"

#include <cmath>
#include <optional>

namespace tolvane {

std::vector<int> smoothSpikes(RunTable& table)
{
    std::vector<int> spikes;
    for (int r = 2; r <= table.rowCount() - 2; ++r) {
        bool spike = false;
        for (int column = RunTable::RoadSpeedColumn; column <= RunTable::TorqueColumn; ++column) {
            const std::optional<double> after = table.value(r, column);
            const std::optional<double> middle = table.value(r - 1, column);
            const std::optional<double> before = table.value(r - 2, column);
            if (!after || !middle || !before)
                continue;
            if (std::abs(*middle - *after) > 0.1 * *after && std::abs(*before - *middle) > 0.1 * *before) {
                table.setValue(r - 1, column, (*after + *before) / 2.0);
                spike = true;
            }
        }
        if (spike)
            spikes.push_back(r - 1);
    }
    return spikes;
}

SpikeFilterResult SpikeFilterClick(RunTable& table, ViewerText& text, ViewerState& viewer, Prompter& prompter,
                                   const QString& rootDirectory)
{
    viewer.setSpikeFilterArmed(false);
    SpikeFilterResult result;
    result.spikeRows = smoothSpikes(table);
    // Only a test data file's lines are taken out and saved; other text stays as it is.
    if (result.spikeRows.empty() || !isTestDataFile(text.lines()))
        return result;

    const std::vector<int> rowLines = dataLineIndices(text.lines(), table.decimalSeparator());
    QStringList lines = text.lines();
    for (auto row = result.spikeRows.rbegin(); row != result.spikeRows.rend(); ++row)
        if (*row < static_cast<int>(rowLines.size()))
            lines.removeAt(rowLines[static_cast<std::size_t>(*row)]);
    text.setLines(lines, true);
    if (const std::optional<QString> refusal = text.saveInLibrary(rootDirectory)) {
        prompter.inform(QStringLiteral("Spike Filter"), *refusal, PromptIcon::Warning);
        return result;
    }
    result.saved = true;
    return result;
}

} // namespace tolvane
