#pragma once
// The one source of "now" for everything that stamps or steps in time. The program runs on the
// system clock; tests and the Demo Dyno run on a manual clock so a 40 ms tick is exactly 40 ms.
#include <QDateTime>

#include "core/common/date_time.h"

namespace tolvane {

class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTimeValue now() const = 0;
};

class SystemClock final : public Clock {
public:
    DateTimeValue now() const override;
};

class ManualClock final : public Clock {
public:
    explicit ManualClock(DateTimeValue start = 0.0) : m_origin(start) {}
    explicit ManualClock(const QDateTime& start) : m_origin(toDateTimeValue(start)) {}

    // Steps are counted in whole milliseconds from the last set(), so a long run does not drift
    // the way a sum of 40 ms fractions of a day would.
    DateTimeValue now() const override { return m_origin + static_cast<double>(m_elapsedMs) / MsPerDay; }
    void set(DateTimeValue value)
    {
        m_origin = value;
        m_elapsedMs = 0;
    }
    void advanceMs(qint64 ms) { m_elapsedMs += ms; }
    qint64 elapsedMs() const { return m_elapsedMs; }

private:
    DateTimeValue m_origin;
    qint64 m_elapsedMs = 0;
};

} // namespace tolvane
