#pragma once

#include "stationdb/LogHour.h"
#include "stationdb/StationDatabase.h"
#include "support/TempHome.h"

// A test with a fresh Station Database open in a temporary OSTREL_HOME.
class StationFixture : public TempHome {
protected:
    void SetUp() override;
    void TearDown() override;

    QString DatabasePath() const { return Path(u"Station.sdb"_s); }
    // Runs SQL on a connection of its own, as another program would.
    void Exec(const QString& sql);

    // An hour as the music import builds it: the hour start, then items of the given
    // durations (a negative duration makes an empty advert break of that time).
    static LogHour Hour(qint32 day, int hour, const QList<double>& items);
    // Writes such an hour and returns its items as stored.
    QList<LogItem> Write(qint32 day, int hour, const QList<double>& items);
    QList<LogItem> HourItems(qint32 day, int hour);
    // Fills an hour's breaks as the advert push does: the hour read, the change
    // planned in memory, then applied. "" when written; otherwise why not.
    QString Fill(double hour, const QList<BreakFill>& fills);

    static constexpr qint32 Day = 40505; // 23 November 2010
    StationDatabase db;
};
