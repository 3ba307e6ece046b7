#pragma once

#include "stationdb/LogHour.h"
#include "stationdb/StationDatabase.h"

#include <QString>

// A station for the benchmarks: a Station Database with songs 1000-1399 (three
// minutes each) and adverts 5000-5049, and N days of music logs (24 full hours of 20
// songs and three breaks) and advert logs (5 adverts in each break) from 1 January
// 2010. No hour underruns and no cart is missing, so the application log stays quiet
// as on a good day.
class BenchStation {
public:
    static constexpr qint32 FirstDay = 40179; // 1 January 2010
    static constexpr int SongsPerHour = 20;
    static constexpr int BreaksPerHour = 3;
    static constexpr int AdvertsPerBreak = 5;

    // Makes the database in `folder` (its log folders beside it); false when it cannot.
    static bool Create(const QString& path, const QString& folder);
    static void WriteMusicLogs(const StationDatabase& db, int days);
    static void WriteAdvertLogs(const StationDatabase& db, int days);
    // The music logs as tables, and the description that reads them ("bench-table").
    static void WriteMusicTables(const StationDatabase& db, int days);
    static QByteArray TableDescription();
    // One hour as the music import builds it: its hour start and 19 songs.
    static LogHour HourOf(qint32 day, int hour);
};
