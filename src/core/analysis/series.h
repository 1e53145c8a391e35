#pragma once
// One keyed series of the chart: its points, kept in x order, and how it is drawn. Colours are
// toolkit colour names ("clRed", "clWhite", ...) or the colour dialog's "$00BBGGRR" text; the
// chart adapter turns them into real colours.
#include <QString>

#include <vector>

namespace tolvane {

// The numbers are the ones the plotting code has always used for these styles.
enum class LineStyle { Solid = 0, Dash = 1, Dot = 2, None = 5 };

// Row r of the selection draws shape r mod 4, so the numbering matters.
enum class MarkerShape { Square = 0, Circle = 1, Diamond = 2, Cross = 3 };

struct SeriesPoint {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const SeriesPoint&) const = default;
};

struct Series {
    std::vector<SeriesPoint> points; // ascending x
    bool enabled = true;             // a disabled series is not drawn at all
    bool drawLine = true;            // the polyline through the points
    bool drawMarkers = false;        // a marker glyph on every point
    bool fillMarkers = false;        // markers filled with the marker colour, else outlined
    QString lineColor = QStringLiteral("clBlack");
    LineStyle lineStyle = LineStyle::Solid;
    QString markerColor = QStringLiteral("clBlack");
    MarkerShape markerShape = MarkerShape::Square;
    int markerSize = 8; // pixels
    // Least-squares line through the points; LineStyle::None leaves it out.
    QString regressionLineColor = QStringLiteral("clBlack");
    LineStyle regressionLineStyle = LineStyle::None;
    // A new point closer than this in x to its neighbour at or after it (or to the last point)
    // replaces that neighbour instead of being inserted.
    double numericalTolerance = 0.001;
};

} // namespace tolvane
