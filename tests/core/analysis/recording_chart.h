#pragma once
// A Chart that draws nothing and remembers every draw it was asked for.
#include <vector>

#include "core/analysis/chart.h"

namespace tolvane::test {

class RecordingChart final : public Chart {
public:
    void draw(const SeriesModel&, const ChartChanges& changes) override { draws.push_back(changes); }
    std::vector<ChartChanges> draws;
};

} // namespace tolvane::test
