#include "core/acquisition/record_memo.h"

namespace tolvane {

void RecordMemo::append(const QString& line)
{
    m_lines.append(line);
    touch();
}

void RecordMemo::appendToLast(const QString& text)
{
    if (m_lines.isEmpty())
        m_lines.append(text);
    else
        m_lines.last() += text;
    touch();
}

void RecordMemo::setLines(const QStringList& lines)
{
    m_lines = lines;
    touch();
}

void RecordMemo::clear()
{
    m_lines.clear();
    m_modified = false;
    emit changed();
}

void RecordMemo::touch()
{
    m_modified = true;
    emit changed();
}

} // namespace tolvane
