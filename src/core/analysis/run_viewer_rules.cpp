#include "core/analysis/run_viewer_rules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include "core/analysis/viewer_text.h"
#include "core/common/library_path.h"
#include "core/library/selection.h"

namespace tolvane {

namespace {

constexpr int FirstColumnWidth = 60;
constexpr int SmallestNotesFont = 8;

bool samePath(const QString& a, const QString& b)
{
    // The library started on Windows: a file's name does not depend on its letter case there.
    return QDir::cleanPath(a).compare(QDir::cleanPath(b), Qt::CaseInsensitive) == 0;
}

} // namespace

int largerNotesFont(int size)
{
    return size + 2;
}

int smallerNotesFont(int size)
{
    // Below 9 the notes become unreadable; 8 is the floor.
    return std::max(size - 2, SmallestNotesFont);
}

int storedNotesFont(int size)
{
    return std::clamp(size, 1, 200);
}

QList<int> runStripColumnWidths(int stripWidth, int columnCount)
{
    QList<int> widths;
    if (columnCount <= 0)
        return widths;
    widths << FirstColumnWidth;
    if (columnCount == 1)
        return widths;
    // One pixel per column of grid lines and 83 for column 0 and the frame.
    const int each = std::max(0, (stripWidth - columnCount - 83) / (columnCount - 1));
    for (int c = 1; c < columnCount; ++c)
        widths << each;
    return widths;
}

QString runStripTextColor(const QString& runColor)
{
    if (runColor == QLatin1String("ClBlack"))
        return QStringLiteral("clWhite");
    return runColor;
}

std::optional<QString> renameCurrentRun(ViewerText& text, Selection& selection, const QString& rootDirectory,
                                        const QString& newFullPath)
{
    const LibraryTarget old = storedPathTarget(rootDirectory, text.storedPath());
    if (!old.path)
        return old.refusal;
    const std::optional<QString> oldPath = old.path;
    if (const std::optional<QString> refusal = outsideLibraryRefusal(rootDirectory, newFullPath))
        return refusal;
    const QString newStored = storedPathBelow(rootDirectory, newFullPath);
    const QString newPath = QFileInfo(newFullPath).absoluteFilePath();
    if (!samePath(*oldPath, newPath)) {
        if (QFileInfo::exists(newPath))
            return QStringLiteral("Not renamed: %1 already exists.").arg(newPath);
        if (!QFile::rename(*oldPath, newPath))
            return QStringLiteral("Could not rename %1 to %2.").arg(*oldPath, newPath);
    }
    // The rows change only once the file is really there under its new name.
    for (int run = 1; run <= selection.runCount(); ++run) {
        if (samePath(selection.row(run).path, *oldPath))
            selection.setPath(run, newPath, Selection::displayName(newPath, rootDirectory));
    }
    QStringList lines = text.lines();
    lines[1] = newStored;
    text.setLines(lines, true);
    return text.saveInLibrary(rootDirectory);
}

} // namespace tolvane
