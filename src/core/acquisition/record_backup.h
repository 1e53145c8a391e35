#pragma once
// Backups of the live windows' record memos in the library root, so a crash or a closed window
// during a long test does not cost the records: "Test_Backup" is rewritten whenever the step
// window's memo changes; "Load backup" reads it (or "Sweep_Backup") back.
#include <QString>
#include <QStringList>

#include <optional>

#include "core/common/text_file.h"

namespace tolvane {

enum class BackupKind { Step, Sweep };

QString backupPath(const QString& libraryRoot, BackupKind kind);

// Writes the memo when the operator's edits or new records changed it and it holds a line.
// Returns an error only for a failed write.
std::optional<FileError> backUpRecordMemo(const QString& libraryRoot, const QStringList& memo, bool modified);

TextReadResult loadRecordBackup(const QString& libraryRoot, BackupKind kind);

} // namespace tolvane
