#pragma once
// One INI file on disk, reached through typed reads with the caller's default and typed writes.
// Nothing is cached: every call opens the file, reads or rewrites it, and closes it, so a value
// written by one window is what the next reader sees. Writes are atomic and keep every other line.
//
// Value encodings: string = the raw text after "="; integer = decimal text (a leading "$" marks
// hexadecimal); float = shortest general form, up to 15 significant digits, with the locale's
// decimal separator; boolean = "1" or "0", read as an integer where any non-zero value is true.
// An absent key, or a text that does not parse as the requested type, gives the default.
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

#include "core/common/ini_file_text.h"
#include "core/common/text_file.h"

namespace tolvane {

// The value encodings, shared by everything that reads or writes INI text.
std::optional<int> parseIniInteger(QStringView text); // a 32-bit integer, or nothing
std::optional<double> parseIniFloat(QStringView text, QChar decimalSeparator);
std::optional<bool> parseIniBool(QStringView text);
QString iniIntegerText(qint64 value);
QString iniFloatText(double value, QChar decimalSeparator);
QString iniBoolText(bool value);

// A section, key or value that the file's syntax cannot carry (a line break, a "=" in a key, a
// "]" in a section, a character outside Latin-1); nothing when it can be stored.
std::optional<FileError> checkIniEntry(QStringView section, QStringView key, QStringView value);

struct IniFileLoad {
    IniFileText text;
    std::optional<FileError> error; // the file exists but could not be read
};

struct IniWholeText {
    QString text; // Latin-1, lines joined with "\n"
    std::optional<FileError> error;
};

class IniFile {
public:
    IniFile(QString path, QChar decimalSeparator);

    const QString& path() const { return m_path; }
    QChar decimalSeparator() const { return m_decimalSeparator; }

    QString readString(QStringView section, QStringView key, const QString& fallback) const;
    int readInteger(QStringView section, QStringView key, int fallback) const;
    double readFloat(QStringView section, QStringView key, double fallback) const;
    bool readBool(QStringView section, QStringView key, bool fallback) const;
    bool sectionExists(QStringView section) const;

    std::optional<FileError> writeString(QStringView section, QStringView key, const QString& value);
    std::optional<FileError> writeInteger(QStringView section, QStringView key, qint64 value);
    std::optional<FileError> writeFloat(QStringView section, QStringView key, double value);
    std::optional<FileError> writeBool(QStringView section, QStringView key, bool value);

    // Several writes in one rewrite of the file: `edit` changes the text as read from disk, then
    // the result replaces the file atomically. A file that exists but cannot be read is left
    // alone (and reported), so a write never wipes keys it could not see. The data directory is
    // created when missing.
    std::optional<FileError> update(const std::function<std::optional<FileError>(IniFileText&)>& edit);

    // The whole file as text, for editing by hand; a missing file is empty text.
    IniWholeText loadText() const;
    // Replaces the file with the edited text (lines ended CR LF on disk).
    std::optional<FileError> saveText(const QString& text);

    // The current content; a missing file reads as empty.
    IniFileLoad load() const;

private:
    std::optional<FileError> save(const QByteArray& bytes);

    QString m_path;
    QChar m_decimalSeparator;
};

} // namespace tolvane
