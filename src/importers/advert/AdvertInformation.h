#pragma once

#include <QString>

#include "base/ScheduleDate.h"
#include "stationdb/InfoRow.h"

struct Cart;
class CartSet;
class StationDatabase;

// The Station Database's information about scheduled adverts: each hour a push
// writes stamps the rows of the carts it brings in its own transaction (see
// HourChange), and the end of every push brings the table up to date: one row per
// cart pushed, by this push or by any earlier one whose adverts the Scheduled Log
// holds from today on, rows untouched for a week purged, and the time of the
// refresh stamped.
class AdvertInformation {
public:
    // The end of a push: the rows of the carts of earlier pushes that the Scheduled
    // Log still holds are stamped (this push's own, `pushed`, were stamped with their
    // hours), week-old rows purged and the time of the refresh set. False when a
    // change could not be written or a row could not be read (the database's last
    // write says why); nothing of the refresh is then kept.
    static bool Refresh(StationDatabase& db, const CartSet& pushed, const ScheduleDate& today);

    // The cart's row as a refresh at `now` stamps it.
    static InfoRow RowOf(const Cart& cart, const QDateTime& now);

private:
    // The refresh's reads and changes; throws DatabaseError when a read fails.
    static bool refresh(StationDatabase& db, const CartSet& carts);
    // The carts of the Scheduled Log's pushed adverts from today on, but those pushed now.
    static CartSet earlier(StationDatabase& db, const CartSet& pushed, const ScheduleDate& today);
};
