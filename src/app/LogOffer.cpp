#include "app/LogOffer.h"

#include "app/ImportKind.h"
#include "base/FileTools.h"
#include "base/ScheduleDateTools.h"
#include "importers/MusicLogImporter.h"
#include "importers/Progress.h"
#include "playout/OperatorSeam.h"
#include "stationdb/StationDatabase.h"

#include <QMap>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString noRangeFound =
    QStringList{u"No valid log entries were found. This may be due to one of the following "
                u"reasons:"_s,
                QString(),
                u"No Log files could be found,"_s,
                u"Log files were found, but had no entries in them,"_s,
                QString(),
                u"You should check your settings, and re-export from your scheduling program."_s,
                QString(),
                u"There is therefore nothing to import."_s}
        .join(u'\n');

// Where the log files were looked for, to close a message that none was found.
QString lookedIn(const QString& folder) {
    return u"\n\nThe log files were looked for in '%1'."_s.arg(folder);
}

ScheduleDate tomorrow() {
    return {ScheduleDateTools::Today().Day + 1, 0};
}

ScheduleDate endOfDay(const ScheduleDate& day) {
    return ScheduleDateTools::AddSeconds(day, ScheduleDateTools::EndOfDay);
}

} // namespace

LogOffer LogOffer::Read(StationDatabase& db, MusicLogImporter& music, LogImporter& adverts, int role,
                        const Progress& progress) {
    LogOffer offer;
    offer.Start = tomorrow();
    offer.End = endOfDay(offer.Start);
    offer.readLog(db, progress);
    if (offer.ReadFailed) // the next reads would only wait again
        return offer;
    progress.OverallPercent(60);

    const std::optional<HourRange> musicFiles = music.ScanLogFiles(db);
    offer.MusicFilesFound = musicFiles.has_value();
    HourRange musicRange = musicFiles.value_or(HourRange{tomorrow(), endOfDay(tomorrow())});
    if (musicFiles && ScheduleDateTools::IsNotBefore(offer.MusicUntil, musicRange.To)) {
        offer.MusicFilesBehind = true;
        musicRange = music.ScanLogFile(db, music.LogFileName(db, musicRange.To.Day)).value_or(musicRange);
    }
    progress.OverallPercent(80);
    const std::optional<HourRange> advertFiles = adverts.ScanLogFiles(db);
    offer.AdvertFilesFound = advertFiles.has_value();
    offer.readWaiting(db);
    offer.offer(role, musicRange, advertFiles ? advertFiles->To : endOfDay(tomorrow()));
    return offer;
}

void LogOffer::readLog(StationDatabase& db, const Progress& progress) {
    progress.Process(u"Searching for Date ranges"_s);
    progress.Task(u"Finding first log item"_s);
    db.ClearReadFailure();
    const auto first = db.Log().FirstLogItem();
    progress.CurrentPercent(50);
    if (!db.ReadFailure().IsWritten()) {
        ReadFailed = true;
        return;
    }
    if (!first)
        return;
    MusicFrom = ScheduledLog::ScheduleDateFromDate(first->Position);
    progress.Task(u"Finding last log item"_s);
    const auto last = db.Log().LastLogItem();
    progress.CurrentPercent(100);
    if (last)
        MusicUntil = ScheduleDateTools::AddSeconds(ScheduledLog::ScheduleDateFromDate(last->Position),
                                                   ScheduleDateTools::HourEnd);
    // One indexed query of the database, however long the log.
    if (const auto latest = db.Log().LatestHourWithAdverts())
        AdvertsUntil = ScheduleDateTools::AddSeconds(*latest, ScheduleDateTools::HourEnd);
}

QList<ScheduleDate> LogOffer::HoursWaiting(StationDatabase& db) {
    QList<ScheduleDate> waiting;
    QMap<qint32, bool> logs; // whether each day has an advert log
    const double now = ScheduledLog::LocateHour(ScheduleDateTools::Today());
    for (const ScheduleDate& hour : db.Log().HoursWaitingForAdverts(now)) {
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

void LogOffer::offer(int role, const HourRange& music, const ScheduleDate& advertEnd) {
    const ScheduleDate& musicStart = music.From;
    const ScheduleDate& musicEnd = music.To;
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

void LogOffer::TellOperator(StationDatabase& db, int mode) const {
    if (mode != ImportKind::Adverts && MusicFilesBehind)
        OperatorSeam::Message(
            QStringList{u"Valid Music Log files have been found, but they don't contain any songs/links that "
                        u"are 'after' the ones already in the Scheduled Log."_s,
                        u"This may be due to one of the following reasons:"_s, QString(),
                        u"You may not have \"Exported\" or \"Sent\" any new logs from your Scheduler,"_s,
                        u"You may be filling in a hole in your Scheduled Log,"_s, QString(),
                        u"You may need to check your settings, or re-export from your music scheduling "
                        u"program if nescessary."_s,
                        QString(),
                        u"The Log Importer has therefore defaulted to the dates of the latest dated log "
                        u"file found.\n"_s}
                .join(u'\n'),
            Operator::Information);
    if (mode != ImportKind::Adverts && !MusicFilesFound)
        OperatorSeam::Message(noRangeFound + lookedIn(db.Settings().MusicLogsDirectory()),
                              Operator::Exclamation);
    if (mode == ImportKind::Adverts && !AdvertFilesFound)
        OperatorSeam::Message(
            QString(noRangeFound)
                    .replace(u"No valid log entries were found."_s, u"No valid advert logs were found."_s)
                    .replace(u"re-export from your scheduling program."_s,
                             u"re-export from your advert scheduling program."_s) +
                lookedIn(db.Settings().AdvertLogsDirectory()),
            Operator::Exclamation);
}
