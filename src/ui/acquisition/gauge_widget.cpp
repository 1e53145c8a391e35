#include "ui/acquisition/gauge_widget.h"

#include <QPainter>

namespace tolvane {

GaugeWidget::GaugeWidget(QWidget* parent) : QWidget(parent)
{
    // Every pixel comes from the image.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GaugeWidget::ensureImage()
{
    if (m_image.size() == size())
        return;
    m_image = size().isEmpty() ? QImage() : QImage(size(), QImage::Format_RGB32);
    m_image.fill(m_palette.black);
    imageReplaced();
}

void GaugeWidget::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    ensureImage();
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}

void GaugeWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ensureImage();
}

} // namespace tolvane
