#pragma once
// The graph look shared by the run chart and the stacked multi-axis chart: dark background,
// silver axes, aqua text in a 13-pixel Arial (or the font the system substitutes for it).
#include <QColor>
#include <QFont>

class QCPAxis;

namespace tolvane {

struct QcpTheme {
    QColor axisColor{0xC0, 0xC0, 0xC0};  // clSilver
    QColor textColor{0x00, 0xFF, 0xFF};  // clAqua
    QColor background{0x00, 0x00, 0x00}; // clBlack
    QColor gridColor{0x80, 0x80, 0x80};  // clGray, dashed
    QFont font = defaultFont();

    static QFont defaultFont();
};

// Colours, fonts and pens of one axis (its base line, ticks, labels, title and grid).
void applyTheme(QCPAxis* axis, const QcpTheme& theme);

} // namespace tolvane
