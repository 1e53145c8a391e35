#pragma once
// "Change Tach. Ratio...": recomputes a run for another engine tach ratio, first as a preview on
// the graph, then in the viewer's text on "Apply".
//
// Road speed fixes the roller: 26.3852 roller rpm per unit of road speed (the reciprocal of the
// standard speed factor 0.0379). With the ratio x a row's engine speed becomes
//     rpm = x * road speed * 26.3852
// its power stays, and its torque follows from both: T = power * 5252 / rpm * RunCorrection.
#include "core/analysis/recalc_run.h"

namespace tolvane {

inline constexpr double RollerRpmPerRoadSpeed = 26.3852;

// The dialog opens at ratio 1.0 ("1.0000") and previews it.
inline constexpr double StartTachRatio = 1.0;

// ShowNewRatio: series 100 (power, corrected like the run's preview) and 101 (torque) as white
// dotted lines; x is the road speed in MPH mode, else the new engine rpm. Rows at standstill are
// left out. Draws nothing (false) for a ratio not above 0 or a run of fewer than two rows.
bool ShowNewRatio(RecalcContext& context, double ratio);

// SaveNewRatio: the "Eng. Tachometer Ratio - " line takes x ("0.0000"); every data line with road
// speed takes the new rpm ("0") in its first field and the new torque ("0.00") in its fourth, the
// other fields unchanged; a sweep file's two "Max" lines take the highest power and torque. The
// text is left modified, not saved. A ratio not above 0 is refused with a message. True when the
// text changed.
bool SaveNewRatio(RecalcContext& context, double ratio);

} // namespace tolvane
