#pragma once
// Backups of the live windows' record memos in the library root, so a crash or a closed window
// during a long test does not cost the records: "Test_Backup" is rewritten whenever the step
// window's memo changes; "Load backup" reads it (or "Sweep_Backup") back. Beside it a marker,
// "Test_Backup.unsaved", says the lines were neither saved nor cleared yet: a marker still there
// when the step window next shows over an empty memo means the program was killed during a test.
#include <QString>
#include <QStringList>

#include <optional>

#include "core/common/text_file.h"

namespace tolvane {

enum class BackupKind { Step, Sweep };

QString backupPath(const QString& libraryRoot, BackupKind kind);

// Writes the memo, and the marker, when the operator's edits or new records changed it and it
// holds a line. Returns an error only for a failed write.
std::optional<FileError> backUpRecordMemo(const QString& libraryRoot, const QStringList& memo, bool modified);
// The memo was saved or cleared on purpose: nothing is left to offer after a crash.
void forgetUnsavedBackup(const QString& libraryRoot);
// The step backup's lines while the marker says they were neither saved nor cleared; none
// otherwise (or when the backup cannot be read).
QStringList unsavedBackup(const QString& libraryRoot);

TextReadResult loadRecordBackup(const QString& libraryRoot, BackupKind kind);

} // namespace tolvane
