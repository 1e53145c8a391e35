#include "core/analysis/series_model.h"

#include <algorithm>

namespace tolvane {

void SeriesModel::setChart(Chart* chart)
{
    m_chart = chart;
    if (!m_chart)
        return;
    for (const auto& entry : m_series)
        m_changedKeys.insert(entry.first);
    m_axesChanged = true;
    flush(false);
}

void SeriesModel::SetPlotting(bool on)
{
    m_plotting = on;
    if (on)
        flush(true);
}

Series& SeriesModel::use(int key)
{
    return m_series[key];
}

void SeriesModel::seriesChanged(int key)
{
    m_changedKeys.insert(key);
    flush(false);
}

void SeriesModel::axesChanged()
{
    m_axesChanged = true;
    flush(false);
}

void SeriesModel::flush(bool always)
{
    if (!m_plotting || !m_chart)
        return;
    if (!always && m_changedKeys.empty() && !m_axesChanged)
        return;
    ChartChanges changes;
    changes.seriesKeys.assign(m_changedKeys.begin(), m_changedKeys.end());
    changes.axes = m_axesChanged;
    m_changedKeys.clear();
    m_axesChanged = false;
    m_chart->draw(*this, changes);
}

template <typename T> void SeriesModel::assign(int key, T Series::*member, const T& value)
{
    Series& s = use(key);
    if (s.*member == value)
        return;
    s.*member = value;
    seriesChanged(key);
}

void SeriesModel::ClearSeries(int key)
{
    const auto it = m_series.find(key);
    if (it == m_series.end() || it->second.points.empty())
        return;
    it->second.points.clear();
    seriesChanged(key);
}

namespace {

void insertPoint(Series& s, const SeriesPoint& point)
{
    std::vector<SeriesPoint>& points = s.points;
    const double x = point.x;
    // Runs are read in rising x, so the common case is a point past the end.
    auto at = (points.empty() || points.back().x < x)
                  ? points.end()
                  : std::lower_bound(points.begin(), points.end(), x,
                                     [](const SeriesPoint& p, double v) { return p.x < v; });
    if (at != points.end()) {
        if (at->x - x <= s.numericalTolerance)
            *at = point;
        else
            points.insert(at, point);
    } else if (!points.empty() && x - points.back().x <= s.numericalTolerance) {
        points.back() = point;
    } else {
        points.push_back(point);
    }
}

} // namespace

void SeriesModel::AddPoint(int key, double x, double y)
{
    insertPoint(use(key), {x, y});
    seriesChanged(key);
}

void SeriesModel::AddPoints(int key, std::span<const SeriesPoint> points)
{
    if (points.empty())
        return;
    Series& s = use(key);
    if (s.points.capacity() < s.points.size() + points.size())
        s.points.reserve(std::max(s.points.size() + points.size(), 2 * s.points.capacity()));
    for (const SeriesPoint& point : points)
        insertPoint(s, point);
    seriesChanged(key);
}

void SeriesModel::setEnabled(int key, bool on)
{
    assign(key, &Series::enabled, on);
}

void SeriesModel::setDrawLine(int key, bool on)
{
    assign(key, &Series::drawLine, on);
}

void SeriesModel::setDrawMarkers(int key, bool on)
{
    assign(key, &Series::drawMarkers, on);
}

void SeriesModel::setFillMarkers(int key, bool on)
{
    assign(key, &Series::fillMarkers, on);
}

void SeriesModel::setLineColor(int key, const QString& colorName)
{
    assign(key, &Series::lineColor, colorName);
}

void SeriesModel::setLineStyle(int key, LineStyle style)
{
    assign(key, &Series::lineStyle, style);
}

void SeriesModel::setMarkerColor(int key, const QString& colorName)
{
    assign(key, &Series::markerColor, colorName);
}

void SeriesModel::setMarkerShape(int key, MarkerShape shape)
{
    assign(key, &Series::markerShape, shape);
}

void SeriesModel::setMarkerSize(int key, int pixels)
{
    assign(key, &Series::markerSize, pixels);
}

void SeriesModel::setRegressionLine(int key, const QString& colorName, LineStyle style)
{
    assign(key, &Series::regressionLineColor, colorName);
    assign(key, &Series::regressionLineStyle, style);
}

void SeriesModel::setNumericalTolerance(int key, double tolerance)
{
    assign(key, &Series::numericalTolerance, tolerance);
}

const Series* SeriesModel::series(int key) const
{
    const auto it = m_series.find(key);
    return it == m_series.end() ? nullptr : &it->second;
}

void SeriesModel::setXAxisRange(double minimum, double maximum)
{
    m_xAxis.minimum = minimum;
    m_xAxis.maximum = maximum;
    m_xAxis.automatic = false;
    axesChanged();
}

void SeriesModel::setYAxisRange(double minimum, double maximum)
{
    m_yAxis.minimum = minimum;
    m_yAxis.maximum = maximum;
    m_yAxis.automatic = false;
    axesChanged();
}

void SeriesModel::setXAxisTitle(const QString& title)
{
    if (m_xAxis.title == title)
        return;
    m_xAxis.title = title;
    axesChanged();
}

void SeriesModel::setYAxisTitle(const QString& title)
{
    if (m_yAxis.title == title)
        return;
    m_yAxis.title = title;
    axesChanged();
}

void SeriesModel::setAxesCrossAtZero(bool on)
{
    if (m_appearance.axesCrossAtZero == on)
        return;
    m_appearance.axesCrossAtZero = on;
    axesChanged();
}

void SeriesModel::setAppearance(const ChartAppearance& appearance)
{
    if (m_appearance == appearance)
        return;
    m_appearance = appearance;
    axesChanged();
}

} // namespace tolvane
