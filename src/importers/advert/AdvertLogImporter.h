#pragma once

#include "importers/AbstractLogImporter.h"
#include "stationdb/CartSet.h"
#include "stationdb/HourChange.h"
#include "stationdb/LogHour.h"

#include <QMap>
#include <QSet>

class StationDatabase;

// The advert importer: finds the advert scheduler's daily logs and pushes their
// adverts into the advert breaks that the music hours already hold. Advert logs
// are only ever read.
class AdvertLogImporter : public AbstractLogImporter {
public:
    // `database` gives the open Station Database, or nullptr when none is open.
    explicit AdvertLogImporter(std::function<StationDatabase*()> database);

    QString GetImportLogFileName(qint32 day) override;
    bool ScanLogFileForDateRange(const QString& sourceFile, ScheduleDate& rangeFrom,
                                 ScheduleDate& rangeTo) override;
    bool ImportLogFiles(ScheduleDate& rangeFrom, ScheduleDate& rangeTo, bool updateDatabase) override;
    bool CheckReady() override;
    bool ScanLogFilesForDateRanges(ScheduleDate& rangeFrom, ScheduleDate& rangeTo) override;

    // The push of an unattended run: the range's hours, and before them the hours
    // that hold breaks but still wait for their adverts (a day's advert log that came
    // after its music, a push that did not finish). Hours that hold adverts are
    // skipped as in any push, so nothing goes in twice.
    bool CatchUp(const QList<ScheduleDate>& waiting, ScheduleDate& rangeFrom, ScheduleDate& rangeTo);

private:
    struct Push; // the state of one push
    // A line of the hour in hand: its text, its time in whole seconds (-1 for a
    // blank line) and its number in the file.
    struct HourLine {
        QString Text;
        qint64 Time = -1;
        int Number = 0;
    };
    // The hours a push goes through, day by day, each day's in order.
    using Hours = QMap<qint32, QList<int>>;

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
    // The lines of the hour in hand, read on from where the last hour stopped.
    QList<HourLine> linesOfHour(Push& push);
    // Reads the hour's lines and gives each break its own (the advert time window's
    // placement), and keeps those that go into no break for the ledger.
    void placeLines(Push& push, const QList<LogItem>& items, bool build);
    // Whether the line is of the advert type filter's type (any, without a filter).
    static bool typeTaken(const Push& push, const HourLine& line);
    void reportUnplaced(Push& push);
    // Names a line the station's advert log format cannot read.
    void unreadable(Push& push);
    // Gives the break its fate from its lines; with `build` False (its hour already
    // holds adverts) it only counts the adverts the log gives it.
    void fillBreak(Push& push, const LogItem& marker, const QList<const HourLine*>& lines, bool build);
    // Why the line cannot be pushed; "" when it can.
    static QString corruptionOf(const Push& push, const QString& line);
    void reportCorrupt(Push& push, RunOutcome::Break& met, const HourLine& line, const QString& why);
    // Applies the hour's planned change (a dry run only records it); True when written.
    // Opens the day's advert log for the push; false (said where it must be) when
    // there is none or it cannot be read.
    bool openDayLog(Push& run);
    // Counts the hour's adverts, pushed or to push, in the progress window.
    void countAdverts(const Push& run) const;
    bool writeHour(Push& push, const HourChange& change);
    // The hour's fates in the ledger, and its lines in the application log.
    void alreadyFilled(const Push& push);
    bool filledMeanwhile(Push& push, const HourChange& change);
    void notWritten(const Push& push, const QString& why);
    void refused(Push& push, const QString& why);
    void tooLate(Push& push);
    void heldBack(Push& push);
    void nothingToPush(Push& push, float stored);
    LogItem advertOf(Push& push, const QString& line, float breakTime);
    // The line's cart and sold length, kept in a dry run's ledger for the readiness check.
    void keepSpot(const Push& push, RunOutcome::Break& met, const QString& line) const;
};
