#pragma once

#include "base/ScheduleDate.h"
#include "stationdb/BreakFill.h"
#include "stationdb/HourChange.h"
#include "stationdb/LogHour.h"
#include "stationdb/LogItem.h"
#include "stationdb/NativeStatement.h"
#include "stationdb/StationWriter.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <map>
#include <memory>
#include <optional>

// The Scheduled Log of one open Station Database: reading it item by item and
// writing whole hours, breaks and single items.
//
// Positions: every item of an hour stands within the first 4 ms of the hour (its
// Position is the hour's date value plus a tiny step), in play order. The hour
// start stands exactly on the hour. So an item's position read back as a schedule
// point gives its hour (to the hundredth of a second the schedule counts in), items
// of one hour are one indexed range, and inserting into a break never touches
// another hour.
//
// Every change is one transaction through the database's writer: it waits for a
// busy database, and is whole or not at all.
class ScheduledLog {
public:
    ScheduledLog(const QSqlDatabase& connection, StationWriter& writer);

    // The position of the hour that holds a schedule point.
    static double LocateHour(const ScheduleDate& date);
    // The schedule point of a position, to the hundredth of a second.
    static ScheduleDate ScheduleDateFromDate(double position);

    // A read that fails gives nothing, as one that finds nothing does; the writer's
    // ReadFailure tells the two apart.
    std::optional<LogItem> FirstLogItem();
    std::optional<LogItem> LastLogItem();
    std::optional<LogItem> NextLogItem(double position);
    std::optional<LogItem> PreviousLogItem(double position);
    std::optional<LogItem> ItemAt(double position);
    // The hour start item of the hour that holds the position.
    std::optional<LogItem> HourStartItem(double position);
    // The items whose hours start from `from` to `to`, in order.
    QList<LogItem> ItemsBetween(double from, double to);
    // The items of the hour that holds the position, with only what filling its
    // breaks reads or changes: places, date, times, types, states, flags,
    // transitions, durations, hour length and mode.
    QList<LogItem> HourOutline(double position);
    // The hours from the position on that hold an advert break marker but are not
    // marked as holding adverts: the hours still waiting for their adverts.
    QList<ScheduleDate> HoursWaitingForAdverts(double from);
    // The carts of the pushed adverts the Scheduled Log holds from the position on,
    // each once.
    QStringList PushedAdvertCarts(double from);
    // The start of the latest hour marked as holding adverts; nothing when none is.
    std::optional<ScheduleDate> LatestHourWithAdverts();

    // Writes a whole hour that the log does not hold yet, in one transaction. Sets
    // each item's Position, Date and Time, and the first item's HourLength.
    bool WriteHour(const ScheduleDate& hour, LogHour& items);
    // The hour (as read, in order) with its breaks filled: each break's adverts
    // after its marker with their start times, the hour start marked as holding
    // adverts with its new length, and the items the adverts move. Worked out in
    // memory; nothing when the hour is not one or a break has gone (`refusal` says).
    static std::optional<HourChange> PlanBreaks(const QList<LogItem>& hour, const QList<BreakFill>& fills,
                                                QString& refusal);
    // Writes the change in one transaction, as it was planned: refused when the hour
    // start's flags changed meanwhile (another run filled it, or it went). The
    // change's advert information is stamped in the same transaction.
    bool ApplyHour(const HourChange& change);
    // Stores the item's fields (all but its position) at the position.
    bool UpdateItem(double position, const LogItem& item);

    // Removes the items of every hour from the hour of start to the hour of end whose
    // type is marked "Y" in the flags (character n for type n). True when any went.
    bool RemoveLogRange(const ScheduleDate& start, const ScheduleDate& end, const QString& typeFlags);
    // Removes the pushed adverts of those hours and their hours' "has adverts" mark;
    // break markers stay. True when anything changed.
    bool RemoveAdvertRange(const ScheduleDate& start, const ScheduleDate& end);
    bool RemoveAllLogEntries();

private:
    // The query of one of the fixed statements, prepared on first use; kept by the
    // statement's address, so only the file's own constants may be passed.
    QSqlQuery& prepared(const QString& sql);
    // One of the file's fixed statements, prepared on first use straight on the
    // database's own library (reading and writing items is the hot path), with the
    // values bound from place 1.
    NativeStatement& native(const QString& sql, const QList<double>& values);
    std::optional<LogItem> single(const QString& sql, const QList<double>& values);
    // Ends a read: one that failed is noted with the writer, so that its caller can
    // tell it from a read that found nothing.
    void finish(NativeStatement& statement);
    QList<LogItem> hourItems(double hour);
    bool holdsItems(double hour);
    bool insert(const LogItem& item);
    // Stores the time, hour length and flags of each item that differs from before.
    bool storeTimes(const QList<LogItem>& items, const QList<LogItem>& before);
    bool retime(double hour);
    // Places each run of new items in the gap between the items around it; False when
    // a gap is too narrow for its run.
    static bool placeNew(double hour, QList<LogItem>& all, const QList<bool>& fresh);
    // The new places of every item of an hour laid out again; False when even that
    // leaves no room.
    static bool layOut(double hour, QList<LogItem>& items);
    bool applyHour(const HourChange& change, QString& refusal);
    bool layOutAgain(const HourChange& change);
    bool stampInformation(const HourChange& change);

    QSqlDatabase connection;
    StationWriter& writer;
    std::map<const QString*, QSqlQuery> queries;
    std::map<const QString*, std::unique_ptr<NativeStatement>> statements;
};
