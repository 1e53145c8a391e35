#pragma once
// The two ways a run's table is thinned before plotting. Both bin the rows by engine speed
// (column 0, halves rounded to even) and leave the table ordered by increasing bin.
#include "core/analysis/run_table.h"

namespace tolvane {

// "Average test phases": rows whose engine speeds round to the same 10 rpm are merged; each new
// row is averaged with what the bin holds so far in columns 0 to 3 (a running pairwise mean, so
// the latest row weighs as much as all earlier ones together); the other columns keep the
// bin's first row.
void averageTestPhases(RunTable& table);

// "Show highest (normal)": of the rows in each 2.5 rpm bin only the one with the most torque
// (column 3) stays; on equal torque the earlier row stays, and a row without torque never
// displaces one.
void keepHighestTorque(RunTable& table);

} // namespace tolvane
