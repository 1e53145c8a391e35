#pragma once
// StepGauges: the step window's two live strips, the scrolling tachometer `Tachp` (100 pixels
// high) and the load gauge `LoadGauge` (16 pixels high), both the window's width and black. The
// window's display hooks reach the strips only through this class.
#include <QObject>

#include "core/common/text_locale.h"

class QWidget;

namespace tolvane {

class LoadGauge;
class ScrollingTachometer;

class StepGauges : public QObject {
    Q_OBJECT
public:
    StepGauges(const TextLocale& locale, QWidget* parent);

    ScrollingTachometer* Tachp() const { return m_tachometer; }
    tolvane::LoadGauge* LoadGauge() const { return m_loadGauge; }

    // The marks of the load gauge: the setup's "Max fps/s:" and "Max Lbs/s:".
    void setLimits(int maxFps, int maxLbs);
    // A sample with the roller turning and a tach ratio set: the tachometer's pointer at E.
    void showEngineSpeed(double engineRpm);
    // The load gauge's next row, from the previous sample's angular acceleration and force rate.
    void showLoadGauge(float angularAcceleration, float forceRate);

private:
    ScrollingTachometer* m_tachometer = nullptr;
    tolvane::LoadGauge* m_loadGauge = nullptr;
};

} // namespace tolvane
