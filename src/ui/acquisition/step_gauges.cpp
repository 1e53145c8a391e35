#include "ui/acquisition/step_gauges.h"

#include "ui/acquisition/load_gauge.h"
#include "ui/acquisition/scrolling_tachometer.h"

namespace tolvane {

StepGauges::StepGauges(const TextLocale& locale, QWidget* parent)
    : QObject(parent), m_tachometer(new ScrollingTachometer(locale, parent)),
      m_loadGauge(new tolvane::LoadGauge(parent))
{
}

void StepGauges::setLimits(int maxFps, int maxLbs)
{
    m_loadGauge->setLimits(maxFps, maxLbs);
}

void StepGauges::showEngineSpeed(double engineRpm)
{
    m_tachometer->show(engineRpm);
}

void StepGauges::showLoadGauge(float angularAcceleration, float forceRate)
{
    m_loadGauge->show(angularAcceleration, forceRate);
}

} // namespace tolvane
