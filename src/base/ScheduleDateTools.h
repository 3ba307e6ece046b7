#pragma once

#include "base/ScheduleDate.h"

#include <QDateTime>
#include <QString>

// Arithmetic, comparison, reading and writing of schedule points.
// Date-and-time values are wall-clock times: the QDateTime values given and taken
// here carry no time zone meaning (they use Qt::UTC so that no daylight-saving gap
// or overlap can move them).
class ScheduleDateTools {
public:
    static constexpr double SecondsPerDay = 86400.0;
    static constexpr float EndOfDay = 86399.99f;
    static constexpr double HourEnd = 3599.99;

    // The current date and time.
    static ScheduleDate Today();

    // The point moved by the given seconds (negative moves back), carrying across
    // midnight in both directions.
    static ScheduleDate AddSeconds(const ScheduleDate& date, double seconds);
    // Midnight of the given day moved forward by the given seconds.
    static ScheduleDate ShiftSeconds(double seconds, qint32 day);
    // first - second, in seconds.
    static double Difference(const ScheduleDate& first, const ScheduleDate& second);

    static bool IsBefore(const ScheduleDate& first, const ScheduleDate& second);
    static bool IsAfter(const ScheduleDate& first, const ScheduleDate& second);
    static bool IsNotBefore(const ScheduleDate& first, const ScheduleDate& second);
    static bool IsSameHour(const ScheduleDate& first, const ScheduleDate& second);

    static QDateTime ToDate(const ScheduleDate& date);
    static ScheduleDate FromDate(const QDateTime& date);
    static qint32 DaySerial(const QDate& date);
    static QDate DateOfSerial(qint32 day);

    // The point a text names (see DateConversion), or Day 0 when it names none.
    static ScheduleDate ParseDate(QStringView text);

    // Style 4: "2010-11-23 14:00:00"; style 14: "Tue 23 November 2010 14:00:00".
    // ParseDate reads both back as the same second in every locale.
    static QString FormatDate(const QDateTime& date, int style);
    static QString FormatScheduleDate(const ScheduleDate& date, int style);
    // Style 2: a duration in minutes and seconds ("57:30"); styles 4 and 12: a time
    // of day "14:05:09".
    static QString FormatSeconds(double seconds, int style);
    // The English name of a month (1 to 12), which every locale's date reading takes.
    static QString MonthName(int month, bool abbreviated = false);

    // Waits the given seconds while letting pending events run.
    static void Pause(double seconds);
};
