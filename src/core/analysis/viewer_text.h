#pragma once
// The text of the current run as the viewer's notes box shows it: a list of lines and whether
// they carry edits not yet saved. The box binds to it; the recalculation tools rewrite it.
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace tolvane {

class ViewerText : public QObject {
    Q_OBJECT
public:
    explicit ViewerText(QObject* parent = nullptr) : QObject(parent) {}

    const QStringList& lines() const { return m_lines; }
    // Replaces the text of the same run; an edit or a tool passes modified = true.
    void setLines(const QStringList& lines, bool modified);
    // A run read from its file: its text, unmodified, and the name the viewer's caption shows.
    void showFile(const QStringList& lines, const QString& caption);
    // Nothing shown, no caption.
    void clear();
    // The caption always names the run whose text is shown.
    const QString& caption() const { return m_caption; }
    bool isModified() const { return m_modified; }
    void setModified(bool on);

    // Line 2: the file's own path relative to the library root, backslash separated.
    QString storedPath() const { return m_lines.size() > 1 ? m_lines[1] : QString(); }

    // Writes the text to root + line 2 (atomically) and clears the modified state. Refused, with
    // the reason, when line 2 is missing or leads outside the library root: a path taken from
    // the file's own text must never choose where outside the library the program writes.
    std::optional<QString> saveInLibrary(const QString& rootDirectory);

signals:
    void changed();

private:
    QStringList m_lines;
    QString m_caption;
    bool m_modified = false;
};

} // namespace tolvane
