#pragma once
// Helpers of the recalculation-tool and data-graph tests: the fixture files of tests/fixtures/tools,
// a whole-text comparison, and the models a tool works on.
#include <QStringList>

#include <algorithm>

#include <gtest/gtest.h>

#include "core/analysis/graph_settings.h"
#include "core/analysis/recalc_run.h"
#include "core/analysis/series_model.h"
#include "core/analysis/viewer_state.h"
#include "core/analysis/viewer_text.h"
#include "core/common/scripted_prompter.h"
#include "core/common/text_file.h"
#include "core/setup/unit_settings.h"
#include "support/fixtures.h"

namespace tolvane::test {

inline QString toolFixturePath(const QString& name)
{
    return fixturePath(QStringLiteral("tools/") + name);
}

inline QStringList toolFixture(const QString& name)
{
    const TextReadResult read = readTextLines(toolFixturePath(name));
    EXPECT_TRUE(read.ok()) << name.toStdString();
    return read.lines;
}

// Line by line to the end of both texts, so a missing or extra line is a failure too.
inline void expectSameLines(const QStringList& actual, const QStringList& expected)
{
    const qsizetype common = std::min(actual.size(), expected.size());
    for (qsizetype i = 0; i < common; ++i)
        EXPECT_EQ(actual[i].toStdString(), expected[i].toStdString()) << "line " << i + 1;
    EXPECT_EQ(actual.size(), expected.size()) << "line counts differ";
}

// The viewer, chart and settings a tool reads and changes, with the run's text loaded.
struct ToolBench {
    explicit ToolBench(const QStringList& lines) { text.setLines(lines, false); }

    RecalcContext context() { return RecalcContext{text, viewer, chart, graph, prompter, units, locale}; }
    std::vector<SeriesPoint> points(int key) const
    {
        const Series* series = chart.series(key);
        return series ? series->points : std::vector<SeriesPoint>{};
    }

    ViewerText text;
    ViewerState viewer;
    SeriesModel chart;
    GraphSettings graph;
    ScriptedPrompter prompter;
    UnitSettings units;
    TextLocale locale = TextLocale::standard();
};

} // namespace tolvane::test
