#pragma once
// RoundDials: the sweep window's image RndTach, two round dials side by side: engine speed on the
// left (a 270° arc from 1000 rpm at the lower left to 1000 + "Redline:", labelled in thousands,
// the redline red and the start speed green) and power on the right (-50 to 200, 0 pointing left
// in green). Each sample erases both yellow needles in black and draws the new ones.
//
// The dials are drawn whole on every resize and change of scale; a sample touches only its
// needles, which stay inside the marks and are drawn without anti-aliasing, so their black copies
// remove them exactly.
#include <QFont>
#include <QPointF>

#include <vector>

#include "core/acquisition/gauge_scales.h"
#include "ui/acquisition/gauge_widget.h"

namespace tolvane {

class RoundDials : public GaugeWidget {
    Q_OBJECT
public:
    explicit RoundDials(QWidget* parent = nullptr);

    // The test setup's "Redline:" and "Min Rpm:"; the dials are drawn again.
    void setScale(int redline, int minRpm);

    using QWidget::show;
    // One accepted sample: its engine rpm and the power the needle shows (the window passes the
    // previous sample's, as the dials are updated before this sample's power is known).
    void show(double engineRpm, double power);

    double rpmAngle() const { return m_rpmAngle; }
    double powerAngle() const { return m_powerAngle; }

    // Where a dial stands in the image, for the window's layout and for the tests.
    struct Geometry {
        QPointF centre;
        double markRadius = 0.0;  // outer end of the marks; the engine dial's arc
        double majorLength = 0.0; // labelled marks reach this far in
        double minorLength = 0.0;
        double labelRadius = 0.0; // centres of the labels
        double needleLength = 0.0;
    };
    Geometry rpmDialGeometry() const { return geometry(0); }
    Geometry powerDialGeometry() const { return geometry(1); }

    QSize sizeHint() const override { return {600, 300}; }

protected:
    void imageReplaced() override { drawFaces(); }

private:
    Geometry geometry(int dial) const;
    // Both dials whole: scales, labels and the needles where they stand.
    void drawFaces();
    void drawDial(const Geometry& dial, const std::vector<DialMark>& marks, bool arc);
    void drawNeedle(const Geometry& dial, double angle, QRgb colour);
    QRgb toneColour(DialTone tone, bool label) const;

    QFont m_labelFont;
    int m_redline = 12000;
    int m_minRpm = 3000;
    double m_engineRpm = 0.0; // a new scale moves the needle
    double m_rpmAngle = rpmNeedleAngle(0.0, 12000);
    double m_powerAngle = powerNeedleAngle(0.0);
};

} // namespace tolvane
