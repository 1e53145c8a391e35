#pragma once
// GaugeWidget: the common ground of the live gauges. A gauge draws each sample into an image it
// keeps, touching only what the sample changes; painting copies the image and nothing more, so a
// repaint costs the same however much has been drawn.
#include <QImage>
#include <QWidget>

#include "ui/acquisition/gauge_palette.h"

namespace tolvane {

class GaugeWidget : public QWidget {
    Q_OBJECT
public:
    explicit GaugeWidget(QWidget* parent = nullptr);

    const QImage& image() const { return m_image; }

protected:
    // Makes the image the widget's size, calling imageReplaced() when it had to be made anew.
    // A widget resized while hidden gets its resize event only when shown, so the gauges call
    // this before drawing a sample as well.
    void ensureImage();
    // The new image is black; the gauge forgets what it had drawn on the old one.
    virtual void imageReplaced() {}

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    GaugePalette m_palette;
    QImage m_image;
};

} // namespace tolvane
