#pragma once
// The data graph's chart: up to six quantities of every compared run, each on its own y axis,
// stacked one above the other and sharing the engine-speed x axis. Drawn with QCustomPlot.
#include <QImage>
#include <QPointF>
#include <QPointer>
#include <QString>

#include <vector>

#include "core/analysis/data_graph_data.h"

class QCustomPlot;
class QWidget;

namespace tolvane {

class QcpMultiAxisChart {
public:
    static constexpr int MaxAxes = DataGraphAxisCount;

    explicit QcpMultiAxisChart(QWidget* parent = nullptr);
    ~QcpMultiAxisChart();
    QcpMultiAxisChart(const QcpMultiAxisChart&) = delete;
    QcpMultiAxisChart& operator=(const QcpMultiAxisChart&) = delete;

    QWidget* widget() const;

    // Replaces everything shown: one stacked axis per entry that has curves, the first on top,
    // at most MaxAxes of them, titled left and right with the quantity's label; each curve in its
    // run's colour (a colour text that does not convert draws white). The x axis (bottom and top)
    // is titled xTitle and spans all curves; each y axis scales to its own curves. Draws once.
    void setAxes(const QString& xTitle, const std::vector<DataGraphAxis>& axes);

    int axisCount() const;
    QString axisTitle(int axis) const;
    int curveCount(int axis) const;
    QPointF xRange() const; // (lower, upper) shared by every axis
    QPointF yRange(int axis) const;

    QImage capture(int width, int height) const;

private:
    QPointer<QCustomPlot> m_plot;
};

} // namespace tolvane
