#include "ui/acquisition/scrolling_tachometer.h"

#include <QPainter>
#include <QPolygon>

#include <cmath>

#include "core/common/number_text.h"

namespace tolvane {

namespace {

// Heights on the 100-pixel strip: the labels at the top, the scale lines between 28 and 70, the
// pointer and zig-zag inside them and the speed text below.
constexpr int LabelTop = 4;
constexpr int LabelHeight = 22;
constexpr int PointerTop = 34;
constexpr int PointerBottom = 62;
constexpr int PointerHalfWidth = 4;
constexpr int ZigTop = 40;
constexpr int ZigBottom = 56;
constexpr int ValueTop = 72;
constexpr int ValueHeight = 26;
constexpr int TextHalfWidth = 80;
// Trail positions the zig-zag passes through, newest first.
constexpr int ZigPositions[] = {0, 3, 6, 9, 12, 15};

QFont gaugeFont(int pixelSize)
{
    QFont font;
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

} // namespace

ScrollingTachometer::ScrollingTachometer(const TextLocale& locale, QWidget* parent)
    : GaugeWidget(parent), m_decimalSeparator(locale.decimalSeparator), m_labelFont(gaugeFont(16)),
      m_valueFont(gaugeFont(20))
{
    setObjectName(QStringLiteral("Tachp"));
    setFixedHeight(StripHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ScrollingTachometer::show(double engineRpm)
{
    ensureImage();
    if (m_image.isNull())
        return;
    const int width = m_image.width();
    if (m_pointerShown)
        drawPointer(m_pointerX, m_scale.trail(), m_valueText, m_palette.black);

    const TachometerScale::Placement placement = m_scale.place(engineRpm, width);
    if (placement.recentred) {
        m_image.fill(m_palette.black);
        drawLabels();
    }
    m_pointerX = placement.x;
    m_valueText = formatNumber(std::isfinite(engineRpm) ? engineRpm : 0.0, u"0", m_decimalSeparator);
    drawScale();
    drawPointer(m_pointerX, m_scale.trail(), m_valueText, m_palette.yellow);
    m_pointerShown = true;
    update();
}

void ScrollingTachometer::imageReplaced()
{
    // The old scale went with the old image; the next sample draws it again for the new width.
    m_scale.recentreNext();
    m_pointerShown = false;
}

void ScrollingTachometer::drawLabels()
{
    const std::array<QString, 3> labels = tachometerLabels(m_scale.base(), m_decimalSeparator);
    const std::array<int, 3> xs = tachometerLabelXs(m_image.width());
    QPainter painter(&m_image);
    painter.setFont(m_labelFont);
    painter.setPen(QColor(m_palette.aqua));
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const QRect box(xs[i] - TextHalfWidth, LabelTop, 2 * TextHalfWidth, LabelHeight);
        painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop, labels[i]);
    }
}

void ScrollingTachometer::drawScale()
{
    const int width = m_image.width();
    const std::array<int, 3> xs = tachometerLabelXs(width);
    QPainter painter(&m_image);
    painter.setPen(QColor(m_palette.aqua));
    for (int x : xs)
        painter.drawLine(x, 30, x, 66);
    painter.drawLine(1, 28, 1, 70);
    painter.drawLine(width - 4, 28, width - 4, 70);
    // Short marks every twentieth of the width between 0.30 and 0.70.
    for (int i = 30; i <= 70; i += 5) {
        const int x = static_cast<int>(roundHalfEven(width * i / 100.0));
        painter.drawLine(x, 46, x, 52);
    }
}

void ScrollingTachometer::drawPointer(int x, const TachometerScale::Trail& trail, const QString& text,
                                      QRgb colour)
{
    QPainter painter(&m_image);
    const QColor c(colour);
    painter.setPen(c);
    painter.setBrush(c);
    painter.drawRoundedRect(
        QRect(x - PointerHalfWidth, PointerTop, 2 * PointerHalfWidth, PointerBottom - PointerTop), 3, 3);

    QPolygon zigZag;
    bool top = true;
    for (int position : ZigPositions) {
        zigZag << QPoint(trail[static_cast<std::size_t>(position)], top ? ZigTop : ZigBottom);
        top = !top;
    }
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(zigZag);

    painter.setFont(m_valueFont);
    painter.drawText(QRect(x - TextHalfWidth, ValueTop, 2 * TextHalfWidth, ValueHeight),
                     Qt::AlignHCenter | Qt::AlignTop, text);
}

} // namespace tolvane
