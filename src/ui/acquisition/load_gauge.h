#pragma once
// LoadGauge: the step window's load gauge, a black strip the width of the window and 16 pixels
// high. Each sample overwrites one row (the rows come round in turn) with a yellow line as wide as
// the force rate and a green one as wide as the angular acceleration, both centred, against
// vertical limit marks and an aqua centre line; so the strip reads as a slowly moving trace whose
// width shows how unsteady load and speed are.
//
// Each sample writes its pixels straight into the kept image.
#include "ui/acquisition/gauge_widget.h"

namespace tolvane {

class LoadGauge : public GaugeWidget {
    Q_OBJECT
public:
    static constexpr int StripHeight = 16;

    explicit LoadGauge(QWidget* parent = nullptr);

    // The test setup's "Max fps/s:" and "Max Lbs/s:": the yellow marks stand 8 x maxFps and the
    // green ones 8 x maxLbs either side of the centre.
    void setLimits(int maxFps, int maxLbs);

    using QWidget::show;
    // One sample: the previous sample's angular acceleration and force rate.
    void show(float angularAcceleration, float forceRate);

    // The row the last sample drew (0 before the first).
    int row() const { return m_row; }

    QSize sizeHint() const override { return {640, StripHeight}; }

private:
    // Both ends included; whatever lies outside the strip is left out.
    void horizontalLine(int y, int x0, int x1, QRgb colour);
    void verticalLine(int x, int y0, int y1, QRgb colour);

    int m_row = 0;
    int m_maxFps = 17;
    int m_maxLbs = 17;
};

} // namespace tolvane
