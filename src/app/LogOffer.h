#pragma once

#include "base/ScheduleDate.h"
#include "importers/HourRange.h"

#include <QList>

class LogImporter;
class MusicLogImporter;
class Progress;
class StationDatabase;

// What the Scheduled Log holds and which range the log files offer: read when the
// program starts and after each run. The window shows it; the unattended run
// imports the range.
struct LogOffer {
    // The Scheduled Log could not be read (the database's ReadFailure says why):
    // nothing else was read.
    bool ReadFailed = false;
    // The start of the log's first hour and the end of its last; not dated
    // (Day 0) when the log is empty.
    ScheduleDate MusicFrom;
    ScheduleDate MusicUntil;
    // The end of the last hour with its adverts in: the hour before the first one
    // still waiting for them, when one is. Not dated when none is.
    ScheduleDate AdvertsUntil;
    // The hours from now on that hold breaks but not yet their adverts, and whose
    // day has an advert log.
    QList<ScheduleDate> Waiting;
    // Whether any music log file was found, and whether those found offer nothing
    // after the log's last hour (the latest file's dates are offered then); whether
    // any advert log file was found.
    bool MusicFilesFound = false;
    bool MusicFilesBehind = false;
    bool AdvertFilesFound = false;
    // The range offered: for a machine whose role is adverts, what follows the hours
    // with their adverts in (the hours that wait for theirs first); otherwise what
    // follows the log. The day after today when the files offer nothing.
    ScheduleDate Start;
    ScheduleDate End;

    static LogOffer Read(StationDatabase& db, MusicLogImporter& music, LogImporter& adverts, int role,
                         const Progress& progress);
    // Tells the operator when the log files offer nothing new for the machine's role
    // (`mode`), or nothing at all.
    void TellOperator(StationDatabase& db, int mode) const;
    // The hours Waiting holds, read now.
    static QList<ScheduleDate> HoursWaiting(StationDatabase& db);

private:
    void readLog(StationDatabase& db, const Progress& progress);
    void readWaiting(StationDatabase& db);
    void offer(int role, const HourRange& music, const ScheduleDate& advertEnd);
};
