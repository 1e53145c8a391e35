#include "ui/acquisition/round_dials.h"

#include <QPainter>
#include <QPen>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace tolvane {

namespace {

QPointF onCircle(const QPointF& centre, double radius, double angle)
{
    return centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
}

} // namespace

RoundDials::RoundDials(QWidget* parent) : GaugeWidget(parent)
{
    setObjectName(QStringLiteral("RndTach"));
    setMinimumSize(120, 60);
}

void RoundDials::setScale(int redline, int minRpm)
{
    m_redline = redline;
    m_minRpm = minRpm;
    m_rpmAngle = rpmNeedleAngle(m_engineRpm, m_redline);
    if (m_image.size() == size())
        drawFaces();
    else
        ensureImage(); // which draws them on the new image
    update();
}

void RoundDials::show(double engineRpm, double power)
{
    ensureImage();
    drawNeedle(geometry(0), m_rpmAngle, m_palette.black);
    drawNeedle(geometry(1), m_powerAngle, m_palette.black);
    m_engineRpm = engineRpm;
    m_rpmAngle = rpmNeedleAngle(engineRpm, m_redline);
    m_powerAngle = powerNeedleAngle(power);
    drawNeedle(geometry(0), m_rpmAngle, m_palette.yellow);
    drawNeedle(geometry(1), m_powerAngle, m_palette.yellow);
    update();
}

RoundDials::Geometry RoundDials::geometry(int dial) const
{
    // Each dial has half the width; its size is that of the square that fits there.
    const double half = width() / 2.0;
    const double side = std::min(half, double(height()));
    Geometry g;
    g.centre = QPointF(half * dial + half / 2.0, height() / 2.0);
    g.markRadius = side * 0.36;
    g.majorLength = side * 0.07;
    g.minorLength = side * 0.035;
    g.labelRadius = side * 0.43;
    // The needle ends short of the marks, so its black copy never cuts into them.
    g.needleLength = g.markRadius - g.majorLength - std::max(3.0, side * 0.02);
    return g;
}

void RoundDials::drawFaces()
{
    if (m_image.isNull())
        return;
    m_image.fill(m_palette.black);
    m_labelFont = QFont();
    m_labelFont.setBold(true);
    m_labelFont.setPixelSize(std::max(8, int(std::min(width() / 2.0, double(height())) * 0.075)));
    drawDial(geometry(0), rpmDialMarks(m_redline, m_minRpm), true);
    drawDial(geometry(1), powerDialMarks(), false);
    drawNeedle(geometry(0), m_rpmAngle, m_palette.yellow);
    drawNeedle(geometry(1), m_powerAngle, m_palette.yellow);
}

QRgb RoundDials::toneColour(DialTone tone, bool label) const
{
    switch (tone) {
    case DialTone::Red:
        return m_palette.red;
    case DialTone::Green:
        return m_palette.green;
    case DialTone::Plain:
        break;
    }
    return label ? m_palette.aqua : m_palette.silver;
}

void RoundDials::drawDial(const Geometry& dial, const std::vector<DialMark>& marks, bool arc)
{
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // Marks in whole pixels and solid colours; the arc and the labels smooth.
    const int lineWidth = std::max(1, qRound(dial.markRadius / 60.0));
    if (arc) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(QColor(m_palette.silver), lineWidth));
        const double r = dial.markRadius;
        const QRectF box(dial.centre.x() - r, dial.centre.y() - r, 2 * r, 2 * r);
        // Qt counts degrees anticlockwise with y up; these angles run clockwise on the screen.
        painter.drawArc(box, qRound(-qRadiansToDegrees(DialStartAngle) * 16),
                        qRound(-qRadiansToDegrees(DialSweepAngle) * 16));
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
    painter.setFont(m_labelFont);
    const QFontMetricsF metrics(m_labelFont);
    for (const DialMark& mark : marks) {
        const double length = mark.major ? dial.majorLength : dial.minorLength;
        painter.setPen(
            QPen(QColor(toneColour(mark.tone, false)), mark.major ? 2 * lineWidth + 1 : lineWidth + 1));
        painter.drawLine(onCircle(dial.centre, dial.markRadius - length, mark.angle),
                         onCircle(dial.centre, dial.markRadius, mark.angle));
        if (mark.label.isEmpty())
            continue;
        const QPointF at = onCircle(dial.centre, dial.labelRadius, mark.angle);
        const QSizeF box(metrics.horizontalAdvance(mark.label) + 4, metrics.height());
        painter.setPen(QColor(toneColour(mark.tone, true)));
        painter.drawText(QRectF(at - QPointF(box.width() / 2, box.height() / 2), box), Qt::AlignCenter,
                         mark.label);
    }
}

void RoundDials::drawNeedle(const Geometry& dial, double angle, QRgb colour)
{
    if (m_image.isNull())
        return;
    QPainter painter(&m_image);
    const QColor c(colour);
    const int thickness = std::max(2, qRound(dial.markRadius / 30.0));
    painter.setPen(QPen(c, thickness, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(c);
    const QPoint centre = dial.centre.toPoint();
    painter.drawLine(centre, onCircle(dial.centre, dial.needleLength, angle).toPoint());
    const int hub = thickness + 2;
    painter.drawEllipse(centre, hub, hub);
}

} // namespace tolvane
