#pragma once
// The lines of one INI file, with the lookups and edits the settings need. Section and key names
// match case-insensitively ("LoadOFF" and "LoadOff" are one key). An edit touches only the line of
// its key, or adds one; every other line (comments, blank lines, unknown sections and keys, their
// order and spelling) is written back as it was read.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace tolvane {

class IniFileText {
public:
    IniFileText() = default;
    // Latin-1 bytes, lines ended CR LF or LF alone.
    static IniFileText fromBytes(const QByteArray& bytes);
    QByteArray toBytes() const; // Latin-1, CR LF after every line

    const QStringList& lines() const { return m_lines; }

    // The raw text after the first "=" of the key's line in the first section of that name;
    // nothing when the section or the key is absent.
    std::optional<QString> value(QStringView section, QStringView key) const;
    bool hasSection(QStringView section) const;

    // Replaces the value of an existing key (keeping the key's own spelling), else adds the key at
    // the end of its section, else adds the section at the end of the file.
    void setValue(QStringView section, QStringView key, const QString& value);

private:
    struct SectionSpan {
        qsizetype header = -1; // line of "[Section]"
        qsizetype end = 0;     // first line after the section
    };
    std::optional<SectionSpan> findSection(QStringView section) const;
    std::optional<qsizetype> findKey(const SectionSpan& span, QStringView key) const;

    QStringList m_lines;
};

// The name of a section, the key of a key line, or nothing for other lines (comments, blanks).
std::optional<QStringView> iniSectionName(QStringView line);
std::optional<QStringView> iniKeyName(QStringView line);

} // namespace tolvane
