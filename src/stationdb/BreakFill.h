#pragma once

#include "stationdb/LogItem.h"

#include <QList>

// The adverts of one break, to go into the Scheduled Log right after its marker,
// in list order.
struct BreakFill {
    double Marker = 0; // the break marker's Position
    QList<LogItem> Adverts;
};
