#include "ui/acquisition/step_gauges.h"

#include <QWidget>

namespace tolvane {

namespace {

QWidget* blackStrip(QWidget* parent, const char* name, int height)
{
    auto* strip = new QWidget(parent);
    strip->setObjectName(QLatin1String(name));
    strip->setFixedHeight(height);
    strip->setAutoFillBackground(true);
    QPalette palette = strip->palette();
    palette.setColor(QPalette::Window, Qt::black);
    strip->setPalette(palette);
    return strip;
}

} // namespace

StepGauges::StepGauges(QWidget* parent) : QObject(parent)
{
    m_tachometer = blackStrip(parent, "Tachp", TachometerHeight);
    m_loadGauge = blackStrip(parent, "LoadGauge", LoadGaugeHeight);
}

// The strips stay plain black until their drawing widgets take their place.
void StepGauges::setLimits(int maxFps, int maxLbs)
{
    Q_UNUSED(maxFps);
    Q_UNUSED(maxLbs);
}

void StepGauges::showEngineSpeed(double engineRpm)
{
    Q_UNUSED(engineRpm);
}

void StepGauges::showLoadGauge(float angularAcceleration, float forceRate)
{
    Q_UNUSED(angularAcceleration);
    Q_UNUSED(forceRate);
}

} // namespace tolvane
