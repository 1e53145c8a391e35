#include "core/common/text_file.h"

#include <QFile>
#include <QSaveFile>

namespace tolvane {

QStringList splitLines(const QByteArray& bytes)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    while (start < n) {
        qsizetype end = bytes.indexOf('\n', start);
        const bool last = end < 0;
        if (last)
            end = n;
        qsizetype stop = end;
        if (stop > start && bytes[stop - 1] == '\r')
            --stop;
        lines.append(QString::fromLatin1(bytes.constData() + start, stop - start));
        start = end + 1;
    }
    return lines;
}

QByteArray joinLines(const QStringList& lines)
{
    QByteArray out;
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    out.reserve(size);
    for (const QString& line : lines) {
        out += line.toLatin1();
        out += "\r\n";
    }
    return out;
}

TextReadResult readTextLines(const QString& path)
{
    TextReadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = FileError{QStringLiteral("Cannot open %1: %2").arg(path, file.errorString())};
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = FileError{QStringLiteral("Cannot read %1: %2").arg(path, file.errorString())};
        return result;
    }
    result.lines = splitLines(bytes);
    return result;
}

std::optional<FileError> writeTextLines(const QString& path, const QStringList& lines)
{
    return writeFileAtomically(path, joinLines(lines));
}

std::optional<FileError> writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // Unbuffered, so a short write (disk full, file-size limit) shows in write()'s count: a
    // buffered flush drops the unwritten rest and still lets commit() succeed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FileError{QStringLiteral("Cannot write %1: %2").arg(path, file.errorString())};
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return FileError{QStringLiteral("Cannot write %1: %2").arg(path, why)};
    }
    if (!file.commit())
        return FileError{QStringLiteral("Cannot write %1: %2").arg(path, file.errorString())};
    return std::nullopt;
}

} // namespace tolvane
