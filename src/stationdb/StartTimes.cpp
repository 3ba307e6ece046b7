#include "stationdb/StartTimes.h"

#include <algorithm>

bool StartTimes::HasFixedTime(const LogItem& item) {
    return item.Type == ItemType::TimedEvent || item.Type == ItemType::Split || IsBreakMarker(item);
}

float StartTimes::Apply(QList<LogItem>& items, float hourStart) {
    double clock = hourStart;
    double length = 0;
    const double hourEnd = double(hourStart) + 3600.0;
    for (qsizetype i = 1; i < items.size(); ++i) {
        LogItem& item = items[i];
        if (HasFixedTime(item) && item.Time >= hourStart && item.Time < hourEnd)
            clock = item.Time;
        else
            item.Time = float(clock);
        const bool fedBreak = IsBreakMarker(item) && i + 1 < items.size() && IsPushedAdvert(items[i + 1]);
        const double plays = fedBreak ? 0.0 : std::max(0.0, double(item.Duration));
        clock += plays;
        length += plays;
    }
    return float(length);
}
