#pragma once

#include "base/ScheduleDate.h"

#include <QString>

// The range the date range control holds, and the rules by which it may be used.
struct DateRange {
    ScheduleDate Start;
    ScheduleDate End;
    ScheduleDate Earliest{38353, 0};       // 1 January 2005
    ScheduleDate Latest{50000, 86399.99f}; // 21 November 2036

    // Why the range may not be used, or "" when it may. The checks asked for:
    // `inOrder` the end must not come before the start; `withinLimits` both ends lie
    // between the earliest and latest dates; `dated` both ends are dates at all.
    QString Problem(bool inOrder, bool withinLimits, bool dated) const;
    // A point as the window's labels give it: the abbreviated day name, the system's
    // short date, hours and minutes.
    static QString Label(const ScheduleDate& date);
};
