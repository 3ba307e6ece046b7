#pragma once

#include "importers/HourReadiness.h"
#include "importers/RunCarts.h"
#include "importers/RunOutcome.h"
#include "stationdb/LogItem.h"

class StationDatabase;

// Weighs what an hour of the Scheduled Log will play against the cart store as
// it is now: a cart loaded since the import counts, one deleted since counts as
// missing. Each cart is looked up once for all the hours it weighs.
class HourAudit {
public:
    explicit HourAudit(StationDatabase& db);

    // The hour's length with its carts' audio, whether it is short, and the items
    // whose cart is missing or silent. `items` start with the hour start.
    void WeighItems(HourReadiness& ready, QList<LogItem> items);
    // The breaks' fit and the adverts' copy lengths, from the lines the plan gives
    // each break (`planned`, in the order of the hour's break markers).
    void WeighBreaks(HourReadiness& ready, const QList<LogItem>& items,
                     const QList<RunOutcome::Break>& planned);

private:
    // The cart's audio in seconds; 0 when it does not exist or has none.
    float audioOf(const QString& cart);
    void weighBreak(HourReadiness& ready, const LogItem& marker, const RunOutcome::Break& planned);

    StationDatabase& db;
    RunCarts carts;
    float shortLimit;
    float tolerance;
};
