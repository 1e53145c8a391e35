#pragma once
// The data graph's chart: up to six quantities of every compared run, each on its own y axis,
// stacked one above the other and sharing the engine-speed x axis. Drawn with QCustomPlot.
#include <QImage>
#include <QList>
#include <QPointF>
#include <QPointer>
#include <QString>
#include <QVector>

class QCustomPlot;
class QWidget;

namespace tolvane {

struct StackedCurve {
    QString colorName; // the run's colour ("clRed", ...); a name that does not convert draws white
    QVector<QPointF> points;
};

struct StackedAxis {
    QString title; // the quantity's column label, shown left and right of its axis
    QList<StackedCurve> curves;
};

class QcpMultiAxisChart {
public:
    static constexpr int MaxAxes = 6;

    explicit QcpMultiAxisChart(QWidget* parent = nullptr);
    ~QcpMultiAxisChart();
    QcpMultiAxisChart(const QcpMultiAxisChart&) = delete;
    QcpMultiAxisChart& operator=(const QcpMultiAxisChart&) = delete;

    QWidget* widget() const;

    // Replaces everything shown: one stacked axis per entry that has curves, the first on top,
    // at most MaxAxes of them; the x axis (bottom and top) is titled xTitle. The x range spans
    // all curves; each y axis scales to its own curves. Draws once.
    void setAxes(const QString& xTitle, const QList<StackedAxis>& axes);

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
