#pragma once
// Saving a test file: where it goes, the overwrite question, the atomic write. The caller keeps its
// record memo (or grid) unless the result says the file was written, so a refused, cancelled or
// failed save never loses a test.
#include <QString>
#include <QStringList>

#include <functional>

#include "core/common/prompter.h"

namespace tolvane {

struct SaveTarget {
    QString libraryRoot; // RootDirectory
    QString directory;   // the save dialog's folder, a full path below the root
    QString fileName;    // as typed, with its extension
};

enum class SaveOutcome {
    Written,
    Cancelled, // the operator declined to overwrite: show the save dialog again
    Refused,   // the target is not a file below the library root; the operator was told
    Failed,    // the write failed; the operator was told and the old file is untouched
};

struct SaveResult {
    SaveOutcome outcome = SaveOutcome::Failed;
    QString fullPath;
};

class TestFileSaver {
public:
    explicit TestFileSaver(Prompter& prompter) : m_prompter(prompter) {}

    // buildLines gets the file's path relative to the root as line 2 stores it.
    SaveResult save(const SaveTarget& target, const std::function<QStringList(const QString&)>& buildLines);

private:
    Prompter& m_prompter;
};

} // namespace tolvane
