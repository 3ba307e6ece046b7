#pragma once

#include "base/ScheduleDate.h"

// A range of the schedule an import works over: from the start of its first hour
// to the end of its last.
struct HourRange {
    ScheduleDate From;
    ScheduleDate To;
};
