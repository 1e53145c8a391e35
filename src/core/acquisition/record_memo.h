#pragma once
// The record memo: the live windows' list of record lines. The step controller appends one
// averaged line per target, the gas analyzer appends its values to the newest line, the operator
// may edit it, and the step test file is built from it. The sweep window uses its own memo only
// while saving and for "Load Backup".
#include <QObject>
#include <QString>
#include <QStringList>

namespace tolvane {

class RecordMemo : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    const QStringList& lines() const { return m_lines; }
    bool isEmpty() const { return m_lines.isEmpty(); }
    int count() const { return static_cast<int>(m_lines.size()); }

    void append(const QString& line);
    // Adds text to the end of the newest line (the gas values of the last record); an empty memo
    // gets a line of its own, so the values are never dropped.
    void appendToLast(const QString& text);
    // The operator's edits and "Load backup".
    void setLines(const QStringList& lines);
    void clear();

    // Changed by records or edits since the memo was last cleared: the backup is due.
    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

signals:
    void changed();

private:
    void touch();

    QStringList m_lines;
    bool m_modified = false;
};

} // namespace tolvane
