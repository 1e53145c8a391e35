#pragma once
// StepGraphs: the step window's two charts. The event graph `xyGraph1` follows the step
// controller's EventTrace: per recorded sample the smoothed engine rpm (series 0, green dashed,
// right axis) and power (series 1, yellow), and the running means of a record line (series 2,
// aqua dotted, right axis; series 3). The power graph `xyGraph2` holds the reference curve
// (series 1, the graph window's current run), this test's record points (series 2) and an empty
// black series 3.
//
// Both charts only append what changed since the last tick and paint once after it, so a tick
// stays cheap however long the test runs.
#include <QImage>
#include <QList>
#include <QObject>
#include <QPointF>

#include <array>
#include <memory>
#include <optional>

#include "core/acquisition/event_trace.h"
#include "core/analysis/series_model.h"
#include "core/common/text_file.h"

class QWidget;

namespace tolvane {

class QcpChart;

class StepGraphs : public QObject {
    Q_OBJECT
public:
    enum PowerSeries { ReferenceSeries = 1, RecordSeries = 2, SpareSeries = 3 };
    // The graph window's preview of the current run: its power curve is the reference.
    static constexpr int PreviewPowerKey = 100;

    explicit StepGraphs(QWidget* parent);
    ~StepGraphs() override;

    QWidget* xyGraph1() const;
    QWidget* xyGraph2() const;
    const SeriesModel& eventModel() const { return m_event; }
    const SeriesModel& powerModel() const { return m_power; }

    // Axis titles from the unit labels.
    void setUnitTitles(const QString& engineSpeed, const QString& power);
    // Showing the window: the event graph's series and their styles.
    void setUpEventGraph();
    // Draws the points the trace gained since the last call; a trace cleared (a new acquisition)
    // starts the series over. While the trace says drawing is suspended nothing is drawn; the
    // points are caught up when it resumes.
    void followTrace(const EventTrace& trace);
    // Restart: series 1 becomes the preview's power curve with every y divided by
    // `runCorrection`, and takes the graph window's point tolerance; series 2 and 3 are emptied.
    void refreshPowerGraph(const SeriesModel& preview, double runCorrection, double pointTolerance);
    // The record points of this test, as the controller holds them.
    void followRecordPoints(const QList<QPointF>& points);

    // The event graph as shown, written as PNG or (any other name) BMP, atomically.
    std::optional<FileError> saveEventImage(const QString& path) const;

private:
    void styleSeries(SeriesModel& model, int key, const QString& colour, LineStyle style);
    // Both axes over the reference curve and the record points, on tens.
    void fitPowerAxes();

    std::unique_ptr<QcpChart> m_eventChart;
    std::unique_ptr<QcpChart> m_powerChart;
    SeriesModel m_event;
    SeriesModel m_power;
    std::array<qsizetype, EventTrace::SeriesCount> m_drawn{};
    std::array<QPointF, EventTrace::SeriesCount> m_lastDrawn{};
    qsizetype m_recordsDrawn = 0;
};

} // namespace tolvane
