#pragma once
// ScrollingTachometer: the step window's tachometer strip Tachp, full width and 100 pixels high.
// A 2000-rpm window of the engine speed, centred on a whole thousand, with a yellow pointer, a
// zig-zag through the pointer's last positions and the speed written below it; the scale moves
// to the next thousand when the speed leaves the window.
//
// Each sample erases its previous pointer, trail and text in
// black and draws the new ones, so nothing else is redrawn.
// Everything here is drawn without anti-aliasing, which is what makes the black copy of a shape
// remove it exactly.
#include <QFont>
#include <QString>

#include "core/acquisition/gauge_scales.h"
#include "core/common/text_locale.h"
#include "ui/acquisition/gauge_widget.h"

namespace tolvane {

class ScrollingTachometer : public GaugeWidget {
    Q_OBJECT
public:
    static constexpr int StripHeight = 100;

    explicit ScrollingTachometer(const TextLocale& locale, QWidget* parent = nullptr);

    using QWidget::show;
    // One accepted sample's engine rpm (the window has checked the roller speed and the tach
    // ratio).
    void show(double engineRpm);

    int base() const { return m_scale.base(); }
    const TachometerScale::Trail& trail() const { return m_scale.trail(); }
    // The pointer's x and the speed text of the last sample.
    int pointerX() const { return m_pointerX; }
    const QString& valueText() const { return m_valueText; }

    QSize sizeHint() const override { return {640, StripHeight}; }

protected:
    void imageReplaced() override;

private:
    void drawLabels();
    void drawScale();
    // The pointer, the trail's zig-zag and the speed text, in `colour`.
    void drawPointer(int x, const TachometerScale::Trail& trail, const QString& text, QRgb colour);

    QChar m_decimalSeparator;
    QFont m_labelFont;
    QFont m_valueFont;
    TachometerScale m_scale;
    bool m_pointerShown = false; // something of the last sample is on the strip to be erased
    int m_pointerX = 0;
    QString m_valueText;
};

} // namespace tolvane
