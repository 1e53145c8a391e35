#pragma once
// 8-bit text files: every byte is read and written as Latin-1 so nothing is lost, whatever code
// page wrote it. Lines are written with CR LF; LF alone is accepted on reading. Writes are atomic:
// the old file stays whole until the new one is complete.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace tolvane {

struct FileError {
    QString message; // for the operator: names the file and what went wrong
};

struct TextReadResult {
    QStringList lines;
    std::optional<FileError> error;
    bool ok() const { return !error.has_value(); }
};

struct FileReadResult {
    QByteArray bytes;
    std::optional<FileError> error;
    bool ok() const { return !error.has_value(); }
};

// The lines of 8-bit text, split at CR LF or LF, as views into bytes (which must outlive them). A
// final line break does not make an empty last line.
std::vector<QLatin1StringView> lineViews(QByteArrayView bytes);
QStringList splitLines(const QByteArray& bytes);
QByteArray joinLines(const QStringList& lines); // CR LF after every line

// The whole file as it is on disk.
FileReadResult readFileBytes(const QString& path);
TextReadResult readTextLines(const QString& path);
// How long a write waits for the disk. Either way the file is replaced atomically (temporary file,
// checked write, rename) and, once the call returns, its new content survives the program being
// killed. Flushed: the write also waits until the disk has it, so it survives a power cut too.
// Cached: the kernel writes it out in its own time; for the backups live work rewrites at every
// record line, where waiting for the disk would stall the 40 ms tick by tens of milliseconds.
enum class DiskWait { Flushed, Cached };
std::optional<FileError> writeTextLines(const QString& path, const QStringList& lines,
                                        DiskWait wait = DiskWait::Flushed);
std::optional<FileError> writeFileAtomically(const QString& path, const QByteArray& bytes,
                                             DiskWait wait = DiskWait::Flushed);

} // namespace tolvane
