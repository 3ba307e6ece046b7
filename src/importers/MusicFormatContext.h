#pragma once

#include "stationdb/StationDatabase.h"

#include <QString>
#include <functional>

// What reading music log lines needs besides the lines: the station's cart
// offsets and ranges, the cart type look-up, the hour being read and its play mode.
struct MusicFormatContext {
    qint32 OffsetAudioItems = 0;
    qint32 OffsetLinkItems = 0;
    qint32 CartOffset = 0;
    QString ScriptsRangeStart;
    QString ScriptsRangeEnd;
    QString CartGroupsStart;
    QString CartGroupsEnd;
    std::function<StationDatabase::CartLookup(const QString&)> LookupCart;

    // The hour being read: its start, in seconds after midnight.
    float HourStart = 0;
    // The hour's play mode (1 or 2) and flag, as break notes set them.
    int Mode = 1;
    bool HourFlag = false;
    // A break note asked to wait for hardware ($I), which this system cannot do:
    // the reader notes it, and the importer tells the operator.
    bool WaitForHardware = false;

    // The context of a station's current settings.
    static MusicFormatContext Of(StationDatabase& db);
};
