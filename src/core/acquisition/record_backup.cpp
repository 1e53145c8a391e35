#include "core/acquisition/record_backup.h"

#include "core/common/library_path.h"

namespace tolvane {

QString backupPath(const QString& libraryRoot, BackupKind kind)
{
    return fromStoredPath(libraryRoot)
           + (kind == BackupKind::Step ? QStringLiteral("/Test_Backup") : QStringLiteral("/Sweep_Backup"));
}

std::optional<FileError> backUpRecordMemo(const QString& libraryRoot, const QStringList& memo, bool modified)
{
    if (!modified || memo.isEmpty())
        return std::nullopt;
    // Rewritten at every record line inside the live tick: the wait for the disk stays out of it.
    return writeTextLines(backupPath(libraryRoot, BackupKind::Step), memo, DiskWait::Cached);
}

TextReadResult loadRecordBackup(const QString& libraryRoot, BackupKind kind)
{
    return readTextLines(backupPath(libraryRoot, kind));
}

} // namespace tolvane
