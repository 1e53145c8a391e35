#pragma once
// Frames and hooks shared by the decoder tests.
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <QTime>

#include "core/acquisition/black_box_frame.h"
#include "core/acquisition/live_display.h"
#include "core/acquisition/sample_controller.h"
#include "core/common/date_time.h"

namespace tolvane::test {

inline void appendField(QByteArray& bytes, quint32 value)
{
    bytes.append(static_cast<char>((value >> 16) & 0xFF));
    bytes.append(static_cast<char>((value >> 8) & 0xFF));
    bytes.append(static_cast<char>(value & 0xFF));
}

// The bytes the unit sends: four fields for the step window, three for the sweep window.
inline QByteArray stepBytes(quint32 load, quint32 period, quint32 aux = 0, quint32 echo = 0)
{
    QByteArray b;
    for (const quint32 field : {load, period, aux, echo})
        appendField(b, field);
    return b;
}

inline QByteArray sweepBytes(quint32 load, quint32 period, quint32 aux = 0)
{
    QByteArray b;
    for (const quint32 field : {load, period, aux})
        appendField(b, field);
    return b;
}

inline BlackBoxFrame stepFrame(quint32 load, quint32 period, quint32 aux = 0, quint32 echo = 0)
{
    return BlackBoxFrame(LiveWindow::Step, stepBytes(load, period, aux, echo));
}

inline BlackBoxFrame sweepFrame(quint32 load, quint32 period, quint32 aux = 0)
{
    return BlackBoxFrame(LiveWindow::Sweep, sweepBytes(load, period, aux));
}

inline BlackBoxFrame frameFor(LiveWindow window, quint32 load, quint32 period)
{
    return window == LiveWindow::Step ? stepFrame(load, period) : sweepFrame(load, period);
}

// 2026-01-02 08:00:00.000 plus `ms`.
inline DateTimeValue runTime(qint64 ms)
{
    return toDateTimeValue(QDateTime(QDate(2026, 1, 2), QTime(8, 0))) + static_cast<double>(ms) / MsPerDay;
}

// Records every hook call as one text line, in order.
class RecordingDisplay : public LiveDisplay {
public:
    void showStatusText(const QString& text) override { log << QStringLiteral("status ") + text; }
    void showEngineSpeed(const DynoSample& s) override
    {
        log << QStringLiteral("engine %1").arg(s.engineRpm, 0, 'f', 1);
    }
    void showLoadGauge(float a, float f) override { log << QStringLiteral("gauge %1 %2").arg(a).arg(f); }
    void showValues(const DisplayedValues& v) override
    {
        lastValues = v;
        log << QStringLiteral("values");
    }
    void setPowerPanelTeal(bool teal) override
    {
        log << (teal ? QStringLiteral("teal") : QStringLiteral("plain"));
    }

    QStringList log;
    DisplayedValues lastValues;
};

class FakeController : public SampleController {
public:
    GridPhase gridPhase() const override { return phase; }
    void runPass(const DynoSample& sample) override
    {
        seen.push_back(sample);
        if (log)
            *log << QStringLiteral("controller");
    }

    GridPhase phase = GridPhase::Waiting;
    std::vector<DynoSample> seen;
    QStringList* log = nullptr;
};

} // namespace tolvane::test
