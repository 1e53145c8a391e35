#pragma once
// StepGauges: the step window's two live strips, the scrolling tachometer `Tachp` (100 pixels
// high) and the load gauge `LoadGauge` (16 pixels high), both the window's width and black. The
// window's display hooks reach the strips only through this class, so the strips' drawing can
// change without touching the window.
#include <QObject>

class QWidget;

namespace tolvane {

class StepGauges : public QObject {
    Q_OBJECT
public:
    static constexpr int TachometerHeight = 100;
    static constexpr int LoadGaugeHeight = 16;

    explicit StepGauges(QWidget* parent);

    QWidget* Tachp() const { return m_tachometer; }
    QWidget* LoadGauge() const { return m_loadGauge; }

    // The marks of the load gauge: the setup's "Max fps/s:" and "Max Lbs/s:".
    void setLimits(int maxFps, int maxLbs);
    // A sample with the roller turning and a tach ratio set: the tachometer's pointer at E.
    void showEngineSpeed(double engineRpm);
    // The load gauge's next row, from the previous sample's angular acceleration and force rate.
    void showLoadGauge(float angularAcceleration, float forceRate);

private:
    QWidget* m_tachometer = nullptr;
    QWidget* m_loadGauge = nullptr;
};

} // namespace tolvane
