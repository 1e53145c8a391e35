#pragma once
// "Spike Filter": arms a filter that the next load of the current run runs on its table before
// plotting (a saved sweep arms it too). A value in road speed, power or torque (columns 1 to 3)
// is a spike when it differs by more than 10 % from both the value after it and the value before
// it (each measured against that neighbour); the spike takes the mean of its two neighbours in
// the table, and its data line is removed from the text, which is then saved to its file.
#include <QString>

#include <vector>

#include "core/analysis/run_table.h"

namespace tolvane {

class Prompter;
class ViewerState;
class ViewerText;

struct SpikeFilterResult {
    std::vector<int> spikeRows; // table rows found to be spikes, ascending
    bool saved = false;         // the text was written to its file
};

// The table part alone: smooths every spike in place (later tests see the smoothed value) and
// returns the spikes' rows, ascending. Rows 1 to (rows - 3) can be spikes, so a table of fewer
// than four rows is left alone.
std::vector<int> smoothSpikes(RunTable& table);

// SpikeFilterClick: disarms the filter, smooths the table and removes the spikes' lines from the
// text. When something changed the text is saved to root + line 2 (the caller then refreshes the
// graph and the browser); a line 2 that leads outside the library, or a failed write, leaves the
// text modified and unsaved and is reported through the prompter.
SpikeFilterResult SpikeFilterClick(RunTable& table, ViewerText& text, ViewerState& viewer, Prompter& prompter,
                                   const QString& rootDirectory);

} // namespace tolvane
