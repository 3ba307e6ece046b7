#include "importers/advert/AdvertDayLog.h"

#include <cstdlib>

namespace {

constexpr qint64 hourLength = 3600;

// The nearer of two, the earlier on a tie.
AdvertDayLog::Nearest nearer(const AdvertDayLog::Nearest& one, const AdvertDayLog::Nearest& other) {
    if (other.Hour < 0)
        return one;
    if (one.Hour < 0 || other.Distance < one.Distance ||
        (other.Distance == one.Distance && other.Time < one.Time))
        return other;
    return one;
}

} // namespace

AdvertDayLog::Nearest AdvertDayLog::NearestIn(const QList<qint64>& times, int hour, qint64 time) {
    Nearest found;
    for (const qint64 at : times)
        found = nearer(found, {hour, at, std::abs(time - at)});
    return found;
}

void AdvertDayLog::Append(Line line) {
    if (!line.Problem.isEmpty())
        ++unreadable;
    else if (line.Time >= 0)
        ++readable;
    if (line.Time < 0) {
        line.Place = lastPlace;
        lines.append(std::move(line));
        return;
    }
    line.Place = int(line.Time / hourLength);
    if (lastPlace < 0) { // the lines before the first with a time stand among its hour
        for (Line& before : lines)
            before.Place = line.Place;
    }
    lastPlace = line.Place;
    lines.append(std::move(line));
}

void AdvertDayLog::TakeNone() {
    for (Line& line : lines)
        line.Hour = -2;
}

AdvertDayLog::Nearest AdvertDayLog::NearestBreak(qint64 time, qint64 reach, const BreakTimes& breaks) {
    const int hour = int(time / hourLength);
    Nearest found = NearestIn(breaks(hour), hour, time);
    // A neighbour's break can only be nearer when its hour's edge is.
    const qint64 sinceStart = time - hour * hourLength;
    const qint64 toEnd = (hour + 1) * hourLength - time;
    if (hour > 0 && sinceStart <= reach && (found.Hour < 0 || sinceStart <= found.Distance))
        found = nearer(found, NearestIn(breaks(hour - 1), hour - 1, time));
    if (hour < 23 && toEnd <= reach && (found.Hour < 0 || toEnd <= found.Distance))
        found = nearer(found, NearestIn(breaks(hour + 1), hour + 1, time));
    return found;
}

int AdvertDayLog::hourOf(const Line& line, qint64 window, const BreakTimes& breaks) {
    const Nearest nearest = NearestBreak(line.Time, window, breaks);
    return nearest.Hour >= 0 && nearest.Distance <= window ? nearest.Hour : int(line.Time / hourLength);
}

AdvertDayLog::HourLines AdvertDayLog::Take(int hour, qint64 window, const BreakTimes& breaks) {
    const qint64 start = hour * hourLength;
    HourLines taken;
    for (Line& line : lines) {
        if (line.Hour != -1)
            continue;
        if (line.Time < 0 && line.Place != hour)
            continue;
        if (line.Time >= 0) {
            if (line.Time < start - window || line.Time >= start + hourLength + window)
                continue;
            // A neighbour's line comes here only for a break of this hour within the window.
            if (line.Time / hourLength != hour) {
                const Nearest here = NearestIn(breaks(hour), hour, line.Time);
                if (here.Hour < 0 || here.Distance > window)
                    continue;
            }
            if (hourOf(line, window, breaks) != hour)
                continue;
        }
        line.Hour = hour;
        (line.Problem.isEmpty() ? taken.Placing : taken.Unreadable).append(&line);
    }
    return taken;
}

QList<const AdvertDayLog::Line*> AdvertDayLog::Untaken() const {
    QList<const Line*> left;
    for (const Line& line : lines) {
        if (line.Hour == -1 && !line.Blank())
            left.append(&line);
    }
    return left;
}
