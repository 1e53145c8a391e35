#include "platform/chart/qcp_theme.h"

#include <qcustomplot.h>

namespace tolvane {

QFont QcpTheme::defaultFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    // Where Arial is missing, take the system's sans-serif face rather than whatever comes first.
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void applyTheme(QCPAxis* axis, const QcpTheme& theme)
{
    const QPen axisPen(theme.axisColor, 1);
    axis->setBasePen(axisPen);
    axis->setTickPen(axisPen);
    axis->setSubTickPen(axisPen);
    axis->setTickLabelColor(theme.textColor);
    axis->setLabelColor(theme.textColor);
    axis->setTickLabelFont(theme.font);
    axis->setLabelFont(theme.font);
    axis->grid()->setPen(QPen(theme.gridColor, 1, Qt::DashLine));
    axis->grid()->setZeroLinePen(Qt::NoPen); // the zero line is a grid line like the others
    axis->grid()->setSubGridVisible(false);
}

} // namespace tolvane
