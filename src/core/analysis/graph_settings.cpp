#include "core/analysis/graph_settings.h"

namespace tolvane {

template <typename T> void GraphSettings::update(T& member, const T& value)
{
    if (member == value)
        return;
    member = value;
    emit changed();
}

void GraphSettings::setXAxisColumn(int column)
{
    update(m_xAxisColumn, column == RoadSpeedAxis ? RoadSpeedAxis : EngineSpeedAxis);
}

void GraphSettings::setShowPower(bool on)
{
    update(m_showPower, on);
}

void GraphSettings::setShowTorque(bool on)
{
    update(m_showTorque, on);
}

void GraphSettings::setShowCo(bool on)
{
    update(m_showCo, on);
}

void GraphSettings::setCorrected(bool on)
{
    update(m_corrected, on);
}

void GraphSettings::setGridLines(bool on)
{
    update(m_gridLines, on);
}

double GraphSettings::toleranceOf(LineDisplayMode mode)
{
    // "0.5" and "0.1" have always merged at 0.1 and 0.001; operators know the curves that way.
    switch (mode) {
    case LineDisplayMode::ShowHighest:
    case LineDisplayMode::Tolerance1:
        return 1.0;
    case LineDisplayMode::Tolerance3:
        return 3.0;
    case LineDisplayMode::Tolerance2:
        return 2.0;
    case LineDisplayMode::Tolerance05:
        return 0.1;
    case LineDisplayMode::NotChosen:
    case LineDisplayMode::ShowAll:
    case LineDisplayMode::Tolerance01:
        break;
    }
    return 0.001;
}

void GraphSettings::setLineDisplayMode(LineDisplayMode mode)
{
    if (m_lineDisplayMode == mode && m_pointTolerance == toleranceOf(mode))
        return;
    m_lineDisplayMode = mode;
    m_pointTolerance = toleranceOf(mode);
    emit changed();
}

void GraphSettings::setAverageTestPhases(bool on)
{
    update(m_averageTestPhases, on);
}

void GraphSettings::setPrintPoints(bool on)
{
    update(m_printPoints, on);
}

void GraphSettings::setPrintMono(bool on)
{
    update(m_printMono, on);
}

void GraphSettings::setBackgroundColor(const QString& colorName)
{
    update(m_backgroundColor, colorName);
}

GraphSettings::PlotBasis GraphSettings::plotBasis() const
{
    return {m_xAxisColumn, m_corrected,         m_showPower,      m_showTorque,
            m_showCo,      m_averageTestPhases, m_lineDisplayMode};
}

RunLoadSettings GraphSettings::loadSettings(QChar decimalSeparator) const
{
    RunLoadSettings settings;
    settings.corrected = m_corrected;
    settings.showHighest = showHighest();
    settings.averageTestPhases = m_averageTestPhases;
    settings.decimalSeparator = decimalSeparator;
    return settings;
}

} // namespace tolvane
