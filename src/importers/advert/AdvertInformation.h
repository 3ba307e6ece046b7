#pragma once

#include <QString>

#include "base/ScheduleDate.h"

class CartSet;
class StationDatabase;

// The Station Database's information about scheduled adverts, brought up to date at
// the end of every advert push: one row per cart pushed, by this push or by any
// earlier one whose adverts the Scheduled Log holds from today on, rows untouched for
// a week purged, and the time of the refresh stamped.
class AdvertInformation {
public:
    // False when a change could not be written or a row could not be read (the
    // database's last write says why); nothing of the refresh is then kept.
    static bool Refresh(StationDatabase& db, const CartSet& pushed, const ScheduleDate& today);

    // The filter that selects a cart's rows; quotes in the number are doubled, so a
    // number can only ever match itself.
    static QString FilterOf(const QString& number);

private:
    // The refresh's reads and changes; throws DatabaseError when a read fails.
    static bool refresh(StationDatabase& db, const CartSet& carts);
    // The carts pushed, with those of the Scheduled Log's pushed adverts from today on.
    static CartSet scheduled(StationDatabase& db, const CartSet& pushed, const ScheduleDate& today);
};
