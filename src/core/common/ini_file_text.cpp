#include "core/common/ini_file_text.h"

#include "core/common/text_file.h"

namespace tolvane {

namespace {

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

std::optional<QStringView> iniSectionName(QStringView line)
{
    line = line.trimmed();
    if (!line.startsWith(QLatin1Char('[')))
        return std::nullopt;
    line = line.mid(1);
    const qsizetype close = line.indexOf(QLatin1Char(']'));
    if (close >= 0)
        line = line.left(close);
    return line.trimmed();
}

std::optional<QStringView> iniKeyName(QStringView line)
{
    const QStringView trimmed = line.trimmed();
    if (trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return std::nullopt;
    const QStringView key = line.left(equals).trimmed();
    if (key.isEmpty())
        return std::nullopt;
    return key;
}

IniFileText IniFileText::fromBytes(const QByteArray& bytes)
{
    IniFileText text;
    text.m_lines = splitLines(bytes);
    return text;
}

QByteArray IniFileText::toBytes() const
{
    return joinLines(m_lines);
}

std::optional<IniFileText::SectionSpan> IniFileText::findSection(QStringView section) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const auto name = iniSectionName(m_lines[i]);
        if (!name || !sameName(*name, section))
            continue;
        SectionSpan span;
        span.header = i;
        span.end = i + 1;
        while (span.end < m_lines.size() && !iniSectionName(m_lines[span.end]))
            ++span.end;
        return span;
    }
    return std::nullopt;
}

std::optional<qsizetype> IniFileText::findKey(const SectionSpan& span, QStringView key) const
{
    for (qsizetype i = span.header + 1; i < span.end; ++i) {
        const auto name = iniKeyName(m_lines[i]);
        if (name && sameName(*name, key))
            return i;
    }
    return std::nullopt;
}

std::optional<QString> IniFileText::value(QStringView section, QStringView key) const
{
    const auto span = findSection(section);
    if (!span)
        return std::nullopt;
    const auto line = findKey(*span, key);
    if (!line)
        return std::nullopt;
    const QString& text = m_lines[*line];
    return text.mid(text.indexOf(QLatin1Char('=')) + 1);
}

bool IniFileText::hasSection(QStringView section) const
{
    return findSection(section).has_value();
}

void IniFileText::setValue(QStringView section, QStringView key, const QString& value)
{
    const auto span = findSection(section);
    if (!span) {
        m_lines.append(QLatin1Char('[') + section.toString() + QLatin1Char(']'));
        m_lines.append(key.toString() + QLatin1Char('=') + value);
        return;
    }
    if (const auto line = findKey(*span, key)) {
        QString& text = m_lines[*line];
        text = text.left(text.indexOf(QLatin1Char('=')) + 1) + value;
        return;
    }
    // After the section's last non-blank line, so the blank line that parts it from the next
    // section stays where it is.
    qsizetype insertAt = span->end;
    while (insertAt > span->header + 1 && m_lines[insertAt - 1].trimmed().isEmpty())
        --insertAt;
    m_lines.insert(insertAt, key.toString() + QLatin1Char('=') + value);
}

} // namespace tolvane
