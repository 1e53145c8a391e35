#include "core/library/library_tree.h"

#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>
#include <utility>
#include <vector>

#include "core/common/library_path.h"

namespace tolvane {

namespace {

// Sorted without regard to case, equal names in their exact order. A shop's folder may hold tens
// of thousands of runs: each name is folded once, not at every comparison (a QDir sort would
// also build and compare a file information record per entry).
QStringList sortedIgnoringCase(QStringList names)
{
    std::vector<std::pair<QString, QString>> keyed;
    keyed.reserve(static_cast<std::size_t>(names.size()));
    for (QString& name : names) {
        QString key = name.toCaseFolded();
        keyed.emplace_back(std::move(key), std::move(name));
    }
    std::sort(keyed.begin(), keyed.end());
    QStringList sorted;
    sorted.reserve(static_cast<qsizetype>(keyed.size()));
    for (auto& [key, name] : keyed)
        sorted.append(std::move(name));
    return sorted;
}

} // namespace

QStringList listLibraryFolders(const QString& folder, LibraryLevel level)
{
    if (folder.isEmpty())
        return {};
    QStringList names;
    QDirIterator entries(folder, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    while (entries.hasNext()) {
        entries.next();
        const QFileInfo& entry = entries.fileInfo();
        const bool plain =
            !entry.fileName().startsWith(QLatin1Char('.')) && entry.isWritable() && !entry.isSymLink();
        if (level == LibraryLevel::Make || plain)
            names << entry.fileName();
    }
    return sortedIgnoringCase(std::move(names));
}

QStringList listLibraryFiles(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    QStringList names;
    QDirIterator entries(folder, QDir::Files);
    while (entries.hasNext()) {
        entries.next();
        names << entries.fileName();
    }
    return sortedIgnoringCase(std::move(names));
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
