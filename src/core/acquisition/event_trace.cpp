#include "core/acquisition/event_trace.h"

#include <algorithm>

namespace tolvane {

void EventTrace::clear()
{
    for (auto& points : m_series)
        points.clear();
}

void EventTrace::addSample(int x, double smoothedRpm, double smoothedPower)
{
    m_series[RpmSeries].append(QPointF(x, smoothedRpm));
    m_series[PowerSeries].append(QPointF(x, smoothedPower));
}

void EventTrace::addMeans(int x, double meanRpm, double meanPower)
{
    m_series[MeanRpmSeries].append(QPointF(x, meanRpm));
    m_series[MeanPowerSeries].append(QPointF(x, meanPower));
}

std::optional<EventTrace::SamplePoint> EventTrace::sampleAt(int x) const
{
    // Sample points are added with rising x, so a binary search finds them.
    const QList<QPointF>& rpm = m_series[RpmSeries];
    const auto it = std::lower_bound(rpm.cbegin(), rpm.cend(), x,
                                     [](const QPointF& point, int key) { return point.x() < key; });
    if (it == rpm.cend() || it->x() != x)
        return std::nullopt;
    const auto index = it - rpm.cbegin();
    return SamplePoint{it->y(), m_series[PowerSeries].at(index).y()};
}

} // namespace tolvane
