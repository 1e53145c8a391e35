#pragma once
// The chart's content without the drawing: series of points under integer keys (a series is made
// on first use), their styles, the two axes and the chart's colours. Every graph of the program
// (run curves, previews, the live windows' strip charts) is built through these operations; a
// Chart draws the result (see chart.h).
#include <QString>

#include <map>
#include <set>
#include <span>
#include <vector>

#include "core/analysis/chart.h"
#include "core/analysis/series.h"

namespace tolvane {

struct ChartAxis {
    double minimum = 0.0;
    double maximum = 1.0;
    // Until a range is set the adapter fits the axis to the points.
    bool automatic = true;
    QString title;
    bool operator==(const ChartAxis&) const = default;
};

// Colours of the chart as the graph window starts; the graph switches change them.
struct ChartAppearance {
    QString backgroundColor = QStringLiteral("clBlack");
    QString marginColor = QStringLiteral("clBlack");
    QString axisColor = QStringLiteral("clSilver");
    QString textColor = QStringLiteral("clAqua"); // axis titles and tick labels
    bool gridLines = true;                        // dashed grid on both axes, or none
    bool axesCrossAtZero = false;                 // axes drawn through (0, 0) instead of at the edges
    bool operator==(const ChartAppearance&) const = default;
};

class SeriesModel {
public:
    explicit SeriesModel(Chart* chart = nullptr) : m_chart(chart) {}
    SeriesModel(const SeriesModel&) = delete;
    SeriesModel& operator=(const SeriesModel&) = delete;

    // The surface that draws this model; nullptr draws nothing. Setting one draws everything.
    void setChart(Chart* chart);

    // false suspends drawing; true resumes it and draws once, with every change made meanwhile.
    void SetPlotting(bool on);
    bool isPlotting() const { return m_plotting; }

    // --- series operations (key = series key) ---
    // Removes the points; the styles stay. A key never used is left alone.
    void ClearSeries(int key);
    // Inserts (x, y) keeping the points in ascending x. When x lies within the series'
    // numerical tolerance of the first point at or after it (or, past the end, of the last
    // point), that point is replaced instead: among points closer than the tolerance the one
    // added last wins.
    void AddPoint(int key, double x, double y);
    // AddPoint for each point in turn, with one look-up of the series: a run's curve of many
    // thousand points, read in rising x, is appended at the cost of copying it.
    void AddPoints(int key, std::span<const SeriesPoint> points);
    void setEnabled(int key, bool on);
    void setDrawLine(int key, bool on);
    void setDrawMarkers(int key, bool on);
    void setFillMarkers(int key, bool on);
    void setLineColor(int key, const QString& colorName);
    void setLineStyle(int key, LineStyle style);
    void setMarkerColor(int key, const QString& colorName);
    void setMarkerShape(int key, MarkerShape shape);
    void setMarkerSize(int key, int pixels);
    void setRegressionLine(int key, const QString& colorName, LineStyle style);
    void setNumericalTolerance(int key, double tolerance);

    // nullptr for a key never used.
    const Series* series(int key) const;
    const std::map<int, Series>& allSeries() const { return m_series; }

    // --- chart operations ---
    // Fixes an axis range (the axis is no longer fitted automatically).
    void setXAxisRange(double minimum, double maximum);
    void setYAxisRange(double minimum, double maximum);
    void setXAxisTitle(const QString& title);
    void setYAxisTitle(const QString& title);
    const ChartAxis& xAxis() const { return m_xAxis; }
    const ChartAxis& yAxis() const { return m_yAxis; }

    void setAxesCrossAtZero(bool on);
    void setAppearance(const ChartAppearance& appearance);
    const ChartAppearance& appearance() const { return m_appearance; }

private:
    Series& use(int key);
    void seriesChanged(int key);
    void axesChanged();
    void flush(bool always);
    template <typename T> void assign(int key, T Series::*member, const T& value);

    Chart* m_chart = nullptr;
    bool m_plotting = true;
    std::map<int, Series> m_series;
    ChartAxis m_xAxis;
    ChartAxis m_yAxis;
    ChartAppearance m_appearance;
    std::set<int> m_changedKeys;
    bool m_axesChanged = false;
};

} // namespace tolvane
