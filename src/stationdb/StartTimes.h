#pragma once

#include "stationdb/LogItem.h"

#include <QList>

// How the start times of an hour's items follow from the hour start and their
// durations.
//
// The items play one after another from the hour start: each starts when the one
// before it ends. Items with a fixed time keep it and the running clock moves to
// it: timed events (type 1), splits (type 14) and advert break markers (type 4,
// state 1), when their time lies within the hour. A break marker takes no time of
// its own once pushed adverts follow it (they carry the break's time); an empty
// break keeps its placeholder duration.
//
// The hour's length is the sum of the durations that play: it is what the hour
// holds, whatever gaps the fixed times leave, and is what an underrun is judged by.
class StartTimes {
public:
    // Sets Time on every item after the first (the hour start, at hourStart) and
    // returns the hour's length in seconds.
    static float Apply(QList<LogItem>& items, float hourStart);

    static bool HasFixedTime(const LogItem& item);
    static bool IsBreakMarker(const LogItem& item) {
        return item.Type == ItemType::Advert && item.State == ItemState::Marker;
    }
    static bool IsPushedAdvert(const LogItem& item) {
        return item.Type == ItemType::Advert && item.State == ItemState::Ready &&
               (item.Flags & ItemFlag::HasAdverts);
    }
};
