#include "core/library/layout_settings.h"

namespace tolvane {

void LayoutSettings::setBrowserWidths(const BrowserWidths& widths)
{
    if (widths.color == m_widths.color && widths.date == m_widths.date && widths.files == m_widths.files)
        return;
    m_widths = widths;
    emit changed();
}

void LayoutSettings::setColorWidth(int width)
{
    setBrowserWidths({width, m_widths.date, m_widths.files});
}

void LayoutSettings::setDateWidth(int width)
{
    setBrowserWidths({m_widths.color, width, m_widths.files});
}

void LayoutSettings::setNotesFontSize(int size)
{
    if (size == m_notesFontSize)
        return;
    m_notesFontSize = size;
    emit changed();
}

} // namespace tolvane
