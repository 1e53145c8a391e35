#pragma once
// The run chart drawn with QCustomPlot: every keyed series of a SeriesModel becomes one graph
// (plus its least-squares line when asked for), in key order so previews lie over run curves.
// The model decides when to draw; each draw() is one replot.
#include <QImage>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointF>
#include <QPointer>

#include <map>
#include <set>

#include "core/analysis/chart.h"

class QCPGraph;
class QCPItemStraightLine;
class QCustomPlot;
class QIODevice;
class QWidget;

namespace tolvane {

struct ChartAppearance;
struct Series;

class QcpChart : public QObject, public Chart {
    Q_OBJECT
public:
    explicit QcpChart(QWidget* parent = nullptr);
    ~QcpChart() override;

    // The widget to put into a window; the chart owns it unless a parent took it.
    QWidget* widget() const;
    QCustomPlot* plot() const;

    void draw(const SeriesModel& model, const ChartChanges& changes) override;

    // Series drawn against the second y axis (on the right), which then shows and fits itself
    // to them; the others keep the main axis. Set before the keys are first drawn.
    void setSecondAxisKeys(std::set<int> keys);
    // Each draw() asks for a repaint at the next pass of the event loop instead of painting at
    // once: a live window that changes several things in one timer tick paints once, after it.
    void setQueuedReplot(bool queued) { m_queuedReplot = queued; }

    // The graph drawing the series under key, nullptr before the key was drawn.
    QCPGraph* graph(int key) const;

    // A key to the runs in a row above the chart: each entry shows the line and marker of the
    // series under key with its label in the line colour. An empty list removes it. The graph
    // window goes without (the selection grid beside it is the key); exported pictures carry one.
    void setLegend(const QList<QPair<int, QString>>& entries);

    // Axis coordinates of a pixel of the widget (the mouse read-out).
    QPointF valueAt(const QPoint& pixel) const;

    // The chart drawn at the given size, as shown on screen (image export, print picture).
    QImage capture(int width, int height) const;
    // The chart as one vector PDF page of width x height screen pixels; false when the device
    // could not be written.
    bool writePdf(QIODevice& device, int width, int height, const QString& title) const;

signals:
    // The mouse moved over the chart; value is the point under it in axis units.
    void mouseMoved(QPointF value);

private:
    QCPGraph* graphFor(int key);
    void applySeries(int key, const Series& series);
    void applyRegression(int key, const Series& series);
    void applyAxes(const SeriesModel& model);
    void applyAppearance(const ChartAppearance& look);
    void fitAutomaticAxes(const SeriesModel& model);

    QPointer<QCustomPlot> m_plot;
    std::map<int, QCPGraph*> m_graphs;
    std::map<int, QCPGraph*> m_regressions;
    std::set<int> m_secondAxisKeys;
    bool m_queuedReplot = false;
    QCPItemStraightLine* m_zeroX = nullptr; // the axes through (0, 0), when they cross there
    QCPItemStraightLine* m_zeroY = nullptr;
};

} // namespace tolvane
