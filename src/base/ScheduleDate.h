#pragma once

#include <QtGlobal>

// A point of the schedule: a whole day and the seconds after its midnight.
// Day is the serial of days since 30 December 1899 (36526 is 1 January 2000);
// 0 or less means no date. Seconds runs from 0 to 86399.99.
struct ScheduleDate {
    qint32 Day = 0;
    float Seconds = 0;

    friend bool operator==(const ScheduleDate&, const ScheduleDate&) = default;
};

static_assert(sizeof(ScheduleDate) == 8, "ScheduleDate is an 8-byte record");
