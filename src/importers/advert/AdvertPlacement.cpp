#include "importers/advert/AdvertPlacement.h"

#include <QMap>

#include <algorithm>

qint64 AdvertPlacement::nearest(const QList<qint64>& times, qint64 time) {
    if (times.isEmpty())
        return -1;
    const auto after = std::lower_bound(times.cbegin(), times.cend(), time);
    if (after == times.cbegin())
        return *after;
    if (after == times.cend())
        return times.last();
    const qint64 before = *(after - 1);
    return time - before <= *after - time ? before : *after;
}

QList<AdvertPlacement::Place> AdvertPlacement::Of(const QList<qint64>& breaks, const QList<qint64>& lines,
                                                  qint64 window) {
    QMap<qint64, QList<int>> atTime; // each break time's breaks, in order
    for (int i = 0; i < breaks.size(); ++i)
        atTime[breaks[i]].append(i);
    const QList<qint64> times = atTime.keys();
    QMap<qint64, int> runs; // the runs each break time has had
    qint64 runTime = -1;    // the break time of the run in hand; -1 between runs
    QList<Place> places;
    places.reserve(lines.size());
    for (const qint64 time : lines) {
        Place place;
        if (time < 0) {
            runTime = -1; // a blank line ends the run
            places.append(place);
            continue;
        }
        place.Nearest = nearest(times, time);
        place.Distance = place.Nearest < 0 ? 0 : std::abs(time - place.Nearest);
        if (place.Nearest < 0 || place.Distance > window) {
            runTime = -1;
            places.append(place);
            continue;
        }
        if (runTime != place.Nearest) {
            runTime = place.Nearest;
            ++runs[runTime];
        }
        const QList<int>& candidates = atTime[runTime];
        const int run = runs[runTime] - 1;
        if (run < candidates.size())
            place.Break = candidates[run];
        else
            place.AfterItsRun = true;
        places.append(place);
    }
    return places;
}
