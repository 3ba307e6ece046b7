#pragma once

#include "importers/AbstractLogImporter.h"
#include "importers/advert/AdvertDayLog.h"
#include "importers/advert/AdvertPlacement.h"
#include "stationdb/CartSet.h"
#include "stationdb/HourChange.h"
#include "stationdb/LogHour.h"

#include <QMap>
#include <QSet>

class AdvertLogReader;
class StationDatabase;

// The advert importer: finds the advert scheduler's daily logs and pushes their
// adverts into the advert breaks that the music hours already hold. Advert logs
// are only ever read.
class AdvertLogImporter : public AbstractLogImporter {
public:
    QString LogFileName(StationDatabase& db, qint32 day) override;
    // The advert logs hold no dates: the range comes from their file names, its end
    // from the last line of the latest.
    std::optional<HourRange> ScanLogFiles(StationDatabase& db) override;
    bool CheckReady(StationDatabase& db, RunOutcome& run) override;
    bool Import(StationDatabase& db, const HourRange& range, RunOutcome& run) override;

    // The push of an unattended run: the range's hours, and before them the hours
    // that hold breaks but still wait for their adverts (a day's advert log that came
    // after its music, a push that did not finish). Hours that hold adverts are
    // skipped as in any push, so nothing goes in twice.
    bool CatchUp(StationDatabase& db, const QList<ScheduleDate>& waiting, const HourRange& range,
                 RunOutcome& run);

private:
    struct Push; // the state of one push
    // The hours a push goes through, day by day, each day's in order.
    using Hours = QMap<qint32, QList<int>>;

    // The times of the first and last readable lines of a log file, as the seconds
    // of the two ends.
    void scanTimes(const QString& sourceFile, ScheduleDate& rangeFrom, ScheduleDate& rangeTo);
    static Hours hoursOf(const ScheduleDate& rangeFrom, const ScheduleDate& rangeTo);
    bool importHours(const ScheduleDate& rangeFrom, const ScheduleDate& rangeTo, const Hours& hours,
                     const QSet<double>& caughtUp);
    bool push(StationDatabase& db, const Hours& hours, const QSet<double>& caughtUp, QString& summary);
    void pushHour(Push& push, int hour);
    // Reads the hour and fills its breaks in memory, giving each break its fate in
    // the plan: the hour's items as read, or nothing when the hour is skipped.
    std::optional<QList<LogItem>> planHour(Push& push, double position);
    // What becomes of a planned hour: too late, held back by a corrupt line, nothing
    // to push, refused, or written.
    void finishHour(Push& push, const QList<LogItem>& items);
    // Takes the hour's lines from the day's log and gives each break its own (the
    // advert time window's placement), and keeps those that go into no break for the
    // ledger. With `build` False (its hour already holds adverts, or is on air) it only
    // counts the adverts the log gives each break.
    void placeLines(Push& push, const QList<LogItem>& items, bool build);
    // The break times of an hour of the day in hand: the hour's own once it is read,
    // a neighbour's read for them alone.
    QList<qint64> breakTimesOf(Push& push, int hour);
    // Whether the line is of the advert type filter's type (any, without a filter).
    static bool typeTaken(const Push& push, const AdvertDayLog::Line& line);
    void unplaced(Push& push, const AdvertDayLog::Line& line, const AdvertPlacement::Place& place);
    void reportUnplaced(Push& push);
    // Gives the break its fate from its lines and from those near it that cannot be
    // read; with `build` False it only counts the adverts the log gives it.
    void fillBreak(Push& push, const LogItem& marker, const QList<const AdvertDayLog::Line*>& lines,
                   const QList<const AdvertDayLog::Line*>& unreadable, bool build);
    // Names a line that cannot be read; it spoils its break (when it has one) and
    // holds back its hour.
    void reportUnreadable(Push& push, RunOutcome::Break* met, const AdvertDayLog::Line& line);
    // Opens and reads the day's advert log whole for the push; false (said where it
    // must be) when there is none or it cannot be read.
    bool openDayLog(Push& run);
    void readDay(Push& run, AdvertLogReader& reader);
    // The advert information, brought up to date at the end of every push that wrote.
    void refreshInformation(Push& run);
    // A log that holds lines and none that can be read is named once, and holds back
    // every hour of its day.
    void noLineReadable(Push& run);
    // The day's lines that no hour took: their hours were not walked.
    void linesNotWalked(Push& run);
    // The fates of the hour's lines go into the ledger: as placed, or not walked.
    void settleLines(Push& run, bool walked);
    // Notes a line's fate in the hour in hand (and the time of its break, when it has one).
    static void lineFate(Push& run, const AdvertDayLog::Line& line, RunOutcome::LineFate fate,
                         float breakTime = -1);
    // Counts the hour's adverts, pushed or to push, in the progress window.
    void countAdverts(const Push& run) const;
    // Applies the hour's planned change (a dry run only records it); True when written.
    bool writeHour(Push& push, HourChange& change);
    // The carts of the hour's new adverts that the push has not written yet.
    static QList<::Cart> newCarts(const Push& push, const HourChange& change);
    // The hour's fates in the ledger, and its lines in the application log.
    void alreadyFilled(Push& push);
    bool filledMeanwhile(Push& push, const HourChange& change);
    void notWritten(const Push& push, const QString& why);
    void refused(Push& push, const QString& why);
    void tooLate(Push& push);
    void heldBack(Push& push);
    void nothingToPush(Push& push, float stored);
    // Whether the hour is a caught-up one whose lines are as they were when last told:
    // it is then left as it is, and told no more.
    bool stillWaiting(Push& push);
    LogItem advertOf(Push& push, const QString& line, float breakTime);
    // The missing and silent carts of the hour, reported once it is written (or
    // planned): an hour left as it was has none.
    void reportCarts(Push& push);
    // The line's cart and sold length, kept in a dry run's ledger for the readiness check.
    void keepSpot(const Push& push, RunOutcome::Break& met, const QString& line) const;
};
