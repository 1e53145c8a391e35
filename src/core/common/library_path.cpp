#include "core/common/library_path.h"

#include <QDir>

namespace tolvane {

QString toStoredPath(const QString& relativePath)
{
    QString s = relativePath;
    s.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return s;
}

QString fromStoredPath(const QString& storedPath)
{
    QString s = storedPath;
    s.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return s;
}

QString storedPathBelow(const QString& root, const QString& fullPath)
{
    const QString cleanRoot = QDir::cleanPath(fromStoredPath(root));
    const QString cleanFull = QDir::cleanPath(fromStoredPath(fullPath));
    if (!cleanFull.startsWith(cleanRoot + QLatin1Char('/'), Qt::CaseInsensitive))
        return {};
    return toStoredPath(cleanFull.mid(cleanRoot.size() + 1));
}

std::optional<QString> resolveInsideRoot(const QString& root, const QString& storedPath)
{
    // A stored path is relative to the root by definition, so a leading separator (as some
    // hand-edited files carry) only joins it to the root; a drive letter names another place.
    QString relative = fromStoredPath(storedPath).trimmed();
    while (relative.startsWith(QLatin1Char('/')))
        relative.remove(0, 1);
    if (relative.isEmpty() || (relative.size() >= 2 && relative[1] == QLatin1Char(':')))
        return std::nullopt;
    const QString cleanRoot = QDir::cleanPath(fromStoredPath(root));
    const QString full = QDir::cleanPath(cleanRoot + QLatin1Char('/') + relative);
    if (!full.startsWith(cleanRoot + QLatin1Char('/')))
        return std::nullopt;
    return full;
}

QString outsideLibraryText(const QString& place, const QString& root)
{
    return QStringLiteral("Nothing was written: %1 lies outside the test library %2.")
        .arg(place, QDir::toNativeSeparators(QDir::cleanPath(fromStoredPath(root))));
}

std::optional<QString> outsideLibraryRefusal(const QString& root, const QString& fullPath)
{
    if (!storedPathBelow(root, fullPath).isEmpty())
        return std::nullopt;
    return outsideLibraryText(QDir::toNativeSeparators(QDir::cleanPath(fromStoredPath(fullPath))), root);
}

LibraryTarget storedPathTarget(const QString& root, const QString& storedPath)
{
    if (std::optional<QString> path = resolveInsideRoot(root, storedPath))
        return {std::move(path), {}};
    return {std::nullopt,
            outsideLibraryText(QStringLiteral("the file's path \"%1\" (line 2)").arg(storedPath), root)};
}

} // namespace tolvane
