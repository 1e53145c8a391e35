#include "core/library/library_tree.h"

#include <QDir>
#include <QFileInfo>

#include "core/common/library_path.h"

namespace tolvane {

QStringList listLibraryFolders(const QString& folder, LibraryLevel level)
{
    if (folder.isEmpty())
        return {};
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
    QStringList names;
    for (const QFileInfo& entry : entries) {
        const bool plain =
            !entry.fileName().startsWith(QLatin1Char('.')) && entry.isWritable() && !entry.isSymLink();
        if (level == LibraryLevel::Make || plain)
            names << entry.fileName();
    }
    return names;
}

QStringList listLibraryFiles(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    return QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
}

QStringList libraryFolderLevels(const QString& root, const QString& fullFilePath)
{
    const QString below = storedPathBelow(root, fullFilePath);
    if (below.isEmpty())
        return {};
    QStringList levels = below.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    levels.removeLast(); // the file itself
    return levels.mid(0, LibraryLevelCount);
}

} // namespace tolvane
