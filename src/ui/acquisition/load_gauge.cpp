#include "ui/acquisition/load_gauge.h"

#include <algorithm>

#include "core/acquisition/gauge_scales.h"

namespace tolvane {

LoadGauge::LoadGauge(QWidget* parent) : GaugeWidget(parent)
{
    setObjectName(QStringLiteral("LoadGauge"));
    setFixedHeight(StripHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void LoadGauge::setLimits(int maxFps, int maxLbs)
{
    // The setup's spin edits hold 1..200; anything else still makes marks within an int.
    m_maxFps = std::clamp(maxFps, -100000, 100000);
    m_maxLbs = std::clamp(maxLbs, -100000, 100000);
}

void LoadGauge::show(float angularAcceleration, float forceRate)
{
    ensureImage();
    if (m_image.isNull())
        return;
    const int width = m_image.width();
    const int m = width / 2;
    const int a = LoadGaugeMarkScale * m_maxFps;
    const int b = LoadGaugeMarkScale * m_maxLbs;
    // The strip's own height sets the cycle: a 16-pixel strip goes through rows 0 to 16, and
    // row 16, below the strip, leaves the rows as they are for one sample.
    m_row = loadGaugeNextRow(m_row, StripHeight);
    const int y = m_row;

    horizontalLine(y, 0, width - 1, m_palette.black);

    const int force = loadGaugeHalfWidth(forceRate, width);
    horizontalLine(y, m - force, m + force, m_palette.yellow);
    verticalLine(m - a, 4, 16, m_palette.yellow);
    verticalLine(m + a, 4, 16, m_palette.yellow);

    const int acceleration = loadGaugeHalfWidth(angularAcceleration, width);
    horizontalLine(y, m - acceleration, m + acceleration, m_palette.green);
    verticalLine(m - b, 4, 16, m_palette.green);
    verticalLine(m + b, 4, 16, m_palette.green);

    verticalLine(m, 0, 16, m_palette.aqua);
    update();
}

void LoadGauge::horizontalLine(int y, int x0, int x1, QRgb colour)
{
    if (y < 0 || y >= m_image.height())
        return;
    const int from = std::max(std::min(x0, x1), 0);
    const int to = std::min(std::max(x0, x1), m_image.width() - 1);
    if (from > to)
        return;
    auto* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
    std::fill(line + from, line + to + 1, colour);
}

void LoadGauge::verticalLine(int x, int y0, int y1, QRgb colour)
{
    if (x < 0 || x >= m_image.width())
        return;
    const int from = std::max(std::min(y0, y1), 0);
    const int to = std::min(std::max(y0, y1), m_image.height() - 1);
    for (int y = from; y <= to; ++y)
        reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] = colour;
}

} // namespace tolvane
