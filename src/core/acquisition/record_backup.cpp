#include "core/acquisition/record_backup.h"

#include <QFile>

#include "core/common/library_path.h"

namespace tolvane {

QString backupPath(const QString& libraryRoot, BackupKind kind)
{
    return fromStoredPath(libraryRoot)
           + (kind == BackupKind::Step ? QStringLiteral("/Test_Backup") : QStringLiteral("/Sweep_Backup"));
}

namespace {

QString markerPath(const QString& libraryRoot)
{
    return backupPath(libraryRoot, BackupKind::Step) + QStringLiteral(".unsaved");
}

} // namespace

std::optional<FileError> backUpRecordMemo(const QString& libraryRoot, const QStringList& memo, bool modified)
{
    if (!modified || memo.isEmpty())
        return std::nullopt;
    // Rewritten at every record line inside the live tick: the wait for the disk stays out of it.
    if (std::optional<FileError> error =
            writeTextLines(backupPath(libraryRoot, BackupKind::Step), memo, DiskWait::Cached))
        return error;
    if (QFile::exists(markerPath(libraryRoot)))
        return std::nullopt;
    return writeTextLines(markerPath(libraryRoot), {}, DiskWait::Cached);
}

void forgetUnsavedBackup(const QString& libraryRoot)
{
    QFile::remove(markerPath(libraryRoot));
}

QStringList unsavedBackup(const QString& libraryRoot)
{
    if (!QFile::exists(markerPath(libraryRoot)))
        return {};
    const TextReadResult backup = loadRecordBackup(libraryRoot, BackupKind::Step);
    return backup.ok() ? backup.lines : QStringList();
}

TextReadResult loadRecordBackup(const QString& libraryRoot, BackupKind kind)
{
    return readTextLines(backupPath(libraryRoot, kind));
}

} // namespace tolvane
