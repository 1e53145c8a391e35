#pragma once
// The selected runs as the data graph window lines them up side by side: each run's display
// name, colour and whole text, read straight from its file (the notes grid and the data grid are
// both built from these lines, with rules of their own).
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "core/common/text_file.h"
#include "core/library/selection_row.h"

namespace tolvane {

struct ComparedRun {
    QString displayName;
    QString colour; // toolkit colour name, "clRed"
    QStringList lines;
};

struct ComparedRunsResult {
    std::vector<ComparedRun> runs;  // the runs read before any failure
    std::optional<FileError> error; // the first file that could not be read
};

// Reads the files of the selection rows in order. A file that cannot be read stops the reading:
// the runs before it are kept and the error names the file.
ComparedRunsResult readComparedRuns(const QList<SelectionRow>& rows);

} // namespace tolvane
