#pragma once
// The step window's event graph as data: per recorded sample the smoothed engine rpm (series 0)
// and smoothed power (series 1) at x = the record count, and the running means of a record line
// (series 2 and 3). The record line is averaged from series 0 and 1, so the values live here in
// core; the window only draws them.
#include <QList>
#include <QPointF>

#include <optional>

namespace tolvane {

class EventTrace {
public:
    enum Series { RpmSeries = 0, PowerSeries = 1, MeanRpmSeries = 2, MeanPowerSeries = 3, SeriesCount = 4 };

    struct SamplePoint {
        double rpm = 0.0;
        double power = 0.0;
    };

    const QList<QPointF>& series(Series series) const { return m_series[series]; }

    void clear();
    void addSample(int x, double smoothedRpm, double smoothedPower);
    void addMeans(int x, double meanRpm, double meanPower);
    // The rpm and power the sample series hold at x; nothing when no sample was added there.
    std::optional<SamplePoint> sampleAt(int x) const;

    // The window stops redrawing the graph while a record is written and starts again only when
    // a record says so (every fifth written line), to keep the live window light.
    bool isDrawingSuspended() const { return m_drawingSuspended; }
    void setDrawingSuspended(bool suspended) { m_drawingSuspended = suspended; }

private:
    QList<QPointF> m_series[SeriesCount];
    bool m_drawingSuspended = false;
};

} // namespace tolvane
