#pragma once

#include "base/ScheduleDate.h"
#include "stationdb/LogItem.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// What one import run planned and did, for its summary, its report and its exit
// status: each hour is counted once its fate is known, and an hour or a break
// counts as written only once its transaction was committed. Both importers of a
// run record into one. A dry run plans the same hours and writes nothing; its
// record is the plan.
//
// The run's patience with a busy Station Database is recorded here too: once a
// write has waited the whole patience in vain, the run gives up writing, and
// every later hour of its range is reported as not written instead of waiting
// again for each.
class RunOutcome {
public:
    // Exit statuses of an unattended run; when several apply, the first listed wins.
    enum ExitStatus {
        Complete = 0,       // everything the files offered was written or already there
        StartUpFailed = 1,  // no profile, settings, rights or Station Database
        ImporterNotRun = 2, // an importer could not run (its settings, a refused question)
        RangeRefused = 3,   // the range was refused and nothing was written
        Incomplete = 4,     // an hour or a break the files offered was not written
        WithWarnings = 5,   // finished, but something the operator should look at was found: log
                            // lines that could not be read, hours the files do not give
        NotReady = 6,       // the readiness check (/CHECK) found an hour that is not ready
        Stopped = 7         // a stop signal ended the run before the end of its range
    };
    // What became of an hour's music, and of its adverts ("Planned" only in a dry run).
    enum Fate { Untouched, Written, Planned, Skipped, NotInFile, NotWritten };

    struct Hour {
        ScheduleDate Start;
        Fate Music = Untouched;
        QString MusicReason;
        Fate Adverts = Untouched;
        QString AdvertsReason;
        // The adverts of each break met, in order: those pushed (or to push) into it,
        // or found for it when the hour was not pushed; 0 for a break the log left empty.
        QList<int> Breaks;
        bool CaughtUp = false;
    };
    struct RejectedLine {
        QString File;
        int Line = 0;
        QString Text;
        QString Reason;
    };
    struct MissingCart {
        ScheduleDate Hour;
        QString Cart;
        QString Title;
        QString Problem; // "does not exist" or "has no audio"
    };

    // A fresh run. Only a run that is reported (a dry run, a run report) keeps a
    // record of every hour and rejected line; the figures are always kept.
    void Start(bool dryRun, bool recorded);
    void Finish(const ScheduleDate& first, const ScheduleDate& last);
    bool DryRun() const { return dryRun; }
    bool Recorded() const { return recorded; }

    void MusicHour(const ScheduleDate& hour, Fate fate, const QString& reason = {});
    void AdvertHour(const ScheduleDate& hour, Fate fate, const QString& reason, const QList<int>& breaks,
                    bool caughtUp = false);
    void Rejected(const QString& file, int line, const QString& text, const QString& reason);
    void CartMissing(const ScheduleDate& hour, const QString& cart, const QString& title,
                     const QString& problem);
    void ImporterCouldNotRun() { importerRefused = true; }
    void RangeWasRefused() { rangeRefused = true; }

    // A dry run's music plan, which its advert plan reads where the Scheduled Log
    // does not hold the hour yet.
    void KeepPlannedHour(double position, const QList<LogItem>& items) {
        plannedHours.insert(position, items);
    }
    const QList<LogItem>* PlannedHour(double position) const;

    // A warning: on the standard error stream and in the debug log the first time it
    // is given, and counted for the exit status.
    void Warn(const QString& text);

    void GiveUp(const QString& reason) { givenUp = reason; }
    // A stop signal came: the run writes nothing more, and says why.
    void Stop(const QString& signal);
    // The signal that stopped the run; "" while none has.
    const QString& StoppedBy() const { return stoppedBy; }
    bool GaveUp() const { return !givenUp.isEmpty(); }
    // Why the run stopped writing; "" while it has not.
    const QString& GiveUpReason() const { return givenUp; }

    int Count(Fate music) const { return musicCounts.value(music); }
    const QList<ScheduleDate>& HoursNotWritten() const { return hoursNotWritten; }
    const QList<ScheduleDate>& HoursNotInFile() const { return hoursNotInFile; }
    const QList<ScheduleDate>& AdvertHoursNotWritten() const { return advertHoursNotWritten; }
    const QList<ScheduleDate>& HoursCaughtUp() const { return hoursCaughtUp; }
    int Adverts() const { return advertsPushed; }
    int EmptyBreaks() const { return emptyBreaks; }
    int MissingCarts() const { return missingCarts; }
    const QStringList& Warnings() const { return warnings; }
    const QMap<double, Hour>& Hours() const { return hours; }
    const QList<RejectedLine>& RejectedLines() const { return rejected; }
    const QList<MissingCart>& Carts() const { return carts; }
    const QDateTime& Started() const { return started; }
    const QDateTime& Finished() const { return finished; }
    const ScheduleDate& First() const { return first; }
    const ScheduleDate& Last() const { return last; }

    ExitStatus Status() const;
    // What an exit status means, in a few words.
    static QString StatusMeaning(int status);
    // The lines an operator reads at a glance at the end of an unattended run.
    QStringList Summary() const;
    // One line of the summary: the label, a colon, and the value in the summary's column.
    static QString SummaryLine(const QString& label, const QString& value);
    // The word a report gives a fate.
    static QString FateText(Fate fate);

private:
    Hour& hour(const ScheduleDate& start);

    bool dryRun = false;
    bool recorded = false;
    QDateTime started;
    QDateTime finished;
    ScheduleDate first;
    ScheduleDate last;
    QMap<Fate, int> musicCounts;
    QList<ScheduleDate> hoursNotWritten;
    QList<ScheduleDate> hoursNotInFile;
    QList<ScheduleDate> advertHoursNotWritten;
    QList<ScheduleDate> hoursCaughtUp;
    int advertsPushed = 0;
    int emptyBreaks = 0;
    int missingCarts = 0;
    bool importerRefused = false;
    bool rangeRefused = false;
    QStringList warnings;
    QString givenUp;
    QString stoppedBy;
    QMap<double, Hour> hours;
    QList<RejectedLine> rejected;
    QList<MissingCart> carts;
    QMap<double, QList<LogItem>> plannedHours;
};
