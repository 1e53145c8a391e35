#include "ui/acquisition/step_graphs.h"

#include <QBuffer>
#include <QFileInfo>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <utility>

#include <qcustomplot.h>

#include "platform/chart/qcp_chart.h"

namespace tolvane {

namespace {

// Ticks in whole tens, labels without decimals: the live power graph is read at a glance.
void tickByTens(QCPAxis* axis)
{
    QSharedPointer<QCPAxisTickerFixed> ticker(new QCPAxisTickerFixed);
    ticker->setTickStep(10.0);
    ticker->setScaleStrategy(QCPAxisTickerFixed::ssMultiples);
    axis->setTicker(ticker);
    axis->setNumberFormat(QStringLiteral("f"));
    axis->setNumberPrecision(0);
}

// An axis range over [low, high] that spans at least `minimumSpan` and starts and ends on tens.
std::pair<double, double> tensAround(double low, double high, double minimumSpan)
{
    if (high - low < minimumSpan) {
        const double middle = (low + high) / 2.0;
        low = middle - minimumSpan / 2.0;
        high = middle + minimumSpan / 2.0;
    }
    return {std::floor(low / 10.0) * 10.0 - 10.0, std::ceil(high / 10.0) * 10.0 + 10.0};
}

} // namespace

StepGraphs::StepGraphs(QWidget* parent)
    : QObject(parent), m_eventChart(std::make_unique<QcpChart>(parent)),
      m_powerChart(std::make_unique<QcpChart>(parent))
{
    xyGraph1()->setObjectName(QStringLiteral("xyGraph1"));
    xyGraph2()->setObjectName(QStringLiteral("xyGraph2"));
    m_eventChart->setSecondAxisKeys({EventTrace::RpmSeries, EventTrace::MeanRpmSeries});
    for (QcpChart* chart : {m_eventChart.get(), m_powerChart.get()}) {
        chart->setQueuedReplot(true);
        chart->widget()->setMinimumSize(200, 120);
        // The live screen has no room for the run chart's wide margins.
        chart->plot()->axisRect()->setMinimumMargins(QMargins(40, 6, 40, 30));
    }
    tickByTens(m_powerChart->plot()->xAxis);
    tickByTens(m_powerChart->plot()->yAxis);
    // Engine speeds are four-digit labels: on a narrow graph five of them run into each other,
    // so the speed axis gets as many ticks as its width has room for.
    QCustomPlot* power = m_powerChart->plot();
    connect(power, &QCustomPlot::beforeReplot, this, [power] {
        constexpr int PixelsPerLabel = 60;
        power->xAxis->ticker()->setTickCount(std::clamp(power->axisRect()->width() / PixelsPerLabel, 2, 5));
    });
    m_event.setChart(m_eventChart.get());
    m_power.setChart(m_powerChart.get());
    // A double click puts the event graph behind whatever overlaps it.
    connect(m_eventChart->plot(), &QCustomPlot::mouseDoubleClick, this, [this] { xyGraph1()->lower(); });
}

StepGraphs::~StepGraphs()
{
    m_event.setChart(nullptr);
    m_power.setChart(nullptr);
}

QWidget* StepGraphs::xyGraph1() const
{
    return m_eventChart->widget();
}

QWidget* StepGraphs::xyGraph2() const
{
    return m_powerChart->widget();
}

void StepGraphs::setUnitTitles(const QString& engineSpeed, const QString& power)
{
    m_event.SetPlotting(false);
    m_event.setYAxisTitle(power);
    m_event.SetPlotting(true);
    m_eventChart->plot()->yAxis2->setLabel(engineSpeed);
    m_power.SetPlotting(false);
    m_power.setXAxisTitle(engineSpeed);
    m_power.setYAxisTitle(power);
    m_power.SetPlotting(true);
}

void StepGraphs::styleSeries(SeriesModel& model, int key, const QString& colour, LineStyle style)
{
    model.setEnabled(key, true);
    model.setDrawLine(key, true);
    model.setLineColor(key, colour);
    model.setLineStyle(key, style);
    model.setMarkerColor(key, colour);
}

void StepGraphs::setUpEventGraph()
{
    m_event.SetPlotting(false);
    styleSeries(m_event, EventTrace::RpmSeries, QStringLiteral("clGreen"), LineStyle::Dash);
    styleSeries(m_event, EventTrace::PowerSeries, QStringLiteral("clYellow"), LineStyle::Solid);
    styleSeries(m_event, EventTrace::MeanRpmSeries, QStringLiteral("clAqua"), LineStyle::Dot);
    styleSeries(m_event, EventTrace::MeanPowerSeries, QStringLiteral("clFuchsia"), LineStyle::Dot);
    m_event.SetPlotting(true);
}

void StepGraphs::followTrace(const EventTrace& trace)
{
    if (trace.isDrawingSuspended())
        return;
    bool changed = false;
    for (int k = 0; k < EventTrace::SeriesCount; ++k) {
        const QList<QPointF>& points = trace.series(static_cast<EventTrace::Series>(k));
        const auto index = static_cast<std::size_t>(k);
        qsizetype& drawn = m_drawn[index];
        // Cleared since the last tick (perhaps refilled meanwhile): start the series over.
        if (points.size() < drawn || (drawn > 0 && points[drawn - 1] != m_lastDrawn[index])) {
            if (!changed)
                m_event.SetPlotting(false);
            changed = true;
            m_event.ClearSeries(k);
            drawn = 0;
        }
        if (points.size() == drawn)
            continue;
        if (!changed)
            m_event.SetPlotting(false);
        changed = true;
        for (qsizetype i = drawn; i < points.size(); ++i)
            m_event.AddPoint(k, points[i].x(), points[i].y());
        drawn = points.size();
        m_lastDrawn[index] = points.back();
    }
    if (changed)
        m_event.SetPlotting(true);
}

void StepGraphs::refreshPowerGraph(const SeriesModel& preview, double runCorrection, double pointTolerance)
{
    const double correction = runCorrection == 0.0 ? 1.0 : runCorrection;
    m_power.SetPlotting(false);
    for (int key : {ReferenceSeries, RecordSeries, SpareSeries})
        m_power.ClearSeries(key);
    m_power.setNumericalTolerance(ReferenceSeries, pointTolerance);
    if (const Series* reference = preview.series(PreviewPowerKey)) {
        for (const SeriesPoint& p : reference->points)
            m_power.AddPoint(ReferenceSeries, p.x, p.y / correction);
    }
    styleSeries(m_power, ReferenceSeries, QStringLiteral("clGreen"), LineStyle::Solid);
    m_power.setDrawMarkers(ReferenceSeries, true);
    m_power.setMarkerShape(ReferenceSeries, MarkerShape::Circle);
    m_power.setMarkerSize(ReferenceSeries, 4);
    styleSeries(m_power, RecordSeries, QStringLiteral("clWhite"), LineStyle::Dot);
    m_power.setDrawMarkers(RecordSeries, true);
    m_power.setMarkerShape(RecordSeries, MarkerShape::Cross);
    m_power.setMarkerSize(RecordSeries, 10);
    styleSeries(m_power, SpareSeries, QStringLiteral("clBlack"), LineStyle::Dot);
    m_recordsDrawn = 0;
    fitPowerAxes();
    m_power.SetPlotting(true);
}

void StepGraphs::fitPowerAxes()
{
    double xLow = 0, xHigh = 0, yLow = 0, yHigh = 0;
    bool found = false;
    for (int key : {ReferenceSeries, RecordSeries}) {
        const Series* series = m_power.series(key);
        if (!series)
            continue;
        for (const SeriesPoint& p : series->points) {
            xLow = found ? std::min(xLow, p.x) : p.x;
            xHigh = found ? std::max(xHigh, p.x) : p.x;
            yLow = found ? std::min(yLow, p.y) : p.y;
            yHigh = found ? std::max(yHigh, p.y) : p.y;
            found = true;
        }
    }
    if (!found)
        return;
    // A first record alone still gets a readable stretch of the curve around it.
    const auto [x0, x1] = tensAround(xLow, xHigh, 1000.0);
    const auto [y0, y1] = tensAround(yLow, yHigh, 20.0);
    m_power.setXAxisRange(x0, x1);
    m_power.setYAxisRange(y0, y1);
}

void StepGraphs::followRecordPoints(const QList<QPointF>& points)
{
    if (points.size() == m_recordsDrawn)
        return;
    m_power.SetPlotting(false);
    if (points.size() < m_recordsDrawn) {
        m_power.ClearSeries(RecordSeries);
        m_recordsDrawn = 0;
    }
    for (qsizetype i = m_recordsDrawn; i < points.size(); ++i)
        m_power.AddPoint(RecordSeries, points[i].x(), points[i].y());
    m_recordsDrawn = points.size();
    fitPowerAxes();
    m_power.SetPlotting(true);
}

std::optional<FileError> StepGraphs::saveEventImage(const QString& path) const
{
    m_eventChart->plot()->replot(); // a queued repaint would leave the picture a tick behind
    const QImage image = xyGraph1()->grab().toImage();
    const bool png = QFileInfo(path).suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) == 0;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, png ? "PNG" : "BMP"))
        return FileError{QStringLiteral("Cannot make a picture of the event graph for %1.").arg(path)};
    return writeFileAtomically(path, bytes);
}

} // namespace tolvane
