#pragma once
// "Change Inertia...": recomputes a sweep run's torque and power for another flywheel inertia,
// first as a preview on the graph while the value moves, then in the viewer's text on "Apply".
//
// A sweep data line keeps the roller's acceleration (column 4) and the static torque (column 6),
// so with the inertia x the engine torque is
//     T = (x * acceleration + static torque) / RunTachRatio * ForceFactor * RunCorrection
// and the power P = engine rpm * T / 5252. Rows that were recorded without acceleration work
// the same. A step run has no inertia term: its data stays as it is and only its "Inertia:" line
// changes.
#include "core/analysis/recalc_run.h"

namespace tolvane {

// ShowNewInertia: series 100 (power) and 101 (torque) show the run at inertia x as white dotted
// lines against the current x quantity; RunInertia becomes x. Draws nothing (false) for a run of
// fewer than two rows, a negative inertia or, in a sweep run, a tach ratio of 0.
bool ShowNewInertia(RecalcContext& context, double inertia);

// SaveNewInertia: the "Inertia:" line takes x ("0.0000"); with a usable tach ratio every sweep
// data line takes the new power and torque ("0.00") in its third and fourth fields, and the two
// "Max" lines the highest of them. The text is left modified, not saved. A negative inertia is
// refused with a message. True when the text changed.
bool SaveNewInertia(RecalcContext& context, double inertia);

} // namespace tolvane
