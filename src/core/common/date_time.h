#pragma once
// Date-time values as the files and the live windows keep them: days since 30 Dec 1899 as a
// double, the fraction being the time of day on the local wall clock, millisecond resolution.
#include <QDateTime>
#include <QString>

#include "core/common/text_locale.h"

namespace tolvane {

using DateTimeValue = double;

// Milliseconds in one day; a time step of one millisecond is 1 / MsPerDay in date-time units.
inline constexpr double MsPerDay = 86400000.0;

DateTimeValue toDateTimeValue(const QDateTime& localWallClock);
// The wall-clock date and time of a value (rounded to the millisecond); negative values count
// days back from 30 Dec 1899 with the fraction still the time of day.
QDateTime fromDateTimeValue(DateTimeValue value);

// "h:nn:ss.zzz": hour without a leading zero, then minutes, seconds and milliseconds. The live
// grid uses the same form with the locale's decimal separator before the milliseconds.
QString formatTimeOfDay(DateTimeValue value);
QString formatTimeOfDay(DateTimeValue value, QChar millisecondSeparator);

// The locale's short date, a blank and its long time; the time is left out at exactly midnight.
QString formatDateTimeText(DateTimeValue value, const TextLocale& locale);

} // namespace tolvane
