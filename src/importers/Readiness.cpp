#include "importers/Readiness.h"

#include "base/FileTools.h"
#include "base/ScheduleDateTools.h"
#include "importers/AbstractLogImporter.h"
#include "importers/HourHeaderReader.h"
#include "importers/MusicLogLine.h"
#include "importers/MusicLogReader.h"
#include "importers/advert/AdvertLogImporter.h"
#include "stationdb/StartTimes.h"
#include "stationdb/StationDatabase.h"

#include <QJsonArray>
#include <QJsonDocument>

using namespace Qt::Literals::StringLiterals;

Readiness::Day Readiness::readDay(StationDatabase& db, qint32 day) {
    Day found;
    std::optional<MusicTableFormat> table;
    MusicLogReader::StationFormat(db.Settings().MusicLogFormat(), table, nullptr);
    MusicLogReader music(table);
    if (music.Open(db.MusicLogFileName(day))) {
        QString line;
        while (music.NextLine(line)) {
            line = MusicLogLine::WithoutFormFeed(line);
            if (!line.startsWith(u'+'))
                continue;
            const auto header = HourHeaderReader::Read(line, music).Read;
            if (header && header->Hour.Day == day)
                found.MusicHours.insert(int(header->Hour.Seconds / 3600));
        }
    }
    found.AdvertLog = FileTools::FileSize(db.AdvertLogFileName(day)) > 0;
    return found;
}

RunOutcome Readiness::plan(StationDatabase& db, const ScheduleDate& from, const ScheduleDate& to) {
    // What an advert push of the range would do, as a dry run: its ledger gives
    // each break's fate by the push's own rules (a line at its time, the filter,
    // a corrupt line, an hour on air), and nothing is written.
    RunOutcome ledger;
    ledger.Start(true, false);
    AdvertLogImporter().Import(db, {from, to}, ledger);
    return ledger;
}

QHash<double, QList<LogItem>> Readiness::itemsOf(StationDatabase& db, const ScheduleDate& from,
                                                 const ScheduleDate& to) {
    QHash<double, QList<LogItem>> hours;
    QList<LogItem>* hour = nullptr;
    for (LogItem& item :
         db.Log().ItemsBetween(ScheduledLog::LocateHour(from), ScheduledLog::LocateHour(to))) {
        if (item.Type == ItemType::HourStart)
            hour = &hours[ScheduledLog::LocateHour(ScheduledLog::ScheduleDateFromDate(item.Position))];
        if (hour)
            hour->append(std::move(item));
    }
    return hours;
}

QHash<double, Readiness::Unreadable> Readiness::unreadableOf(const RunOutcome& planned) {
    QHash<double, Unreadable> hours;
    for (const RunOutcome::Line& line : planned.AdvertLineRecords()) {
        if (line.Fate != RunOutcome::LineFate::Unreadable)
            continue;
        Unreadable& hour = hours[ScheduledLog::LocateHour(line.Hour)];
        ++hour.Lines;
        hour.Breaks.insert(line.Break);
    }
    return hours;
}

HourReadiness Readiness::hourOf(const ScheduleDate& hour, const QList<LogItem>& items, const Day& day,
                                const RunOutcome& planned, const Unreadable& unreadable, HourAudit& audit) {
    HourReadiness ready;
    ready.Hour = hour;
    ready.MusicOffered = day.MusicHours.contains(int(hour.Seconds / 3600));
    ready.AdvertLog = day.AdvertLog;
    if (items.isEmpty())
        return ready;
    ready.Scheduled = true;
    audit.WeighItems(ready, items);
    for (const LogItem& item : items) {
        ready.AdvertsInLog += StartTimes::IsPushedAdvert(item);
        ready.Breaks += StartTimes::IsBreakMarker(item);
    }
    // What the advert log gives its breaks is the plan's, break by break.
    const RunOutcome::Hour* fates = planned.HourAt(hour);
    if (!fates) { // with no advert log for its day yet, its breaks wait for one
        ready.EmptyBreaks = day.AdvertLog ? ready.Breaks : 0;
        return ready;
    }
    // A break whose only line cannot be read is not empty: that line is counted apart.
    ready.UnreadableLines = unreadable.Lines;
    for (const RunOutcome::Break& met : fates->Breaks) {
        ready.AdvertsOffered += met.Adverts;
        ready.EmptyBreaks += met.Adverts == 0 && !unreadable.Breaks.contains(met.Time);
    }
    audit.WeighBreaks(ready, items, fates->Breaks);
    return ready;
}

QList<HourReadiness> Readiness::Of(StationDatabase& db, const ScheduleDate& from, int hours) {
    QList<HourReadiness> found;
    ScheduleDate hour{from.Day, float(int(from.Seconds / 3600) * 3600)};
    const ScheduleDate last = ScheduleDateTools::AddSeconds(hour, (hours - 1) * 3600.0);
    const RunOutcome planned =
        plan(db, hour, ScheduleDateTools::AddSeconds(last, ScheduleDateTools::HourEnd));
    const QHash<double, QList<LogItem>> items = itemsOf(db, hour, last);
    const QHash<double, Unreadable> unreadable = unreadableOf(planned);
    HourAudit audit(db);
    Day day;
    qint32 dayRead = 0;
    for (int i = 0; i < hours; ++i, hour = ScheduleDateTools::AddSeconds(hour, 3600)) {
        if (hour.Day != dayRead) {
            day = readDay(db, hour.Day);
            dayRead = hour.Day;
        }
        const double position = ScheduledLog::LocateHour(hour);
        found.append(hourOf(hour, items.value(position), day, planned, unreadable.value(position), audit));
    }
    return found;
}

bool Readiness::AllReady(const QList<HourReadiness>& hours) {
    return std::all_of(hours.cbegin(), hours.cend(),
                       [](const HourReadiness& hour) { return hour.Status() == HourReadiness::Ready; });
}

QString Readiness::Table(const QList<HourReadiness>& hours) {
    QString text =
        u"hour                 state                music  breaks  empty  adverts (log/in)  to look at\n"_s;
    QHash<int, int> notReady;
    for (const HourReadiness& hour : hours) {
        const HourReadiness::State state = hour.Status();
        if (state != HourReadiness::Ready)
            ++notReady[state];
        const QString adverts = !hour.AdvertLog ? u"no advert log"_s
                                : hour.UnreadableLines > 0
                                    ? u"%1/%2 +%3 unreadable"_s.arg(hour.AdvertsOffered)
                                          .arg(hour.AdvertsInLog)
                                          .arg(hour.UnreadableLines)
                                    : u"%1/%2"_s.arg(hour.AdvertsOffered).arg(hour.AdvertsInLog);
        text += u"%1  %2  %3  %4  %5  %6  %7"_s.arg(AbstractLogImporter::HourText(hour.Hour))
                    .arg(HourReadiness::StateName(state), -19)
                    .arg(hour.MusicOffered ? u"yes"_s : u"no"_s, -5)
                    .arg(hour.Breaks, 6)
                    .arg(hour.EmptyBreaks, 5)
                    .arg(adverts, -16)
                    .arg(hour.Detail())
                    .trimmed() +
                u'\n';
    }
    if (notReady.isEmpty())
        return text + u"All %1 hours are ready.\n"_s.arg(hours.size());
    QStringList counts;
    for (int state = HourReadiness::NotScheduled; state < HourReadiness::Ready; ++state) {
        if (notReady.contains(state))
            counts.append(
                u"%1 %2"_s.arg(HourReadiness::StateName(HourReadiness::State(state))).arg(notReady[state]));
    }
    int total = 0;
    for (const int count : notReady)
        total += count;
    return text +
           u"Not ready: %1 of %2 hours (%3).\n"_s.arg(total).arg(hours.size()).arg(counts.join(u", "_s));
}

namespace {

QJsonArray breakFits(const QList<HourReadiness::BreakFit>& breaks) {
    QJsonArray list;
    for (const HourReadiness::BreakFit& fit : breaks)
        list.append(QJsonObject{{u"time"_s, ScheduleDateTools::FormatSeconds(fit.Time, 12)},
                                {u"length"_s, double(fit.Length)},
                                {u"adverts"_s, double(fit.Adverts)}});
    return list;
}

QJsonArray copyLengths(const QList<HourReadiness::CopyLength>& adverts) {
    QJsonArray list;
    for (const HourReadiness::CopyLength& advert : adverts)
        list.append(QJsonObject{{u"time"_s, ScheduleDateTools::FormatSeconds(advert.Time, 12)},
                                {u"cart"_s, advert.Cart},
                                {u"audio"_s, double(advert.Audio)},
                                {u"sold"_s, double(advert.Sold)}});
    return list;
}

QJsonObject hourJson(const HourReadiness& hour) {
    return {{u"start"_s, AbstractLogImporter::HourText(hour.Hour)},
            {u"state"_s, HourReadiness::StateName(hour.Status())},
            {u"musicOffered"_s, hour.MusicOffered},
            {u"scheduled"_s, hour.Scheduled},
            {u"length"_s, double(hour.Length)},
            {u"short"_s, hour.TooShort},
            {u"silentItems"_s, hour.SilentItems},
            {u"silentCarts"_s, QJsonArray::fromStringList(hour.SilentCarts)},
            {u"breaks"_s, hour.Breaks},
            {u"emptyBreaks"_s, hour.EmptyBreaks},
            {u"overfilledBreaks"_s, breakFits(hour.OverfullBreaks)},
            {u"underfilledBreaks"_s, breakFits(hour.UnderfullBreaks)},
            {u"copyLengths"_s, copyLengths(hour.CopyLengths)},
            {u"advertLog"_s, hour.AdvertLog},
            {u"advertsOffered"_s, hour.AdvertsOffered},
            {u"advertsInLog"_s, hour.AdvertsInLog}};
}

} // namespace

QJsonObject Readiness::Json(const QList<HourReadiness>& hours) {
    QJsonArray list;
    for (const HourReadiness& hour : hours)
        list.append(hourJson(hour));
    QJsonObject range;
    if (!hours.isEmpty())
        range = {{u"start"_s, AbstractLogImporter::HourText(hours.first().Hour)},
                 {u"end"_s, AbstractLogImporter::HourText(hours.last().Hour)}};
    return {{u"range"_s, range}, {u"hours"_s, list}, {u"ready"_s, AllReady(hours)}};
}

bool Readiness::Write(const QList<HourReadiness>& hours, const QString& path, QString* problem) {
    return FileTools::WriteWhole(path, QJsonDocument(Json(hours)).toJson(), problem);
}
