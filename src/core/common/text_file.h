#pragma once
// 8-bit text files: every byte is read and written as Latin-1 so nothing is lost, whatever code
// page wrote it. Lines are written with CR LF; LF alone is accepted on reading. Writes are atomic:
// the old file stays whole until the new one is complete.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace tolvane {

struct FileError {
    QString message; // for the operator: names the file and what went wrong
};

struct TextReadResult {
    QStringList lines;
    std::optional<FileError> error;
    bool ok() const { return !error.has_value(); }
};

// Splits 8-bit text into lines at CR LF or LF. A final line break does not make an empty last line.
QStringList splitLines(const QByteArray& bytes);
QByteArray joinLines(const QStringList& lines); // CR LF after every line

TextReadResult readTextLines(const QString& path);
std::optional<FileError> writeTextLines(const QString& path, const QStringList& lines);
// Writes bytes atomically (temporary file, checked write, rename).
std::optional<FileError> writeFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace tolvane
