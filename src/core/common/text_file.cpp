#include "core/common/text_file.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

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

std::optional<FileError> writeTextLines(const QString& path, const QStringList& lines, DiskWait wait)
{
    return writeFileAtomically(path, joinLines(lines), wait);
}

namespace {

FileError writeError(const QString& path, const QString& why)
{
    return FileError{QStringLiteral("Cannot write %1: %2").arg(path, why)};
}

// QSaveFile always waits for the disk; this is its rename without the wait.
std::optional<FileError> writeCached(const QString& path, const QByteArray& bytes)
{
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.open())
        return writeError(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush())
        return writeError(path, file.errorString()); // the temporary file goes with `file`
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    file.close();
    // Unlike QFile::rename, std::filesystem::rename replaces an existing file in one step on
    // every system.
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(file.fileName()).toStdString(),
                            QFile::encodeName(path).toStdString(), error);
    if (error)
        return writeError(path, QString::fromStdString(error.message()));
    file.setAutoRemove(false);
    return std::nullopt;
}

} // namespace

std::optional<FileError> writeFileAtomically(const QString& path, const QByteArray& bytes, DiskWait wait)
{
    if (wait == DiskWait::Cached)
        return writeCached(path, bytes);
    QSaveFile file(path);
    // Unbuffered, so a short write (disk full, file-size limit) shows in write()'s count: a
    // buffered flush drops the unwritten rest and still lets commit() succeed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return writeError(path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return writeError(path, why);
    }
    if (!file.commit())
        return writeError(path, file.errorString());
    return std::nullopt;
}

} // namespace tolvane
