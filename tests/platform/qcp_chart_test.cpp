// The QCustomPlot run chart: what the series model holds is what the chart shows, drawn once per
// resume, and the graph window's read-out finds the value under the mouse.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QMouseEvent>

#include <qcustomplot.h>

#include "core/analysis/series_model.h"
#include "platform/chart/qcp_chart.h"
#include "platform/chart/qcp_theme.h"
#include "platform/chart/toolkit_colors.h"

namespace tolvane {
namespace {

TEST(ToolkitColors, NamesAndNumbersConvert)
{
    const struct {
        const char* text;
        QRgb rgb;
    } named[] = {
        {"clBlack", 0x000000},   {"clMaroon", 0x800000},  {"clGreen", 0x008000}, {"clOlive", 0x808000},
        {"clNavy", 0x000080},    {"clPurple", 0x800080},  {"clTeal", 0x008080},  {"clGray", 0x808080},
        {"clSilver", 0xC0C0C0},  {"clRed", 0xFF0000},     {"clLime", 0x00FF00},  {"clYellow", 0xFFFF00},
        {"clBlue", 0x0000FF},    {"clFuchsia", 0xFF00FF}, {"clAqua", 0x00FFFF},  {"clWhite", 0xFFFFFF},
        {"ClBlack", 0x000000}, // the toolkit ignores case
        {"$000000FF", 0xFF0000}, {"$00FF8040", 0x4080FF}, {"255", 0xFF0000},
    };
    for (const auto& c : named) {
        const auto color = colorFromName(QString::fromLatin1(c.text));
        ASSERT_TRUE(color.has_value()) << c.text;
        EXPECT_EQ(color->rgb() & 0xFFFFFF, c.rgb) << c.text;
    }
    for (const char* bad : {"", "red", "clReddish", "$FF00000F", "-1"})
        EXPECT_FALSE(colorFromName(QString::fromLatin1(bad)).has_value()) << bad;

    EXPECT_EQ(colorToName(QColor(255, 0, 0)), "clRed");
    EXPECT_EQ(colorToName(QColor(0xC0, 0xC0, 0xC0)), "clSilver");
    EXPECT_EQ(colorToName(QColor(0x40, 0x80, 0xFF)), "$00FF8040");
}

TEST(QcpTheme, FontIsFound)
{
    // A missing font gives no warning: every label would silently become boxes.
    const QFontInfo info(QcpTheme::defaultFont());
    EXPECT_FALSE(info.family().isEmpty());
    EXPECT_EQ(info.pixelSize(), 13);
}

class QcpChartTest : public ::testing::Test {
protected:
    QcpChartTest() : model(&chart)
    {
        chart.widget()->resize(800, 600);
        QCoreApplication::processEvents(); // the widget's own first replot, queued when it was made
    }

    QcpChart chart;
    SeriesModel model;
};

TEST_F(QcpChartTest, OneReplotPerResume)
{
    int replots = 0;
    QObject::connect(chart.plot(), &QCustomPlot::afterReplot, [&replots] { ++replots; });
    model.SetPlotting(false);
    for (int run = 1; run <= 3; ++run) {
        model.setLineColor(run, QStringLiteral("clRed"));
        model.setLineStyle(run + 20, LineStyle::Dash);
        for (int rpm = 2000; rpm <= 9000; rpm += 25) {
            model.AddPoint(run, rpm, rpm / 100.0);
            model.AddPoint(run + 20, rpm, rpm / 150.0);
        }
    }
    model.setXAxisRange(1992, 9008);
    model.setXAxisTitle(QStringLiteral("RPM"));
    EXPECT_EQ(replots, 0);
    model.SetPlotting(true);
    EXPECT_EQ(replots, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(replots, 1);
    ASSERT_NE(chart.graph(23), nullptr);
    EXPECT_EQ(chart.graph(23)->data()->size(), 281);
}

TEST_F(QcpChartTest, KeyedSeriesAddAndClear)
{
    model.AddPoint(100, 3000, 40); // a preview drawn before any run
    model.AddPoint(1, 3000, 50);
    model.AddPoint(1, 2000, 30);
    model.AddPoint(21, 2000, 60);
    ASSERT_NE(chart.graph(1), nullptr);
    EXPECT_EQ(chart.graph(5), nullptr);
    const QCPGraphDataContainer& run = *chart.graph(1)->data();
    ASSERT_EQ(run.size(), 2);
    EXPECT_EQ(run.at(0)->key, 2000);
    EXPECT_EQ(run.at(1)->value, 50);

    // Previews are drawn over the run curves whatever order the keys were first used in.
    QCPLayer* layer = chart.graph(1)->layer();
    EXPECT_EQ(chart.graph(100)->layer(), layer);
    EXPECT_LT(layer->children().indexOf(chart.graph(1)), layer->children().indexOf(chart.graph(21)));
    EXPECT_LT(layer->children().indexOf(chart.graph(21)), layer->children().indexOf(chart.graph(100)));

    model.ClearSeries(1);
    EXPECT_TRUE(chart.graph(1)->data()->isEmpty());
    EXPECT_EQ(chart.graph(21)->data()->size(), 1);
}

TEST_F(QcpChartTest, LineStylesMapToPens)
{
    const struct {
        LineStyle style;
        bool drawLine;
        QCPGraph::LineStyle graphLine;
        Qt::PenStyle pen;
    } cases[] = {
        {LineStyle::Solid, true, QCPGraph::lsLine, Qt::SolidLine},
        {LineStyle::Dash, true, QCPGraph::lsLine, Qt::DashLine},
        {LineStyle::Dot, true, QCPGraph::lsLine, Qt::DotLine},
        {LineStyle::None, true, QCPGraph::lsNone, Qt::NoPen},
        {LineStyle::Solid, false, QCPGraph::lsNone, Qt::NoPen},
    };
    for (const auto& c : cases) {
        model.setLineColor(7, QStringLiteral("clLime"));
        model.setLineStyle(7, c.style);
        model.setDrawLine(7, c.drawLine);
        model.AddPoint(7, 1, 1);
        const QCPGraph* g = chart.graph(7);
        EXPECT_EQ(g->lineStyle(), c.graphLine) << int(c.style);
        EXPECT_EQ(g->pen().style(), c.pen) << int(c.style);
        EXPECT_EQ(g->pen().color(), QColor(0, 255, 0));
    }
}

TEST_F(QcpChartTest, MarkersMapToScatterStyles)
{
    const struct {
        MarkerShape shape;
        QCPScatterStyle::ScatterShape scatter;
    } cases[] = {
        {MarkerShape::Square, QCPScatterStyle::ssSquare},
        {MarkerShape::Circle, QCPScatterStyle::ssCircle},
        {MarkerShape::Diamond, QCPScatterStyle::ssDiamond},
        {MarkerShape::Cross, QCPScatterStyle::ssCross},
    };
    model.setDrawMarkers(3, true);
    model.setMarkerColor(3, QStringLiteral("clYellow"));
    model.setMarkerSize(3, 15);
    for (const auto& c : cases) {
        model.setMarkerShape(3, c.shape);
        const QCPScatterStyle style = chart.graph(3)->scatterStyle();
        EXPECT_EQ(style.shape(), c.scatter) << int(c.shape);
        EXPECT_EQ(style.size(), 15);
        EXPECT_EQ(style.pen().color(), QColor(255, 255, 0));
        EXPECT_EQ(style.brush().style(), Qt::NoBrush);
    }
    model.setFillMarkers(3, true);
    EXPECT_EQ(chart.graph(3)->scatterStyle().brush().color(), QColor(255, 255, 0));
    model.setDrawMarkers(3, false);
    EXPECT_TRUE(chart.graph(3)->scatterStyle().isNone());

    model.setEnabled(3, false);
    EXPECT_FALSE(chart.graph(3)->visible());
}

TEST_F(QcpChartTest, RegressionLineThroughThePoints)
{
    for (double x : {1.0, 2.0, 3.0, 4.0})
        model.AddPoint(9, x, 2 * x + 1);
    model.setRegressionLine(9, QStringLiteral("clBlue"), LineStyle::Dash);
    const auto lines = chart.plot()->graphCount();
    ASSERT_EQ(lines, 2);
    const QCPGraph* line = chart.plot()->graph(1);
    ASSERT_EQ(line->data()->size(), 2);
    EXPECT_DOUBLE_EQ(line->data()->at(0)->value, 3.0);
    EXPECT_DOUBLE_EQ(line->data()->at(1)->value, 9.0);
    EXPECT_EQ(line->pen().style(), Qt::DashLine);
    model.setRegressionLine(9, QStringLiteral("clBlue"), LineStyle::None);
    EXPECT_FALSE(line->visible());
}

TEST_F(QcpChartTest, AxesTitlesRangesAndAppearance)
{
    model.AddPoint(1, 2000, 10);
    model.AddPoint(1, 9000, 95);
    // Until a range is set the axes fit the points.
    EXPECT_EQ(chart.plot()->xAxis->range(), QCPRange(2000, 9000));
    EXPECT_EQ(chart.plot()->yAxis->range(), QCPRange(10, 95));

    model.setXAxisRange(1992, 9008);
    model.setYAxisRange(2, 103);
    model.setXAxisTitle(QStringLiteral("RPM"));
    model.setYAxisTitle(QStringLiteral("BHP, Ft/Lbs"));
    model.AddPoint(1, 9500, 120); // fixed ranges stay
    EXPECT_EQ(chart.plot()->xAxis->range(), QCPRange(1992, 9008));
    EXPECT_EQ(chart.plot()->yAxis->range(), QCPRange(2, 103));
    EXPECT_EQ(chart.plot()->xAxis->label(), "RPM");
    EXPECT_EQ(chart.plot()->yAxis->label(), "BHP, Ft/Lbs");
    EXPECT_FALSE(chart.plot()->yAxis2->visible());

    // The graph window's start look.
    QCPAxis* x = chart.plot()->xAxis;
    EXPECT_EQ(x->basePen().color(), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(x->labelColor(), QColor(0, 255, 255));
    EXPECT_EQ(x->tickLabelColor(), QColor(0, 255, 255));
    EXPECT_EQ(chart.plot()->axisRect()->backgroundBrush().color(), QColor(Qt::black));
    EXPECT_TRUE(x->grid()->visible());
    EXPECT_EQ(x->grid()->pen().style(), Qt::DashLine);

    // The graph never lets the axes cross at zero; when asked, lines through (0, 0) show it.
    ASSERT_EQ(chart.plot()->itemCount(), 2);
    EXPECT_FALSE(chart.plot()->item(0)->visible());
    EXPECT_FALSE(chart.plot()->item(1)->visible());
    model.setAxesCrossAtZero(true);
    EXPECT_TRUE(chart.plot()->item(0)->visible());
    EXPECT_TRUE(chart.plot()->item(1)->visible());

    ChartAppearance look;
    look.backgroundColor = QStringLiteral("clNavy");
    look.marginColor = QStringLiteral("clTeal");
    look.gridLines = false;
    model.setAppearance(look);
    EXPECT_EQ(chart.plot()->axisRect()->backgroundBrush().color(), QColor(0, 0, 0x80));
    EXPECT_EQ(QColor(chart.capture(300, 200).pixel(1, 1)), QColor(0, 0x80, 0x80)); // margin
    EXPECT_FALSE(chart.plot()->xAxis->grid()->visible());
    EXPECT_FALSE(chart.plot()->yAxis->grid()->visible());
}

TEST_F(QcpChartTest, ValueUnderTheMouse)
{
    model.setXAxisRange(2000, 9000);
    model.setYAxisRange(0, 100);
    const QPoint pixel(int(chart.plot()->xAxis->coordToPixel(5000)),
                       int(chart.plot()->yAxis->coordToPixel(40)));
    const QPointF value = chart.valueAt(pixel);
    const double rpmPerPixel = 7000.0 / chart.plot()->axisRect()->width();
    EXPECT_NEAR(value.x(), 5000, rpmPerPixel);
    EXPECT_NEAR(value.y(), 40, 100.0 / chart.plot()->axisRect()->height());

    QList<QPointF> moved;
    QObject::connect(&chart, &QcpChart::mouseMoved, [&moved](QPointF at) { moved.append(at); });
    QMouseEvent event(QEvent::MouseMove, QPointF(pixel), chart.widget()->mapToGlobal(QPointF(pixel)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(chart.widget(), &event);
    ASSERT_EQ(moved.size(), 1);
    EXPECT_EQ(moved.front(), value);
}

TEST_F(QcpChartTest, LegendNamesRunsInTheirColours)
{
    model.setLineColor(1, QStringLiteral("clRed"));
    model.AddPoint(1, 1, 1);
    model.setLineColor(2, QStringLiteral("clAqua"));
    model.AddPoint(2, 1, 2);
    EXPECT_FALSE(chart.plot()->legend->visible());

    chart.setLegend(
        {{1, QStringLiteral("a.SWP")}, {2, QStringLiteral("b.SWP")}, {7, QStringLiteral("no series")}});
    QCPLegend* legend = chart.plot()->legend;
    EXPECT_TRUE(legend->visible());
    ASSERT_EQ(legend->itemCount(), 2);
    auto* first = qobject_cast<QCPPlottableLegendItem*>(legend->item(0));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->plottable()->name(), "a.SWP");
    EXPECT_EQ(first->textColor(), QColor(Qt::red));
    EXPECT_EQ(chart.plot()->plotLayout()->rowCount(), 2); // a row above the chart, not over the curves

    chart.setLegend({});
    EXPECT_FALSE(legend->visible());
    EXPECT_EQ(chart.plot()->plotLayout()->rowCount(), 1);
}

TEST_F(QcpChartTest, CaptureDrawsAtTheAskedSize)
{
    model.setLineColor(1, QStringLiteral("clRed"));
    model.AddPoint(1, 0, 0);
    model.AddPoint(1, 10, 10);
    const QImage image = chart.capture(640, 480);
    ASSERT_EQ(image.size(), QSize(640, 480));
    EXPECT_EQ(QColor(image.pixel(2, 2)), QColor(Qt::black)); // margin
    bool red = false;
    for (int y = 0; y < image.height() && !red; ++y) {
        for (int x = 0; x < image.width() && !red; ++x)
            red = QColor(image.pixel(x, y)) == QColor(Qt::red);
    }
    EXPECT_TRUE(red);
}

} // namespace
} // namespace tolvane
