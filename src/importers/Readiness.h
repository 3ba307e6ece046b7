#pragma once

#include "importers/HourAudit.h"
#include "importers/HourReadiness.h"
#include "importers/RunOutcome.h"

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QSet>

class StationDatabase;

// Is the air ahead ready? Each hour of a range, from the Station Database and the
// two log folders: the music log's hour headers are read, and the advert log's
// lines are judged by a dry run of the advert push, whose ledger gives each break
// its fate and its lines; what the hours hold is weighed against the cart store
// as it is now. Nothing is imported and nothing is written.
class Readiness {
public:
    // The hours from the hour holding `from`, `hours` of them.
    static QList<HourReadiness> Of(StationDatabase& db, const ScheduleDate& from, int hours);
    static bool AllReady(const QList<HourReadiness>& hours);
    // The hours as a table of text, one line each, with a closing count.
    static QString Table(const QList<HourReadiness>& hours);
    // The hours as JSON: the range, each hour's figures and state, and whether all
    // are ready.
    static QJsonObject Json(const QList<HourReadiness>& hours);
    // Writes it; False (with why) when the file cannot be written.
    static bool Write(const QList<HourReadiness>& hours, const QString& path, QString* problem);

private:
    struct Day {
        QSet<int> MusicHours; // the hours the music log has readable headers for
        bool AdvertLog = false;
    };
    static Day readDay(StationDatabase& db, qint32 day);
    // The ledger of a dry-run advert push over the range.
    static RunOutcome plan(StationDatabase& db, const ScheduleDate& from, const ScheduleDate& to);
    // The Scheduled Log's items of the range, read at once, by the position of their hour.
    static QHash<double, QList<LogItem>> itemsOf(StationDatabase& db, const ScheduleDate& from,
                                                 const ScheduleDate& to);
    // The advert lines of an hour that cannot be read, and the times of the breaks
    // they spoil.
    struct Unreadable {
        int Lines = 0;
        QSet<float> Breaks;
    };
    // The plan's unreadable lines by the position of their hour, gathered once.
    static QHash<double, Unreadable> unreadableOf(const RunOutcome& planned);
    static HourReadiness hourOf(const ScheduleDate& hour, const QList<LogItem>& items, const Day& day,
                                const RunOutcome& planned, const Unreadable& unreadable, HourAudit& audit);
};
