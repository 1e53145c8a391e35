#pragma once
// The drawing surface behind a SeriesModel. The model holds every point, style, axis range and
// title; a Chart only draws what the model holds. The platform adapter implements it with the
// real plotting widget; tests implement it by recording the calls.
//
// The model calls draw() once for every change while drawing is on, and exactly once when
// drawing resumes after SetPlotting(false) (with everything that changed meanwhile), so a whole
// refresh of many runs costs one redraw.
#include <vector>

namespace tolvane {

class SeriesModel;

struct ChartChanges {
    // Keys of the series whose points or styles changed, ascending, each once. A key may name a
    // series that is now empty: draw it empty.
    std::vector<int> seriesKeys;
    // Axis ranges, titles, crossing, grid or colours changed.
    bool axes = false;

    bool isEmpty() const { return seriesKeys.empty() && !axes; }
};

class Chart {
public:
    virtual ~Chart() = default;

    // Bring the picture up to date with the model. Series not listed in changes are as they were
    // at the last call; an adapter may also redraw everything from the model.
    virtual void draw(const SeriesModel& model, const ChartChanges& changes) = 0;
};

} // namespace tolvane
