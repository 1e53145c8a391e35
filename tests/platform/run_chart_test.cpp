// The full plot of saved runs drawn on the QCustomPlot chart: each selected run in its palette
// colour with the marker of its row, power solid, torque dashed, CO% / Acc dotted, one replot.
#include <gtest/gtest.h>

#include <QFileInfo>

#include <qcustomplot.h>

#include "core/analysis/graph_settings.h"
#include "core/analysis/run_plotter.h"
#include "core/analysis/series_model.h"
#include "core/analysis/viewer_state.h"
#include "core/common/scripted_prompter.h"
#include "core/library/selection.h"
#include "platform/chart/qcp_chart.h"
#include "support/fixtures.h"

namespace tolvane {
namespace {

TEST(RunChart, SelectedRunsDrawInTheirColoursAndRowMarkers)
{
    Selection selection;
    for (const char* name : {"render/sweep_a.SWP", "render/sweep_b.SWP", "render/sweep_c.SWP"}) {
        const QString path = test::fixturePath(QString::fromLatin1(name));
        selection.addRun(path, QFileInfo(path).absolutePath(), QString(), Selection::MarkerSpelling::Capital);
    }
    GraphSettings settings;
    settings.setPrintPoints(true);
    ViewerState viewer;
    viewer.setRescalePending(true);
    QcpChart chart;
    SeriesModel model(&chart);
    int replots = 0;
    QObject::connect(chart.plot(), &QCustomPlot::afterReplot, [&replots] { ++replots; });
    ScriptedPrompter prompter;
    RunPlotter plotter(model, selection, settings, viewer, prompter, QLatin1Char('.'));

    ASSERT_EQ(plotter.PlotAll().outcome, PlotAllResult::Outcome::Plotted);
    EXPECT_TRUE(prompter.asked().empty());
    EXPECT_EQ(replots, 1);

    const struct {
        int run;
        QColor color;
        QCPScatterStyle::ScatterShape marker;
    } runs[] = {
        {1, QColor(0xFF, 0x00, 0x00), QCPScatterStyle::ssCircle},  // clRed, row 1
        {2, QColor(0x00, 0xFF, 0xFF), QCPScatterStyle::ssDiamond}, // clAqua, row 2
        {3, QColor(0x00, 0xFF, 0x00), QCPScatterStyle::ssCross},   // clLime, row 3
    };
    for (const auto& r : runs) {
        const struct {
            int key;
            Qt::PenStyle pen;
        } curves[] = {{r.run, Qt::SolidLine}, {r.run + 20, Qt::DashLine}, {r.run + 40, Qt::DotLine}};
        for (const auto& c : curves) {
            const QCPGraph* g = chart.graph(c.key);
            ASSERT_NE(g, nullptr) << c.key;
            EXPECT_EQ(g->data()->size(), 120) << c.key;
            EXPECT_EQ(g->pen().color(), r.color) << c.key;
            EXPECT_EQ(g->pen().style(), c.pen) << c.key;
            EXPECT_EQ(g->scatterStyle().shape(), r.marker) << c.key;
            EXPECT_EQ(g->scatterStyle().size(), 8) << c.key;
        }
    }
    // Fitted to the runs with 8 units to spare on every side.
    const QCPRange x = chart.plot()->xAxis->range();
    EXPECT_DOUBLE_EQ(x.lower, viewer.plotExtents().xMinimum - 8);
    EXPECT_DOUBLE_EQ(x.upper, viewer.plotExtents().xMaximum + 8);
}

} // namespace
} // namespace tolvane
