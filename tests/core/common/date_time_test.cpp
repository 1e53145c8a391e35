#include <gtest/gtest.h>

#include "core/common/clock.h"
#include "core/common/date_time.h"

using namespace tolvane;

TEST(DateTime, ConvertsBothWaysAroundTheEpoch)
{
    struct Case {
        QDateTime when;
        double value;
    };
    const Case cases[] = {
        {QDateTime(QDate(1899, 12, 30), QTime(0, 0)), 0.0},
        {QDateTime(QDate(1899, 12, 31), QTime(12, 0)), 1.5},
        {QDateTime(QDate(1900, 1, 1), QTime(6, 0)), 2.25},
        {QDateTime(QDate(1899, 12, 29), QTime(6, 0)), -1.25}, // the fraction is still the time of day
        {QDateTime(QDate(2026, 1, 2), QTime(8, 0)), 46024.0 + 1.0 / 3.0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(toDateTimeValue(c.when), c.value) << c.when.toString().toStdString();
        EXPECT_EQ(fromDateTimeValue(c.value), c.when) << c.value;
    }
}

TEST(DateTime, KeepsMilliseconds)
{
    const QDateTime t(QDate(2026, 1, 2), QTime(23, 59, 59, 999));
    EXPECT_EQ(fromDateTimeValue(toDateTimeValue(t)), t);
}

TEST(DateTime, FormatsTimeOfDay)
{
    const double value = toDateTimeValue(QDateTime(QDate(2026, 1, 2), QTime(8, 5, 3, 40)));
    EXPECT_EQ(formatTimeOfDay(value), QLatin1String("8:05:03.040"));
    EXPECT_EQ(formatTimeOfDay(value, QLatin1Char(',')), QLatin1String("8:05:03,040"));
    EXPECT_EQ(formatTimeOfDay(toDateTimeValue(QDateTime(QDate(2026, 1, 2), QTime(17, 0)))),
              QLatin1String("17:00:00.000"));
}

TEST(DateTime, HeaderTextLeavesOutMidnight)
{
    const TextLocale locale = TextLocale::standard();
    EXPECT_EQ(formatDateTimeText(toDateTimeValue(QDateTime(QDate(2026, 3, 4), QTime(14, 7, 9))), locale),
              QLatin1String("3/4/2026 2:07:09 PM"));
    EXPECT_EQ(formatDateTimeText(toDateTimeValue(QDateTime(QDate(2026, 3, 4), QTime(0, 0))), locale),
              QLatin1String("3/4/2026"));
    EXPECT_EQ(formatDateTimeText(toDateTimeValue(QDateTime(QDate(2026, 3, 4), QTime(0, 0, 1))), locale),
              QLatin1String("3/4/2026 12:00:01 AM"));
}

TEST(ManualClock, StepsExactlyOverALongRun)
{
    ManualClock clock(QDateTime(QDate(2026, 1, 2), QTime(8, 0)));
    const double start = clock.now();
    for (int i = 0; i < 90000; ++i) // one hour of 40 ms ticks
        clock.advanceMs(40);
    EXPECT_EQ(fromDateTimeValue(clock.now()), QDateTime(QDate(2026, 1, 2), QTime(9, 0)));
    EXPECT_NEAR((clock.now() - start) * MsPerDay, 3600000.0, 1e-3);
    clock.set(start);
    EXPECT_EQ(clock.now(), start);
    EXPECT_EQ(clock.elapsedMs(), 0);
}
