#include "stationdb/ScheduledLog.h"

#include "stationdb/DatabaseMaintenance.h"
#include "stationdb/StartTimes.h"

#include <QVariant>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr double secondsPerDay = 86400.0;
// All positions of an hour lie in [hour, hour + band): well under the 5 ms that
// would round a position to the next hundredth of a second.
constexpr double band = 0.004 / secondsPerDay;

const QString columns = QStringLiteral(
    "LogPosition, ItemDate, ItemTime, ItemType, CartNumber, Title, Description, Note, Text1, Text2, "
    "EndStyle, "
    "Transition, PlayTransition, Flags, State, Parameter1, Parameter2, Parameter3, Parameter4, "
    "TextParameter1, "
    "TextParameter2, TextParameter3, TextParameter4, InputNumber, InputFlag, Duration, Length2, HourStart, "
    "HourLength, Reference");

QString select(const QString& rest) {
    return u"SELECT "_s + columns + u" FROM LogItems "_s + rest;
}

const QString selectFirst = select(u"ORDER BY LogPosition LIMIT 1"_s);
const QString selectLast = select(u"ORDER BY LogPosition DESC LIMIT 1"_s);
const QString selectNext = select(u"WHERE LogPosition > ? ORDER BY LogPosition LIMIT 1"_s);
const QString selectPrevious = select(u"WHERE LogPosition < ? ORDER BY LogPosition DESC LIMIT 1"_s);
const QString selectAt = select(u"WHERE LogPosition = ?"_s);
const QString selectHourStart =
    select(u"WHERE LogPosition >= ? AND LogPosition < ? AND ItemType = ? ORDER BY LogPosition LIMIT 1"_s);
// What filling an hour's breaks needs of its items: the columns it reads or changes.
const QString selectOutline = u"SELECT LogPosition, ItemDate, ItemTime, ItemType, State, Flags, Transition, "
                              u"Duration, HourLength, Parameter1 FROM LogItems WHERE LogPosition >= ? AND "
                              u"LogPosition < ? ORDER BY LogPosition"_s;
const QString selectAnyBetween =
    u"SELECT 1 FROM LogItems WHERE LogPosition >= ? AND LogPosition < ? LIMIT 1"_s;
const QString selectBetween = select(u"WHERE LogPosition >= ? AND LogPosition < ? ORDER BY LogPosition"_s);
// The partial index of the hours holding adverts serves this; its condition must
// stand in the query word for word.
const QString selectLatestWithAdverts = u"SELECT LogPosition FROM LogItems WHERE ItemType = 98 AND "
                                        u"(Flags & 2) <> 0 ORDER BY LogPosition DESC LIMIT 1"_s;
const QString selectPushedCarts = u"SELECT DISTINCT CartNumber FROM LogItems WHERE LogPosition >= ? AND "
                                  u"ItemType = ? AND State = ? AND (Flags & ?) <> 0 ORDER BY CartNumber"_s;
const QString selectWaiting = u"SELECT hour.LogPosition FROM LogItems hour WHERE hour.LogPosition >= ? "
                              u"AND hour.ItemType = ? AND (hour.Flags & ?) = 0 AND EXISTS (SELECT 1 FROM "
                              u"LogItems marker WHERE marker.LogPosition > hour.LogPosition AND "
                              u"marker.LogPosition < hour.LogPosition + ? AND marker.ItemType = ? AND "
                              u"marker.State = ?) ORDER BY hour.LogPosition"_s;
const QString insertItem =
    u"INSERT INTO LogItems ("_s + columns +
    u") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s;

const QString updateItem =
    u"UPDATE LogItems SET ItemDate = ?, ItemTime = ?, ItemType = ?, CartNumber = ?, Title = ?, Description = "
    u"?, "
    u"Note = ?, Text1 = ?, Text2 = ?, EndStyle = ?, Transition = ?, PlayTransition = ?, Flags = ?, State = "
    u"?, "
    u"Parameter1 = ?, Parameter2 = ?, Parameter3 = ?, Parameter4 = ?, TextParameter1 = ?, TextParameter2 = "
    u"?, "
    u"TextParameter3 = ?, TextParameter4 = ?, InputNumber = ?, InputFlag = ?, Duration = ?, Length2 = ?, "
    u"HourStart = ?, HourLength = ?, Reference = ? WHERE LogPosition = ?"_s;
const QString updateTimes =
    u"UPDATE LogItems SET ItemTime = ?, HourLength = ?, Flags = ? WHERE LogPosition = ?"_s;
const QString deleteBetween = u"DELETE FROM LogItems WHERE LogPosition >= ? AND LogPosition < ?"_s;

// The hour that holds a position.
double hourOf(double position) {
    const double day = std::floor(position);
    // A hair over the hour, so that an hour start rounded just below it still counts.
    const double hour = std::floor((position - day) * 24.0 + 1e-6);
    return day + hour / 24.0;
}

// The smallest step between two positions of an hour that keeps them apart.
double smallestStep(double hour) {
    return 8 * (std::nextafter(hour, std::numeric_limits<double>::max()) - hour);
}

LogItem readItem(const NativeStatement& row) {
    LogItem item;
    int c = 0;
    item.Position = row.Double(c++);
    item.Date = row.Int(c++);
    item.Time = float(row.Double(c++));
    item.Type = row.Int(c++);
    item.CartNumber = row.Text(c++);
    item.Title = row.Text(c++);
    item.Description = row.Text(c++);
    item.Note = row.Text(c++);
    item.Text1 = row.Text(c++);
    item.Text2 = row.Text(c++);
    item.EndStyle = row.Int(c++);
    item.Transition = row.Int(c++);
    item.PlayTransition = row.Int(c++);
    item.Flags = row.Int(c++);
    item.State = row.Int(c++);
    for (float& parameter : item.Parameters)
        parameter = float(row.Double(c++));
    for (QString& text : item.TextParameters)
        text = row.Text(c++);
    item.InputNumber = row.Int(c++);
    item.InputFlag = row.Int(c++);
    item.Duration = float(row.Double(c++));
    item.Length2 = float(row.Double(c++));
    item.HourStart = float(row.Double(c++));
    item.HourLength = float(row.Double(c++));
    item.Reference = row.Text(c++);
    return item;
}

// Binds the item's fields after its position, in column order, from place `first` on.
void bindFields(NativeStatement& statement, const LogItem& item, int first) {
    int at = first;
    statement.Bind(at++, int(item.Date));
    statement.Bind(at++, double(item.Time));
    statement.Bind(at++, item.Type);
    for (const QString* text :
         {&item.CartNumber, &item.Title, &item.Description, &item.Note, &item.Text1, &item.Text2})
        statement.Bind(at++, *text);
    for (const int number :
         {item.EndStyle, item.Transition, item.PlayTransition, item.Flags & 0xFFFF, item.State})
        statement.Bind(at++, number);
    for (const float parameter : item.Parameters)
        statement.Bind(at++, double(parameter));
    for (const QString& text : item.TextParameters)
        statement.Bind(at++, text);
    statement.Bind(at++, item.InputNumber);
    statement.Bind(at++, item.InputFlag);
    for (const float number : {item.Duration, item.Length2, item.HourStart, item.HourLength})
        statement.Bind(at++, double(number));
    statement.Bind(at++, item.Reference);
}

void bindAll(QSqlQuery& query, const QList<QVariant>& values) {
    for (qsizetype i = 0; i < values.size(); ++i)
        query.bindValue(int(i), values[i]);
}

} // namespace

ScheduledLog::ScheduledLog(const QSqlDatabase& connection, StationWriter& writer)
    : connection(connection), writer(writer) {}

double ScheduledLog::LocateHour(const ScheduleDate& date) {
    const int hour = int(std::floor(date.Seconds / 3600.0f));
    return double(date.Day) + std::clamp(hour, 0, 23) / 24.0;
}

ScheduleDate ScheduledLog::ScheduleDateFromDate(double position) {
    const double day = std::floor(position);
    const double hundredths = std::round((position - day) * secondsPerDay * 100.0);
    return {qint32(day), float(hundredths / 100.0)};
}

QSqlQuery& ScheduledLog::prepared(const QString& sql) {
    auto found = queries.find(&sql);
    if (found == queries.end()) {
        found = queries.emplace(&sql, QSqlQuery(connection)).first;
        found->second.setForwardOnly(true);
        found->second.prepare(sql);
    }
    return found->second;
}

NativeStatement& ScheduledLog::native(const QString& sql, const QList<double>& values) {
    auto found = statements.find(&sql);
    if (found == statements.end())
        found = statements.emplace(&sql, NativeStatement::Prepare(connection, sql)).first;
    else if (!found->second->IsValid()) // it could not be prepared before (a busy database): again
        found->second = NativeStatement::Prepare(connection, sql);
    NativeStatement& statement = *found->second;
    for (qsizetype i = 0; i < values.size(); ++i)
        statement.Bind(int(i + 1), values[i]);
    return statement;
}

void ScheduledLog::finish(NativeStatement& statement) {
    if (statement.Failed())
        writer.NoteReadFailure();
    statement.Reset();
}

std::optional<LogItem> ScheduledLog::single(const QString& sql, const QList<double>& values) {
    const StationWriter::Wait wait(writer);
    NativeStatement& statement = native(sql, values);
    std::optional<LogItem> item;
    if (statement.Step())
        item = readItem(statement);
    finish(statement);
    return item;
}

std::optional<LogItem> ScheduledLog::FirstLogItem() {
    return single(selectFirst, {});
}

std::optional<LogItem> ScheduledLog::LastLogItem() {
    return single(selectLast, {});
}

std::optional<LogItem> ScheduledLog::NextLogItem(double position) {
    return single(selectNext, {position});
}

std::optional<LogItem> ScheduledLog::PreviousLogItem(double position) {
    return single(selectPrevious, {position});
}

std::optional<LogItem> ScheduledLog::ItemAt(double position) {
    return single(selectAt, {position});
}

std::optional<LogItem> ScheduledLog::HourStartItem(double position) {
    const double hour = hourOf(position);
    return single(selectHourStart, {hour, hour + band, double(ItemType::HourStart)});
}

QList<LogItem> ScheduledLog::ItemsBetween(double from, double to) {
    const StationWriter::Wait wait(writer);
    NativeStatement& statement = native(selectBetween, {hourOf(from), hourOf(to) + band});
    QList<LogItem> items;
    while (statement.Step())
        items.append(readItem(statement));
    finish(statement);
    return items;
}

QList<ScheduleDate> ScheduledLog::HoursWaitingForAdverts(double from) {
    const StationWriter::Wait wait(writer);
    NativeStatement& statement =
        native(selectWaiting, {hourOf(from), double(ItemType::HourStart), double(ItemFlag::HasAdverts), band,
                               double(ItemType::Advert), double(ItemState::Marker)});
    QList<ScheduleDate> hours;
    while (statement.Step())
        hours.append(ScheduleDateFromDate(statement.Double(0)));
    finish(statement);
    return hours;
}

QStringList ScheduledLog::PushedAdvertCarts(double from) {
    NativeStatement& statement =
        native(selectPushedCarts, {hourOf(from), double(ItemType::Advert), double(ItemState::Ready),
                                   double(ItemFlag::HasAdverts)});
    QStringList carts;
    while (statement.Step())
        carts.append(statement.Text(0));
    finish(statement);
    return carts;
}

std::optional<ScheduleDate> ScheduledLog::LatestHourWithAdverts() {
    const StationWriter::Wait wait(writer);
    NativeStatement& statement = native(selectLatestWithAdverts, {});
    std::optional<ScheduleDate> hour;
    if (statement.Step())
        hour = ScheduleDateFromDate(statement.Double(0));
    finish(statement);
    return hour;
}

QList<LogItem> ScheduledLog::HourOutline(double position) {
    const StationWriter::Wait wait(writer);
    const double hour = hourOf(position);
    NativeStatement& statement = native(selectOutline, {hour, hour + band});
    QList<LogItem> items;
    while (statement.Step()) {
        LogItem item;
        item.Position = statement.Double(0);
        item.Date = statement.Int(1);
        item.Time = float(statement.Double(2));
        item.Type = statement.Int(3);
        item.State = statement.Int(4);
        item.Flags = statement.Int(5);
        item.Transition = statement.Int(6);
        item.Duration = float(statement.Double(7));
        item.HourLength = float(statement.Double(8));
        item.Parameter(1) = float(statement.Double(9));
        items.append(std::move(item));
    }
    finish(statement);
    return items;
}

bool ScheduledLog::holdsItems(double hour) {
    const StationWriter::Wait wait(writer);
    NativeStatement& statement = native(selectAnyBetween, {hour, hour + band});
    const bool any = statement.Step();
    finish(statement);
    return any;
}

QList<LogItem> ScheduledLog::hourItems(double hour) {
    return ItemsBetween(hour, hour);
}

bool ScheduledLog::insert(const LogItem& item) {
    NativeStatement& statement = native(insertItem, {item.Position});
    bindFields(statement, item, 2);
    return statement.Queue(); // known written when the hour's transaction ends
}

bool ScheduledLog::WriteHour(const ScheduleDate& hour, LogHour& items) {
    const double start = LocateHour(hour);
    const double step = band / (items.Count() + 1);
    if (items.Count() == 0 || step < smallestStep(start))
        return writer.Run([](QString& refusal) {
            refusal = u"the hour holds no items, or more than its place in the log can hold"_s;
            return false;
        });
    QList<LogItem>& list = items.Items();
    for (qsizetype i = 0; i < list.size(); ++i) {
        list[i].Position = start + double(i) * step;
        list[i].Date = hour.Day;
    }
    list[0].HourLength = StartTimes::Apply(list, ScheduleDateFromDate(start).Seconds);
    return writer.RunQueued([&](QString& refusal) {
        writer.ClearReadFailure();
        if (holdsItems(start)) {
            refusal = u"the hour is already in the Scheduled Log"_s;
            return false;
        }
        if (!writer.ReadFailure().IsWritten())
            return false; // the database's own words say why
        return std::all_of(list.cbegin(), list.cend(), [this](const LogItem& item) { return insert(item); });
    });
}

bool ScheduledLog::layOut(double hour, QList<LogItem>& items) {
    const double step = band / double(items.size() + 1);
    if (step < smallestStep(hour))
        return false;
    for (qsizetype i = 0; i < items.size(); ++i)
        items[i].Position = hour + double(i) * step;
    return true;
}

std::optional<HourChange> ScheduledLog::PlanBreaks(const QList<LogItem>& before,
                                                   const QList<BreakFill>& fills, QString& refusal) {
    if (before.isEmpty() || before[0].Type != ItemType::HourStart) {
        refusal = u"the hour is no longer in the Scheduled Log"_s;
        return std::nullopt;
    }
    if (before[0].Flags & ItemFlag::HasAdverts) {
        refusal = u"the hour already holds adverts"_s;
        return std::nullopt;
    }
    HourChange change;
    change.Hour = hourOf(before[0].Position);
    change.FlagsBefore = before[0].Flags;
    // The hour as it will stand: each break's adverts right after its marker.
    QList<bool> found(fills.size(), false);
    for (const LogItem& item : before) {
        change.Items.append(item);
        change.Fresh.append(false);
        for (qsizetype f = 0; f < fills.size(); ++f) {
            if (fills[f].Marker != item.Position || found[f])
                continue;
            found[f] = true;
            for (LogItem advert : fills[f].Adverts) {
                advert.Date = item.Date;
                change.Items.append(advert);
                change.Fresh.append(true);
            }
        }
    }
    if (found.contains(false)) {
        refusal = u"an advert break of the hour is no longer in the Scheduled Log"_s;
        return std::nullopt;
    }
    change.Items[0].Flags |= ItemFlag::HasAdverts;
    change.HourLength = StartTimes::Apply(change.Items, ScheduleDateFromDate(change.Hour).Seconds);
    change.Items[0].HourLength = change.HourLength;
    change.LaidOut = !placeNew(change.Hour, change.Items, change.Fresh);
    if (change.LaidOut && !layOut(change.Hour, change.Items)) {
        refusal = u"the hour cannot hold so many items"_s;
        return std::nullopt;
    }
    for (qsizetype i = 0, b = 0; i < change.Items.size() && !change.LaidOut; ++i) {
        if (change.Fresh[i])
            continue;
        const LogItem& now = change.Items[i];
        const LogItem& was = before[b++];
        if (now.Time != was.Time || now.HourLength != was.HourLength || now.Flags != was.Flags)
            change.Moved.append(now);
    }
    return change;
}

bool ScheduledLog::ApplyHour(const HourChange& change) {
    return writer.RunQueued([&](QString& refusal) { return applyHour(change, refusal); });
}

bool ScheduledLog::applyHour(const HourChange& change, QString& refusal) {
    writer.ClearReadFailure();
    const auto start = ItemAt(change.Hour);
    if (!writer.ReadFailure().IsWritten())
        return false; // not read is not changed: the database's own words say why
    if (!start || start->Flags != change.FlagsBefore) {
        refusal = start && (start->Flags & ItemFlag::HasAdverts) ? u"the hour already holds adverts"_s
                                                                 : u"the hour changed while it was read"_s;
        return false;
    }
    if (change.LaidOut)
        return layOutAgain(change) && stampInformation(change);
    for (const LogItem& item : change.Moved) {
        if (!native(updateTimes,
                    {double(item.Time), double(item.HourLength), double(item.Flags & 0xFFFF), item.Position})
                 .Queue())
            return false;
    }
    for (qsizetype i = 0; i < change.Items.size(); ++i) {
        if (change.Fresh[i] && !insert(change.Items[i]))
            return false;
    }
    return stampInformation(change);
}

bool ScheduledLog::stampInformation(const HourChange& change) {
    const DatabaseMaintenance information(connection, writer);
    return std::all_of(change.Information.cbegin(), change.Information.cend(),
                       [&information](const InfoRow& row) { return information.Stamp(row); });
}

bool ScheduledLog::layOutAgain(const HourChange& change) {
    // The plan may know only the hour's outline: the items already there are read
    // whole and take their new places, times and flags from it.
    QList<LogItem> all = hourItems(change.Hour);
    if (!writer.ReadFailure().IsWritten())
        return false;
    QList<LogItem> final = change.Items;
    for (qsizetype i = 0, was = 0; i < final.size(); ++i) {
        if (change.Fresh[i])
            continue;
        if (was >= all.size())
            return false;
        LogItem whole = all[was++];
        whole.Position = final[i].Position;
        whole.Time = final[i].Time;
        whole.HourLength = final[i].HourLength;
        whole.Flags = final[i].Flags;
        final[i] = whole;
    }
    QSqlQuery& remove = prepared(deleteBetween);
    bindAll(remove, {change.Hour, change.Hour + band});
    return remove.exec() &&
           std::all_of(final.cbegin(), final.cend(), [this](const LogItem& item) { return insert(item); });
}

bool ScheduledLog::placeNew(double hour, QList<LogItem>& all, const QList<bool>& fresh) {
    for (qsizetype i = 1; i < all.size(); ++i) {
        if (!fresh[i])
            continue;
        qsizetype end = i;
        while (end < all.size() && fresh[end])
            ++end;
        const double low = all[i - 1].Position;
        const double high = end < all.size() ? all[end].Position : hour + band;
        const double step = (high - low) / double(end - i + 1);
        if (step < smallestStep(hour))
            return false;
        for (qsizetype k = i; k < end; ++k)
            all[k].Position = low + double(k - i + 1) * step;
        i = end;
    }
    return true;
}

bool ScheduledLog::UpdateItem(double position, const LogItem& item) {
    return writer.Run([&](QString& refusal) {
        NativeStatement& statement = native(updateItem, {});
        bindFields(statement, item, 1);
        statement.Bind(30, position);
        if (!statement.Execute())
            return false;
        if (statement.Changes() != 1)
            refusal = u"there is no item at that place in the Scheduled Log"_s;
        return refusal.isEmpty();
    });
}

bool ScheduledLog::storeTimes(const QList<LogItem>& items, const QList<LogItem>& before) {
    qsizetype b = 0;
    for (const LogItem& item : items) {
        while (b < before.size() && before[b].Position < item.Position)
            ++b;
        if (b >= before.size() || before[b].Position != item.Position)
            continue; // a new item: inserted with its times
        const LogItem& old = before[b];
        if (item.Time == old.Time && item.HourLength == old.HourLength && item.Flags == old.Flags)
            continue; // only what moved is written
        if (!native(updateTimes,
                    {double(item.Time), double(item.HourLength), double(item.Flags & 0xFFFF), item.Position})
                 .Execute())
            return false;
    }
    return true;
}

bool ScheduledLog::retime(double hour) {
    QList<LogItem> items = hourItems(hour);
    if (items.isEmpty())
        return true;
    const QList<LogItem> before = items;
    items[0].HourLength = StartTimes::Apply(items, ScheduleDateFromDate(hour).Seconds);
    return storeTimes(items, before);
}

bool ScheduledLog::RemoveLogRange(const ScheduleDate& start, const ScheduleDate& end,
                                  const QString& typeFlags) {
    QString sql = u"DELETE FROM LogItems WHERE LogPosition >= ? AND LogPosition < ?"_s;
    QList<QVariant> values = {LocateHour(start), LocateHour(end) + band};
    if (typeFlags.count(u'Y', Qt::CaseInsensitive) != typeFlags.size() || typeFlags.isEmpty()) {
        QStringList marks;
        for (qsizetype i = 0; i < typeFlags.size(); ++i) {
            if (typeFlags[i].toUpper() == u'Y') {
                marks.append(u"?"_s);
                values.append(int(i + 1));
            }
        }
        if (marks.isEmpty())
            return false;
        sql += u" AND ItemType IN ("_s + marks.join(u", "_s) + u')';
    }
    return writer.Run([&](QString& refusal) {
        QSqlQuery query(connection);
        query.prepare(sql);
        bindAll(query, values);
        if (!query.exec())
            return false;
        if (query.numRowsAffected() == 0)
            refusal = u"there was nothing to remove"_s;
        return refusal.isEmpty();
    });
}

bool ScheduledLog::RemoveAdvertRange(const ScheduleDate& start, const ScheduleDate& end) {
    const double from = LocateHour(start);
    const double to = LocateHour(end) + band;
    return writer.Run([&](QString& refusal) {
        QList<double> marked;
        for (const LogItem& item : ItemsBetween(from, LocateHour(end))) {
            if (item.Type == ItemType::HourStart && (item.Flags & ItemFlag::HasAdverts))
                marked.append(item.Position);
        }
        QSqlQuery adverts(connection);
        adverts.prepare(u"DELETE FROM LogItems WHERE LogPosition >= ? AND LogPosition < ? AND ItemType = ? "
                        u"AND State = ? AND (Flags & ?) <> 0"_s);
        bindAll(adverts, {from, to, ItemType::Advert, ItemState::Ready, ItemFlag::HasAdverts});
        if (!adverts.exec())
            return false;
        const int removed = adverts.numRowsAffected();
        QSqlQuery unmark(connection);
        unmark.prepare(u"UPDATE LogItems SET Flags = Flags & ? WHERE LogPosition >= ? AND LogPosition < ? "
                       u"AND ItemType = ?"_s);
        bindAll(unmark, {0xFFFF & ~ItemFlag::HasAdverts, from, to, ItemType::HourStart});
        if (!unmark.exec())
            return false;
        for (const double hour : marked) {
            if (!retime(hour))
                return false;
        }
        if (removed == 0 && marked.isEmpty())
            refusal = u"there were no adverts to remove"_s;
        return refusal.isEmpty();
    });
}

bool ScheduledLog::RemoveAllLogEntries() {
    return writer.Run([this](QString&) {
        QSqlQuery query(connection);
        return query.exec(u"DELETE FROM LogItems"_s);
    });
}
