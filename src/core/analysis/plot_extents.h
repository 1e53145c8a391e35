#pragma once
// The range every plotted point has covered: the full plot starts it afresh, the preview carries
// on from it, and a rescale fits the axes to it.
namespace tolvane {

struct PlotExtents {
    // Start values of a full plot: any real point moves them.
    double xMinimum = 100000.0;
    double yMinimum = 1000.0;
    double xMaximum = 0.0;
    double yMaximum = 0.0;

    void reset() { *this = PlotExtents{}; }
    void includeX(double x)
    {
        if (x < xMinimum)
            xMinimum = x;
        if (x > xMaximum)
            xMaximum = x;
    }
    void includeY(double y)
    {
        if (y < yMinimum)
            yMinimum = y;
        if (y > yMaximum)
            yMaximum = y;
    }
    bool operator==(const PlotExtents&) const = default;
};

} // namespace tolvane
