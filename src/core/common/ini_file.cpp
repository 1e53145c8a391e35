#include "core/common/ini_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <limits>

#include "core/common/number_text.h"

namespace tolvane {

std::optional<int> parseIniInteger(QStringView text)
{
    const auto value = parseInt(text);
    if (!value || *value < std::numeric_limits<int>::min() || *value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(*value);
}

std::optional<double> parseIniFloat(QStringView text, QChar decimalSeparator)
{
    return parseFloat(text, decimalSeparator);
}

std::optional<bool> parseIniBool(QStringView text)
{
    const auto value = parseIniInteger(text);
    if (!value)
        return std::nullopt;
    return *value != 0;
}

QString iniIntegerText(qint64 value)
{
    return QString::number(value);
}

QString iniFloatText(double value, QChar decimalSeparator)
{
    return formatGeneral(value, decimalSeparator);
}

QString iniBoolText(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

std::optional<FileError> checkIniEntry(QStringView section, QStringView key, QStringView value)
{
    const auto hasLineBreak = [](QStringView s) {
        return s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r'));
    };
    const auto isLatin1 = [](QStringView s) {
        for (QChar c : s)
            if (c.unicode() > 0xff)
                return false;
        return true;
    };
    if (section.trimmed().isEmpty() || hasLineBreak(section) || section.contains(QLatin1Char(']')))
        return FileError{QStringLiteral("\"%1\" cannot be a section name").arg(section)};
    if (key.trimmed().isEmpty() || hasLineBreak(key) || key.contains(QLatin1Char('=')) ||
        key.trimmed().startsWith(QLatin1Char(';')) || key.trimmed().startsWith(QLatin1Char('[')))
        return FileError{QStringLiteral("\"%1\" cannot be a key name").arg(key)};
    if (hasLineBreak(value))
        return FileError{QStringLiteral("The value of \"%1\" holds a line break").arg(key)};
    if (!isLatin1(section) || !isLatin1(key) || !isLatin1(value))
        return FileError{QStringLiteral("\"%1\" holds characters that 8-bit text cannot store").arg(key)};
    return std::nullopt;
}

IniFile::IniFile(QString path, QChar decimalSeparator)
    : m_path(std::move(path)), m_decimalSeparator(decimalSeparator)
{
}

IniFileLoad IniFile::load() const
{
    IniFileLoad result;
    QFile file(m_path);
    if (!file.exists())
        return result;
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = FileError{QStringLiteral("Cannot open %1: %2").arg(m_path, file.errorString())};
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = FileError{QStringLiteral("Cannot read %1: %2").arg(m_path, file.errorString())};
        return result;
    }
    result.text = IniFileText::fromBytes(bytes);
    return result;
}

QString IniFile::readString(QStringView section, QStringView key, const QString& fallback) const
{
    return load().text.value(section, key).value_or(fallback);
}

int IniFile::readInteger(QStringView section, QStringView key, int fallback) const
{
    const auto text = load().text.value(section, key);
    return text ? parseIniInteger(*text).value_or(fallback) : fallback;
}

double IniFile::readFloat(QStringView section, QStringView key, double fallback) const
{
    const auto text = load().text.value(section, key);
    return text ? parseIniFloat(*text, m_decimalSeparator).value_or(fallback) : fallback;
}

bool IniFile::readBool(QStringView section, QStringView key, bool fallback) const
{
    const auto text = load().text.value(section, key);
    return text ? parseIniBool(*text).value_or(fallback) : fallback;
}

bool IniFile::sectionExists(QStringView section) const
{
    return load().text.hasSection(section);
}

std::optional<FileError> IniFile::writeString(QStringView section, QStringView key, const QString& value)
{
    return update([&](IniFileText& text) -> std::optional<FileError> {
        if (auto error = checkIniEntry(section, key, value))
            return error;
        text.setValue(section, key, value);
        return std::nullopt;
    });
}

std::optional<FileError> IniFile::writeInteger(QStringView section, QStringView key, qint64 value)
{
    return writeString(section, key, iniIntegerText(value));
}

std::optional<FileError> IniFile::writeFloat(QStringView section, QStringView key, double value)
{
    return writeString(section, key, iniFloatText(value, m_decimalSeparator));
}

std::optional<FileError> IniFile::writeBool(QStringView section, QStringView key, bool value)
{
    return writeString(section, key, iniBoolText(value));
}

std::optional<FileError> IniFile::update(const std::function<std::optional<FileError>(IniFileText&)>& edit)
{
    IniFileLoad current = load();
    if (current.error)
        return current.error;
    if (auto error = edit(current.text))
        return error;
    return save(current.text.toBytes());
}

IniWholeText IniFile::loadText() const
{
    const IniFileLoad current = load();
    return {current.text.lines().join(QLatin1Char('\n')), current.error};
}

std::optional<FileError> IniFile::saveText(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() > 0xff)
            return FileError{QStringLiteral("Cannot write %1: the text holds characters that 8-bit text "
                                            "cannot store")
                                 .arg(m_path)};
    return save(joinLines(splitLines(text.toLatin1())));
}

std::optional<FileError> IniFile::save(const QByteArray& bytes)
{
    const QString dir = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(dir))
        return FileError{QStringLiteral("Cannot write %1: the folder %2 cannot be created").arg(m_path, dir)};
    return writeFileAtomically(m_path, bytes);
}

} // namespace tolvane
