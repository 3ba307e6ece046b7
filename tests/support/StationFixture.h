#pragma once

#include "stationdb/LogHour.h"
#include "stationdb/StationDatabase.h"
#include "support/TempHome.h"

// Where a test's Station Database is kept.
enum class Backend { Sqlite, PostgreSQL };

// A test with a fresh Station Database open in a temporary OSTREL_HOME: a file, or
// a schema of its own on the test program's throw-away PostgreSQL server.
class StationFixture : public TempHome {
protected:
    void SetUp() override;
    void TearDown() override;
    virtual Backend backend() const { return Backend::Sqlite; }

    QString DatabasePath() const { return Path(u"Station.sdb"_s); }
    // The database's location: DatabasePath(), or postgresql://...?schema=...
    const QString& Location() const { return location; }
    bool OnServer() const { return backend() == Backend::PostgreSQL; }
    // Runs SQL on a connection of its own, as another program would.
    void Exec(const QString& sql);
    // From now on the database refuses, in its own words, to insert a Scheduled Log
    // item that meets the SQL condition (on NEW, the item being inserted).
    void RefuseItemsWhere(const QString& condition, const QString& words);

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

private:
    QString location;
};

// The same cases on both backends: TEST_P on a fixture derived from this one, and
// ON_BOTH_BACKENDS(fixture) once in the file.
class BackendFixture : public StationFixture, public testing::WithParamInterface<Backend> {
protected:
    Backend backend() const override { return GetParam(); }
};

std::string BackendName(const testing::TestParamInfo<Backend>& info);

#define ON_BOTH_BACKENDS(Fixture)                                                                            \
    INSTANTIATE_TEST_SUITE_P(Backends, Fixture, testing::Values(Backend::Sqlite, Backend::PostgreSQL),       \
                             BackendName)
