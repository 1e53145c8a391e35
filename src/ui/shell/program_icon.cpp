#include "ui/shell/program_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QtMath>

namespace tolvane {

namespace {

QPixmap dial(int size)
{
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal edge = size / 16.0;
    const QRectF face(edge, edge, size - 2 * edge, size - 2 * edge);
    painter.setPen(QPen(QColor(192, 192, 192), edge));
    painter.setBrush(Qt::black);
    painter.drawEllipse(face);
    // The needle stands at two o'clock: a run near its peak.
    const QPointF centre = face.center();
    const qreal length = face.width() * 0.42;
    const qreal angle = qDegreesToRadians(-30.0);
    painter.setPen(QPen(QColor(0, 255, 0), edge * 1.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre + QPointF(std::cos(angle) * length, std::sin(angle) * length));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 255, 255));
    painter.drawEllipse(centre, edge * 1.5, edge * 1.5);
    return picture;
}

} // namespace

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 64})
        icon.addPixmap(dial(size));
    return icon;
}

} // namespace tolvane
