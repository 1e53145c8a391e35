#pragma once
// The graph screen's sizes that the layout keeps besides the window rectangles: the selection
// grid's colour and date columns, the browser's file-list width and the notes font size. The
// layout restore fills them from the configuration, the browser and the run viewer show them and
// change them when the operator does, and the layout save writes them back.
#include <QObject>

#include "core/library/graph_screen_layout.h"

namespace tolvane {

class LayoutSettings : public QObject {
    Q_OBJECT
public:
    // The browser's and the viewer's sizes before any layout is read.
    static constexpr BrowserWidths StartWidths{19, 70, 130};
    static constexpr int StartNotesFont = 10;

    explicit LayoutSettings(QObject* parent = nullptr) : QObject(parent) {}

    const BrowserWidths& browserWidths() const { return m_widths; }
    void setBrowserWidths(const BrowserWidths& widths);
    void setColorWidth(int width);
    void setDateWidth(int width);

    int notesFontSize() const { return m_notesFontSize; }
    void setNotesFontSize(int size);

signals:
    void changed();

private:
    BrowserWidths m_widths = StartWidths;
    int m_notesFontSize = StartNotesFont;
};

} // namespace tolvane
