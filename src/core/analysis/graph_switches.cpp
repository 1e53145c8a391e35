#include "core/analysis/graph_switches.h"

#include "core/analysis/graph_settings.h"
#include "core/analysis/series_model.h"
#include "core/setup/unit_settings.h"

namespace tolvane {

void chooseEngineSpeedAxis(GraphSettings& settings, SeriesModel& chart, const QString& engineSpeedUnit)
{
    settings.setXAxisColumn(GraphSettings::EngineSpeedAxis);
    chart.setXAxisTitle(engineSpeedSwitchTitle(engineSpeedUnit));
}

void chooseRoadSpeedAxis(GraphSettings& settings, SeriesModel& chart, const QString& roadSpeedUnit)
{
    settings.setShowTorque(false);
    settings.setXAxisColumn(GraphSettings::RoadSpeedAxis);
    chart.setXAxisTitle(roadSpeedSwitchTitle(roadSpeedUnit));
}

void toggleXQuantity(GraphSettings& settings, SeriesModel& chart, const UnitSettings& units)
{
    if (settings.xAxisColumn() == GraphSettings::EngineSpeedAxis)
        chooseRoadSpeedAxis(settings, chart, units.roadSpeedUnit());
    else
        chooseEngineSpeedAxis(settings, chart, units.engineSpeedUnit());
}

void chooseCorrected(GraphSettings& settings, SeriesModel& chart, bool corrected)
{
    settings.setCorrected(corrected);
    chart.setYAxisTitle(correctionSwitchTitle(corrected));
    ChartAppearance appearance = chart.appearance();
    appearance.marginColor = corrected ? QStringLiteral("clBlack") : QStringLiteral("clSilver");
    appearance.textColor = corrected ? QStringLiteral("clAqua") : QStringLiteral("clBlack");
    chart.setAppearance(appearance);
}

void toggleGridLines(GraphSettings& settings, SeriesModel& chart)
{
    settings.setGridLines(!settings.gridLines());
    ChartAppearance appearance = chart.appearance();
    appearance.gridLines = settings.gridLines();
    chart.setAppearance(appearance);
}

void writeAxis(SeriesModel& chart, const GraphSettings& settings, const UnitSettings& units)
{
    const AxisTitles titles =
        writeAxisTitles(settings.xAxisColumn() == GraphSettings::RoadSpeedAxis, settings.showPower(),
                        settings.showTorque(), settings.showCo(), units);
    chart.setXAxisTitle(titles.x);
    chart.setYAxisTitle(titles.y);
}

} // namespace tolvane
