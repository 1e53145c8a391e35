#include "platform/chart/qcp_chart.h"

#include <QIODevice>
#include <QPdfWriter>

#include <qcustomplot.h>

#include "core/analysis/series_model.h"
#include "platform/chart/qcp_theme.h"
#include "platform/chart/toolkit_colors.h"

namespace tolvane {

namespace {

const QString SeriesLayer = QStringLiteral("series");

// A colour text that does not convert draws white, which shows on the dark chart.
QColor colorOf(const QString& name)
{
    return colorFromName(name).value_or(QColor(Qt::white));
}

Qt::PenStyle penStyle(LineStyle style)
{
    switch (style) {
    case LineStyle::Solid:
        return Qt::SolidLine;
    case LineStyle::Dash:
        return Qt::DashLine;
    case LineStyle::Dot:
        return Qt::DotLine;
    case LineStyle::None:
        break;
    }
    return Qt::NoPen;
}

QCPScatterStyle::ScatterShape scatterShape(MarkerShape shape)
{
    switch (shape) {
    case MarkerShape::Square:
        return QCPScatterStyle::ssSquare;
    case MarkerShape::Circle:
        return QCPScatterStyle::ssCircle;
    case MarkerShape::Diamond:
        return QCPScatterStyle::ssDiamond;
    case MarkerShape::Cross:
        break;
    }
    return QCPScatterStyle::ssCross;
}

void widen(QCPRange& range, bool& found, double value)
{
    range = found ? QCPRange(qMin(range.lower, value), qMax(range.upper, value)) : QCPRange(value, value);
    found = true;
}

} // namespace

QcpChart::QcpChart(QWidget* parent) : m_plot(new QCustomPlot(parent))
{
    m_plot->setCursor(Qt::CrossCursor);
    m_plot->setNoAntialiasingOnDrag(true);
    m_plot->setAutoAddPlottableToLegend(false);
    m_plot->addLayer(SeriesLayer, m_plot->layer(QStringLiteral("main")), QCustomPlot::limAbove);
    // Room for the tick labels and titles at least as the graph window has always had; the
    // margins grow when longer labels need it rather than clipping them.
    m_plot->axisRect()->setMinimumMargins(QMargins(45, 10, 15, 38));
    m_plot->yAxis->setLabelPadding(10);
    // The second y axis exists for graphs that want one; the run chart keeps it hidden.
    m_plot->yAxis2->setVisible(false);
    m_zeroX = new QCPItemStraightLine(m_plot);
    m_zeroY = new QCPItemStraightLine(m_plot);
    m_zeroX->point1->setCoords(0, 0);
    m_zeroX->point2->setCoords(1, 0);
    m_zeroY->point1->setCoords(0, 0);
    m_zeroY->point2->setCoords(0, 1);
    applyAppearance(ChartAppearance());
    connect(m_plot, &QCustomPlot::mouseMove, this,
            [this](QMouseEvent* event) { emit mouseMoved(valueAt(event->pos())); });
}

QcpChart::~QcpChart()
{
    delete m_plot.data(); // a parent that went first has already deleted it
}

QWidget* QcpChart::widget() const
{
    return m_plot.data();
}

QCustomPlot* QcpChart::plot() const
{
    return m_plot.data();
}

QCPGraph* QcpChart::graph(int key) const
{
    const auto it = m_graphs.find(key);
    return it == m_graphs.end() ? nullptr : it->second;
}

QCPGraph* QcpChart::graphFor(int key)
{
    if (QCPGraph* existing = graph(key))
        return existing;
    QCPAxis* valueAxis = m_secondAxisKeys.count(key) ? m_plot->yAxis2 : m_plot->yAxis;
    QCPGraph* created = m_plot->addGraph(m_plot->xAxis, valueAxis);
    created->setLayer(SeriesLayer);
    m_graphs[key] = created;
    // Keep the drawing order by key: graphs of higher keys move back on top of the new one.
    for (auto it = m_graphs.upper_bound(key); it != m_graphs.end(); ++it) {
        it->second->setLayer(QStringLiteral("main"));
        it->second->setLayer(SeriesLayer);
    }
    return created;
}

void QcpChart::draw(const SeriesModel& model, const ChartChanges& changes)
{
    for (int key : changes.seriesKeys) {
        if (const Series* series = model.series(key))
            applySeries(key, *series);
    }
    if (changes.axes)
        applyAxes(model);
    fitAutomaticAxes(model);
    m_plot->replot(m_queuedReplot ? QCustomPlot::rpQueuedReplot : QCustomPlot::rpRefreshHint);
}

void QcpChart::setSecondAxisKeys(std::set<int> keys)
{
    m_secondAxisKeys = std::move(keys);
    m_plot->yAxis2->setVisible(!m_secondAxisKeys.empty());
    m_plot->yAxis2->setTickLabels(!m_secondAxisKeys.empty());
}

void QcpChart::applySeries(int key, const Series& series)
{
    QCPGraph* g = graphFor(key);
    // The model keeps its points in x order: they go into the graph's container as they are,
    // without the sort setData would otherwise check for.
    QVector<QCPGraphData> points;
    points.reserve(qsizetype(series.points.size()));
    for (const SeriesPoint& p : series.points)
        points.append(QCPGraphData(p.x, p.y));
    g->data()->set(points, true);
    g->setVisible(series.enabled);
    // Every marker stands for a measured point, so a curve with markers is drawn point by point;
    // a bare line of many thousand points looks the same thinned to what each pixel column shows.
    g->setAdaptiveSampling(!series.drawMarkers);
    const bool line = series.drawLine && series.lineStyle != LineStyle::None;
    g->setLineStyle(line ? QCPGraph::lsLine : QCPGraph::lsNone);
    g->setPen(QPen(colorOf(series.lineColor), 1, line ? penStyle(series.lineStyle) : Qt::NoPen));
    if (series.drawMarkers) {
        const QColor marker = colorOf(series.markerColor);
        g->setScatterStyle(QCPScatterStyle(scatterShape(series.markerShape), QPen(marker, 1),
                                           series.fillMarkers ? QBrush(marker) : QBrush(Qt::NoBrush),
                                           series.markerSize));
    } else {
        g->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
    }
    applyRegression(key, series);
}

void QcpChart::applyRegression(int key, const Series& series)
{
    const auto it = m_regressions.find(key);
    if (series.regressionLineStyle == LineStyle::None || !series.enabled) {
        if (it != m_regressions.end())
            it->second->setVisible(false);
        return;
    }
    QCPGraph* line = it != m_regressions.end() ? it->second : nullptr;
    if (!line) {
        line = m_plot->addGraph(m_plot->xAxis, m_plot->yAxis);
        line->setLayer(SeriesLayer);
        m_regressions[key] = line;
    }
    // Least squares over the points; fewer than two distinct x values give no line.
    const double n = double(series.points.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const SeriesPoint& p : series.points) {
        sx += p.x;
        sy += p.y;
        sxx += p.x * p.x;
        sxy += p.x * p.y;
    }
    const double denominator = n * sxx - sx * sx;
    if (series.points.size() < 2 || denominator == 0.0) {
        line->data()->clear();
    } else {
        const double slope = (n * sxy - sx * sy) / denominator;
        const double intercept = (sy - slope * sx) / n;
        const double first = series.points.front().x;
        const double last = series.points.back().x;
        line->setData({first, last}, {intercept + slope * first, intercept + slope * last}, true);
    }
    line->setPen(QPen(colorOf(series.regressionLineColor), 1, penStyle(series.regressionLineStyle)));
    line->setVisible(true);
}

void QcpChart::applyAxes(const SeriesModel& model)
{
    applyAppearance(model.appearance());
    m_plot->xAxis->setLabel(model.xAxis().title);
    m_plot->yAxis->setLabel(model.yAxis().title);
    if (!model.xAxis().automatic)
        m_plot->xAxis->setRange(model.xAxis().minimum, model.xAxis().maximum);
    if (!model.yAxis().automatic)
        m_plot->yAxis->setRange(model.yAxis().minimum, model.yAxis().maximum);
}

void QcpChart::applyAppearance(const ChartAppearance& look)
{
    QcpTheme theme;
    theme.axisColor = colorOf(look.axisColor);
    theme.textColor = colorOf(look.textColor);
    for (QCPAxis* axis : m_plot->axisRect()->axes())
        applyTheme(axis, theme);
    m_plot->setBackground(QBrush(colorOf(look.marginColor)));
    m_plot->axisRect()->setBackground(QBrush(colorOf(look.backgroundColor)));
    m_plot->xAxis->grid()->setVisible(look.gridLines);
    m_plot->yAxis->grid()->setVisible(look.gridLines);
    const QPen zeroPen(theme.axisColor, 1);
    m_zeroX->setPen(zeroPen);
    m_zeroY->setPen(zeroPen);
    m_zeroX->setVisible(look.axesCrossAtZero);
    m_zeroY->setVisible(look.axesCrossAtZero);
}

void QcpChart::fitAutomaticAxes(const SeriesModel& model)
{
    const bool fitX = model.xAxis().automatic;
    const bool fitY = model.yAxis().automatic;
    if (!fitX && !fitY)
        return;
    QCPRange xs, ys, ys2;
    bool found = false, foundY = false, foundY2 = false;
    for (const auto& [key, series] : model.allSeries()) {
        if (!series.enabled)
            continue;
        const bool second = m_secondAxisKeys.count(key) > 0;
        for (const SeriesPoint& p : series.points) {
            widen(xs, found, p.x);
            widen(second ? ys2 : ys, second ? foundY2 : foundY, p.y);
        }
    }
    if (!found)
        return;
    // A single value still needs a span to draw on.
    const auto spanned = [](QCPRange range) {
        return range.size() == 0.0 ? QCPRange(range.lower - 1, range.upper + 1) : range;
    };
    if (fitX)
        m_plot->xAxis->setRange(spanned(xs));
    if (fitY && foundY)
        m_plot->yAxis->setRange(spanned(ys));
    if (fitY && foundY2)
        m_plot->yAxis2->setRange(spanned(ys2));
}

void QcpChart::setLegend(const QList<QPair<int, QString>>& entries)
{
    QCPLegend* legend = m_plot->legend;
    QCPLayoutGrid* layout = m_plot->plotLayout();
    legend->clearItems();
    if (layout->hasElement(0, 0) && layout->element(0, 0) == legend) {
        layout->take(legend);
        layout->simplify();
        m_plot->axisRect()->insetLayout()->addElement(legend, Qt::AlignTop | Qt::AlignRight);
    }
    legend->setVisible(false);
    if (entries.isEmpty()) {
        m_plot->replot();
        return;
    }
    const QcpTheme theme;
    m_plot->axisRect()->insetLayout()->take(legend);
    layout->insertRow(0);
    layout->addElement(0, 0, legend);
    layout->setRowStretchFactor(0, 0.001); // as tall as its entries, the chart takes the rest
    legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    legend->setWrap(5);
    legend->setBrush(Qt::NoBrush);
    legend->setBorderPen(Qt::NoPen);
    legend->setFont(theme.font);
    legend->setIconSize(32, 12);
    legend->setMargins(QMargins(12, 4, 12, 0));
    for (const auto& [key, label] : entries) {
        QCPGraph* g = graph(key);
        if (!g)
            continue;
        g->setName(label);
        g->addToLegend(legend);
        if (QCPPlottableLegendItem* item = legend->itemWithPlottable(g))
            item->setTextColor(g->pen().color());
    }
    legend->setVisible(legend->itemCount() > 0);
    m_plot->replot();
}

QPointF QcpChart::valueAt(const QPoint& pixel) const
{
    return {m_plot->xAxis->pixelToCoord(pixel.x()), m_plot->yAxis->pixelToCoord(pixel.y())};
}

QImage QcpChart::capture(int width, int height) const
{
    return m_plot->toPixmap(width, height, 1.0).toImage();
}

bool QcpChart::writePdf(QIODevice& device, int width, int height, const QString& title) const
{
    // Laid out at the screen's 96 dots per inch, as on screen: a printer resolution would scale
    // the fonts' metrics but not the plot. The page stays vector.
    constexpr int Dpi = 96;
    QPdfWriter writer(&device);
    writer.setResolution(Dpi);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Tolvane"));
    const QSizeF points(width * 72.0 / Dpi, height * 72.0 / Dpi);
    writer.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                     QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QCPPainter painter;
    if (!painter.begin(&writer))
        return false;
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    m_plot->toPainter(&painter, width, height);
    return painter.end();
}

} // namespace tolvane
