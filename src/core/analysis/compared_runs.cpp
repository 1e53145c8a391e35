#include "core/analysis/compared_runs.h"

namespace tolvane {

ComparedRunsResult readComparedRuns(const QList<SelectionRow>& rows)
{
    ComparedRunsResult result;
    for (const SelectionRow& row : rows) {
        TextReadResult read = readTextLines(row.path);
        if (!read.ok()) {
            result.error = read.error;
            break;
        }
        result.runs.push_back(ComparedRun{row.displayName, row.colorName, std::move(read.lines)});
    }
    return result;
}

} // namespace tolvane
