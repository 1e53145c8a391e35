#include "core/library/test_file_check.h"

#include <QDir>

#include "core/common/library_path.h"

namespace tolvane {

QString systemExtensionText()
{
    return QStringLiteral("This file is off limits as it has a system extension.");
}

QString testFileSizeText()
{
    return QStringLiteral("This file is off limits as it too large or small to be a valid test file.");
}

bool hasSystemExtension(const QString& path)
{
    static const char* const extensions[] = {".EXE", ".INI", ".DLL", ".BAT", ".SYS"};
    for (const char* extension : extensions) {
        if (path.contains(QLatin1String(extension), Qt::CaseSensitive))
            return true;
    }
    return false;
}

bool hasTestFileSize(qsizetype lineCount)
{
    return lineCount >= TestFileMinLines && lineCount <= TestFileMaxLines;
}

bool isTestDataFile(const QStringList& lines)
{
    return !lines.isEmpty() && lines.first().contains(QLatin1String("QV512e"));
}

StoredPathRepair checkStoredPath(const QString& root, const QString& fullPath, const QStringList& lines)
{
    if (lines.size() < 2 || !isTestDataFile(lines))
        return {};
    const QString file = QDir::cleanPath(fromStoredPath(fullPath));
    const std::optional<QString> named = resolveInsideRoot(root, lines.at(1));
    if (named && named->compare(file, Qt::CaseInsensitive) == 0)
        return {};
    if (std::optional<QString> refusal = outsideLibraryRefusal(root, file))
        return {StoredPathRepair::Outcome::OutsideLibrary, {}, std::move(*refusal)};
    const QString below = storedPathBelow(root, file);
    QStringList repaired = lines;
    repaired[1] = below;
    return {StoredPathRepair::Outcome::Repaired, repaired, {}};
}

} // namespace tolvane
