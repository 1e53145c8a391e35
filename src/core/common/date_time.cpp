#include "core/common/date_time.h"

#include <cmath>

namespace tolvane {

namespace {

const QDate kEpoch(1899, 12, 30);

} // namespace

DateTimeValue toDateTimeValue(const QDateTime& localWallClock)
{
    const qint64 days = kEpoch.daysTo(localWallClock.date());
    const double fraction = localWallClock.time().msecsSinceStartOfDay() / MsPerDay;
    // Before the epoch the sign belongs to the day count only.
    return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

QDateTime fromDateTimeValue(DateTimeValue value)
{
    if (!std::isfinite(value))
        value = 0.0;
    double days = std::trunc(value);
    qint64 ms = std::llround(std::fabs(value - days) * MsPerDay);
    if (ms >= static_cast<qint64>(MsPerDay)) {
        ms -= static_cast<qint64>(MsPerDay);
        days += value >= 0 ? 1.0 : -1.0;
    }
    return QDateTime(kEpoch.addDays(static_cast<qint64>(days)),
                     QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}

QString formatTimeOfDay(DateTimeValue value)
{
    return formatTimeOfDay(value, QLatin1Char('.'));
}

QString formatTimeOfDay(DateTimeValue value, QChar millisecondSeparator)
{
    const QTime t = fromDateTimeValue(value).time();
    return QStringLiteral("%1:%2:%3%4%5")
        .arg(t.hour())
        .arg(t.minute(), 2, 10, QLatin1Char('0'))
        .arg(t.second(), 2, 10, QLatin1Char('0'))
        .arg(millisecondSeparator)
        .arg(t.msec(), 3, 10, QLatin1Char('0'));
}

QString formatDateTimeText(DateTimeValue value, const TextLocale& locale)
{
    const QDateTime dt = fromDateTimeValue(value);
    QString text = dt.date().toString(locale.shortDateFormat);
    if (dt.time().msecsSinceStartOfDay() != 0)
        text += QLatin1Char(' ') + dt.time().toString(locale.longTimeFormat);
    return text;
}

} // namespace tolvane
