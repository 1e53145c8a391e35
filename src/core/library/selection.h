#pragma once
// The runs the operator compares: one SelectionRow per test file, in the order they were added,
// each with a colour and a point marker; plus the History of the ten most recent files. The
// plotting, the graph, the run viewer and printing read it; the browser and the History menu
// change it.
//
// Runs are numbered r = 1, 2, ... as the graph's series keys and colour slots count them; row(r)
// takes that number.
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

#include "core/library/selection_row.h"

namespace tolvane {

class ConfigChanges;

class Selection : public QObject {
    Q_OBJECT
public:
    // Each run owns graph series r, r + 20 and r + 40 and a colour-save slot of the printer, so
    // a selection holds at most this many runs.
    static constexpr int MaxRuns = 20;
    static constexpr int HistorySize = 10;

    // How the third marker shape is spelt: rows added by double-click say "Diamond", rows added
    // from the History or by dragging say "diamond". Only printing shows the difference.
    enum class MarkerSpelling { Capital, LowerCaseDiamond };

    explicit Selection(QObject* parent = nullptr) : QObject(parent) {}

    // "clRed", "clAqua", "clLime", "clYellow", "clFuchsia", "clTeal", "clGreen", "clOlive",
    // "clPurple", "clMaroon": run r starts with entry (r - 1) mod 10.
    static const QStringList& palette();
    static QString paletteColor(int run);
    // "Square", "Circle", "Diamond", "Cross" by r mod 4 (the shape number the graph draws).
    static QString markerName(int run, MarkerSpelling spelling);
    // The full path with the root's length cut off and every separator shown as three blanks.
    static QString displayName(const QString& fullPath, const QString& rootDirectory);

    int runCount() const { return static_cast<int>(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    const QList<SelectionRow>& rows() const { return m_rows; }
    const SelectionRow& row(int run) const { return m_rows.at(run - 1); }

    // Appends a run with the next palette colour and marker; the refusal text when the selection
    // is full (nothing is changed then).
    std::optional<QString> addRun(const QString& fullPath, const QString& rootDirectory,
                                  const QString& dateTimeText, MarkerSpelling spelling);
    // Removes run r: the later runs move up with their colour, name, date and path, while the
    // marker names stay with the row positions (as the graph draws shapes by position).
    void removeRun(int run);
    void setColor(int run, const QString& colorName);
    // Writes a new path (and its display name) into run r, after the file was renamed.
    void setPath(int run, const QString& fullPath, const QString& displayName);
    void clear();

    // Relative paths (leading separator kept), most recent first, at most ten.
    const QStringList& history() const { return m_history; }
    void setHistory(const QStringList& entries);
    // Puts a relative path first; the oldest entry drops out. A path may appear twice.
    void updateHistory(const QString& relativePath);
    // Replaces the newest entry (a file saved over the graph screen takes its place).
    void replaceNewestHistory(const QString& relativePath);
    // The History form of a file: its path below the root with a leading separator ("" when the
    // file is not below the root).
    static QString historyEntry(const QString& rootDirectory, const QString& fullPath);
    // "History 1" ... "History 10" from the entries and "File_Index" = fileIndex, the number of
    // runs to reopen at the next start.
    void writeHistory(ConfigChanges& changes, int fileIndex) const;

signals:
    void changed();
    void historyChanged();

private:
    QList<SelectionRow> m_rows;
    QStringList m_history;
};

// The text shown when a run is refused because the selection is full.
QString selectionFullMessage();

} // namespace tolvane
