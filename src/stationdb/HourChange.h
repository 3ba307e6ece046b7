#pragma once

#include "stationdb/InfoRow.h"
#include "stationdb/LogItem.h"

#include <QList>

// An hour of the Scheduled Log as it will stand once its breaks are filled, worked
// out in memory from the hour as it was read: applying it writes the final rows in
// one transaction, with nothing read back.
struct HourChange {
    double Hour = 0;      // the hour start's position
    int FlagsBefore = 0;  // the hour start's flags when it was read; the change applies only to them
    QList<LogItem> Items; // every item of the hour as it will stand, in order
    QList<bool> Fresh;    // which of them are new
    QList<LogItem> Moved; // the items already there whose time, length or flags change
    bool LaidOut = false; // a gap was too narrow: the whole hour is written again
    float HourLength = 0; // as the hour start will hold it
    // The advert information of carts the hour brings, brought up to date in the
    // hour's own transaction: a run cut short after the hour still leaves its rows.
    QList<InfoRow> Information;
};
