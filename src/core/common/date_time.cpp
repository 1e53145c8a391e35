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

namespace {

struct DayAndTime {
    double days;
    qint64 ms; // since midnight
};

DayAndTime splitDateTimeValue(DateTimeValue value)
{
    if (!std::isfinite(value))
        value = 0.0;
    double days = std::trunc(value);
    qint64 ms = std::llround(std::fabs(value - days) * MsPerDay);
    if (ms >= static_cast<qint64>(MsPerDay)) {
        ms -= static_cast<qint64>(MsPerDay);
        days += value >= 0 ? 1.0 : -1.0;
    }
    return {days, ms};
}

} // namespace

QDateTime fromDateTimeValue(DateTimeValue value)
{
    const DayAndTime d = splitDateTimeValue(value);
    return QDateTime(kEpoch.addDays(static_cast<qint64>(d.days)),
                     QTime::fromMSecsSinceStartOfDay(static_cast<int>(d.ms)));
}

QString formatTimeOfDay(DateTimeValue value)
{
    return formatTimeOfDay(value, QLatin1Char('.'));
}

QString formatTimeOfDay(DateTimeValue value, QChar millisecondSeparator)
{
    // The time of day alone needs no local date-time: building one consults the time zone (a
    // file-system look-up), too slow for the grid row of every 40 ms frame.
    const qint64 ms = splitDateTimeValue(value).ms;
    const auto hour = static_cast<int>(ms / 3600000);
    const auto minute = static_cast<int>(ms / 60000 % 60);
    const auto second = static_cast<int>(ms / 1000 % 60);
    const auto milli = static_cast<int>(ms % 1000);
    QString text(hour >= 10 ? 12 : 11, Qt::Uninitialized);
    QChar* out = text.data();
    const auto digit = [](int d) { return QChar(QLatin1Char(static_cast<char>('0' + d))); };
    if (hour >= 10)
        *out++ = digit(hour / 10);
    *out++ = digit(hour % 10);
    *out++ = QLatin1Char(':');
    *out++ = digit(minute / 10);
    *out++ = digit(minute % 10);
    *out++ = QLatin1Char(':');
    *out++ = digit(second / 10);
    *out++ = digit(second % 10);
    *out++ = millisecondSeparator;
    *out++ = digit(milli / 100);
    *out++ = digit(milli / 10 % 10);
    *out++ = digit(milli % 10);
    return text;
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
