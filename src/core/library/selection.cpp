#include "core/library/selection.h"

#include "core/common/config_keys.h"
#include "core/common/configuration.h"
#include "core/common/library_path.h"

namespace tolvane {

QString selectionFullMessage()
{
    return QStringLiteral("The selection already holds %1 runs, the most the graph can compare.\n"
                          "Remove a run before adding another.")
        .arg(Selection::MaxRuns);
}

const QStringList& Selection::palette()
{
    static const QStringList colors = {
        QStringLiteral("clRed"),    QStringLiteral("clAqua"),    QStringLiteral("clLime"),
        QStringLiteral("clYellow"), QStringLiteral("clFuchsia"), QStringLiteral("clTeal"),
        QStringLiteral("clGreen"),  QStringLiteral("clOlive"),   QStringLiteral("clPurple"),
        QStringLiteral("clMaroon"),
    };
    return colors;
}

QString Selection::paletteColor(int run)
{
    const qsizetype count = palette().size();
    return palette().at(((run - 1) % count + count) % count);
}

QString Selection::markerName(int run, MarkerSpelling spelling)
{
    switch (((run % 4) + 4) % 4) {
    case 0:
        return QStringLiteral("Square");
    case 1:
        return QStringLiteral("Circle");
    case 2:
        return spelling == MarkerSpelling::Capital ? QStringLiteral("Diamond") : QStringLiteral("diamond");
    default:
        return QStringLiteral("Cross");
    }
}

QString Selection::displayName(const QString& fullPath, const QString& rootDirectory)
{
    QString name = fullPath.mid(rootDirectory.size());
    name.replace(QLatin1Char('\\'), QStringLiteral("   "));
    name.replace(QLatin1Char('/'), QStringLiteral("   "));
    return name;
}

std::optional<QString> Selection::addRun(const QString& fullPath, const QString& rootDirectory,
                                         const QString& dateTimeText, MarkerSpelling spelling)
{
    if (runCount() >= MaxRuns)
        return selectionFullMessage();
    const int run = runCount() + 1;
    m_rows.append(SelectionRow{paletteColor(run), displayName(fullPath, rootDirectory), dateTimeText,
                               fullPath, markerName(run, spelling)});
    emit changed();
    return std::nullopt;
}

void Selection::removeRun(int run)
{
    if (run < 1 || run > runCount())
        return;
    for (int r = run; r < runCount(); ++r) {
        const QString marker = m_rows[r - 1].markerName;
        m_rows[r - 1] = m_rows[r];
        m_rows[r - 1].markerName = marker;
    }
    m_rows.removeLast();
    emit changed();
}

void Selection::setColor(int run, const QString& colorName)
{
    if (run < 1 || run > runCount() || m_rows[run - 1].colorName == colorName)
        return;
    m_rows[run - 1].colorName = colorName;
    emit changed();
}

void Selection::setPath(int run, const QString& fullPath, const QString& displayName)
{
    if (run < 1 || run > runCount())
        return;
    m_rows[run - 1].path = fullPath;
    m_rows[run - 1].displayName = displayName;
    emit changed();
}

void Selection::clear()
{
    if (m_rows.isEmpty())
        return;
    m_rows.clear();
    emit changed();
}

void Selection::setHistory(const QStringList& entries)
{
    const QStringList kept = entries.mid(0, HistorySize);
    if (kept == m_history)
        return;
    m_history = kept;
    emit historyChanged();
}

void Selection::updateHistory(const QString& relativePath)
{
    m_history.prepend(relativePath);
    while (m_history.size() > HistorySize)
        m_history.removeLast();
    emit historyChanged();
}

void Selection::replaceNewestHistory(const QString& relativePath)
{
    if (m_history.isEmpty())
        m_history.append(relativePath);
    else
        m_history[0] = relativePath;
    emit historyChanged();
}

QString Selection::historyEntry(const QString& rootDirectory, const QString& fullPath)
{
    const QString below = storedPathBelow(rootDirectory, fullPath);
    return below.isEmpty() ? QString() : QLatin1Char('\\') + below;
}

void Selection::writeHistory(ConfigChanges& changes, int fileIndex) const
{
    changes.set(ConfigKeys::FileIndex, fileIndex);
    for (int n = 1; n <= m_history.size(); ++n)
        changes.set(historyKey(n), m_history.at(n - 1));
}

} // namespace tolvane
