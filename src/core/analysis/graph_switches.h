#pragma once
// The Graph menu's switches as they act on the settings and the chart, without the menus: the x
// quantity (engine or road speed), corrected or uncorrected values, grid lines, and the axis
// titles the graph window writes (WriteAxis). Every switch is followed by the caller's Refresh;
// the menus show the checks from GraphSettings, so a switch and its twin never disagree.
#include "core/analysis/axis_titles.h"

namespace tolvane {

class GraphSettings;
class SeriesModel;

// Main window "RPM": x axis = engine speed; the x title is the engine-speed label.
void chooseEngineSpeedAxis(GraphSettings& settings, SeriesModel& chart, const QString& engineSpeedUnit);
// Main window "MPH": x axis = road speed; the torque curves are switched off (a torque curve
// against road speed would mislead) and stay off when "RPM" is chosen again.
void chooseRoadSpeedAxis(GraphSettings& settings, SeriesModel& chart, const QString& roadSpeedUnit);
// The graph window's "RPM" and "MPH" items act as one toggle: from engine speed either goes to
// road speed, from road speed either goes back. The "MPH" item then writes the axis titles.
void toggleXQuantity(GraphSettings& settings, SeriesModel& chart, const UnitSettings& units);

// "Corrected" / "Uncorrected": the y title says which; corrected values show aqua on the black
// margin, uncorrected ones black on silver.
void chooseCorrected(GraphSettings& settings, SeriesModel& chart, bool corrected);
// "Grid Lines": a dashed grid on both axes or none.
void toggleGridLines(GraphSettings& settings, SeriesModel& chart);

// WriteAxis: both titles from the x quantity and the curve switches.
void writeAxis(SeriesModel& chart, const GraphSettings& settings, const UnitSettings& units);

} // namespace tolvane
