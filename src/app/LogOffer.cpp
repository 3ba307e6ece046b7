#include "app/LogOffer.h"

#include "app/ImportKind.h"
#include "base/FileTools.h"
#include "base/ScheduleDateTools.h"
#include "importers/LogImporter.h"
#include "importers/Progress.h"
#include "stationdb/StationDatabase.h"

#include <QMap>

using namespace Qt::Literals::StringLiterals;

namespace {

ScheduleDate tomorrow() {
    return {ScheduleDateTools::Today().Day + 1, 0};
}

ScheduleDate endOfDay(const ScheduleDate& day) {
    return ScheduleDateTools::AddSeconds(day, ScheduleDateTools::EndOfDay);
}

} // namespace

LogOffer LogOffer::Read(StationDatabase& db, LogImporter& music, LogImporter& adverts, int role,
                        const Progress& progress) {
    LogOffer offer;
    offer.Start = tomorrow();
    offer.End = endOfDay(offer.Start);
    offer.readLog(db, progress);
    if (offer.ReadFailed) // the next reads would only wait again
        return offer;
    progress.OverallPercent(60);

    ScheduleDate musicStart{99999, 0}, musicEnd{0, 0};
    offer.MusicFilesFound = music.ScanLogFilesForDateRanges(musicStart, musicEnd);
    if (!offer.MusicFilesFound) {
        musicStart = tomorrow();
        musicEnd = endOfDay(musicStart);
    } else if (ScheduleDateTools::IsNotBefore(offer.MusicUntil, musicEnd)) {
        offer.MusicFilesBehind = true;
        music.ScanLogFileForDateRange(music.GetImportLogFileName(musicEnd.Day), musicStart, musicEnd);
    }
    progress.OverallPercent(80);
    ScheduleDate advertStart{99999, 0}, advertEnd{0, 0};
    offer.AdvertFilesFound = adverts.ScanLogFilesForDateRanges(advertStart, advertEnd);
    if (!offer.AdvertFilesFound)
        advertEnd = endOfDay(tomorrow());
    offer.readWaiting(db);
    offer.offer(role, musicStart, musicEnd, advertEnd);
    return offer;
}

void LogOffer::readLog(StationDatabase& db, const Progress& progress) {
    progress.Process(u"Searching for Date ranges"_s);
    progress.Task(u"Finding first log item"_s);
    db.ClearReadFailure();
    const auto first = db.FirstLogItem();
    progress.CurrentPercent(50);
    if (!db.ReadFailure().IsWritten()) {
        ReadFailed = true;
        return;
    }
    if (!first)
        return;
    MusicFrom = StationDatabase::ScheduleDateFromDate(first->Position);
    progress.Task(u"Finding last log item"_s);
    const auto last = db.LastLogItem();
    progress.CurrentPercent(100);
    if (last)
        MusicUntil = ScheduleDateTools::AddSeconds(StationDatabase::ScheduleDateFromDate(last->Position),
                                                   ScheduleDateTools::HourEnd);
    // One indexed query of the database, however long the log.
    if (const auto latest = db.LatestHourWithAdverts())
        AdvertsUntil = ScheduleDateTools::AddSeconds(*latest, ScheduleDateTools::HourEnd);
}

QList<ScheduleDate> LogOffer::HoursWaiting(StationDatabase& db) {
    QList<ScheduleDate> waiting;
    QMap<qint32, bool> logs; // whether each day has an advert log
    const double now = StationDatabase::LocateHour(ScheduleDateTools::Today());
    for (const ScheduleDate& hour : db.HoursWaitingForAdverts(now)) {
        auto log = logs.constFind(hour.Day);
        if (log == logs.cend())
            log = logs.insert(hour.Day, FileTools::FileSize(db.AdvertLogFileName(hour.Day)) > 0);
        if (*log)
            waiting.append(hour);
    }
    return waiting;
}

void LogOffer::readWaiting(StationDatabase& db) {
    Waiting = HoursWaiting(db);
    // The adverts are in only up to the first hour still waiting for them.
    if (!Waiting.isEmpty() &&
        (AdvertsUntil.Day < 1 || ScheduleDateTools::IsBefore(Waiting.first(), AdvertsUntil)))
        AdvertsUntil = ScheduleDateTools::AddSeconds(ScheduleDateTools::AddSeconds(Waiting.first(), -3600),
                                                     ScheduleDateTools::HourEnd);
}

void LogOffer::offer(int role, const ScheduleDate& musicStart, const ScheduleDate& musicEnd,
                     const ScheduleDate& advertEnd) {
    if (role != ImportKind::Adverts) {
        const bool follows = MusicUntil.Day >= 1 && ScheduleDateTools::IsAfter(musicEnd, MusicUntil);
        Start = follows ? ScheduleDateTools::AddSeconds(MusicUntil, 3600) : musicStart;
        End = musicEnd;
        return;
    }
    if (AdvertsUntil.Day >= 1) {
        Start = ScheduleDateTools::AddSeconds(AdvertsUntil, 3600);
        End = advertEnd;
    }
    if (!Waiting.isEmpty()) { // the adverts that came late are offered first
        Start = Waiting.first();
        if (ScheduleDateTools::IsBefore(End, Waiting.last()))
            End = ScheduleDateTools::AddSeconds(Waiting.last(), ScheduleDateTools::HourEnd);
    }
}
