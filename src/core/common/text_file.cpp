#include "core/common/text_file.h"

#include <QFile>
#include <QSaveFile>

namespace tolvane {

std::vector<QLatin1StringView> lineViews(QByteArrayView bytes)
{
    std::vector<QLatin1StringView> lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    while (start < n) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = n;
        qsizetype stop = end;
        if (stop > start && bytes[stop - 1] == '\r')
            --stop;
        lines.emplace_back(bytes.data() + start, stop - start);
        start = end + 1;
    }
    return lines;
}

QStringList splitLines(const QByteArray& bytes)
{
    const std::vector<QLatin1StringView> views = lineViews(bytes);
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(views.size()));
    for (const QLatin1StringView line : views)
        lines.append(QString(line));
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

FileReadResult readFileBytes(const QString& path)
{
    FileReadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = FileError{QStringLiteral("Cannot open %1: %2").arg(path, file.errorString())};
        return result;
    }
    result.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        result.error = FileError{QStringLiteral("Cannot read %1: %2").arg(path, file.errorString())};
    return result;
}

TextReadResult readTextLines(const QString& path)
{
    FileReadResult file = readFileBytes(path);
    if (!file.ok())
        return {{}, file.error};
    return {splitLines(file.bytes), std::nullopt};
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
