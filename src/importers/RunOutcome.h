#pragma once

#include "base/ScheduleDate.h"
#include "stationdb/LogItem.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

// The ledger of one import run: what it planned and did, hour by hour and break
// by break, from which its summary, its history line, its report, its exit status
// and the readiness of its hours are all read. Nothing is counted anywhere else:
// each hour and each break has exactly one fate here, an hour or a break counts
// as written only once its transaction was committed, and every figure is a count
// over those fates. Both importers of a run record into one. A dry run plans the
// same hours and writes nothing; its ledger is the plan.
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
                            // lines that could not be read, hours the files do not give, advert
                            // lines that went into no break
        NotReady = 6,       // the readiness check (/CHECK) found an hour that is not ready
        Stopped = 7         // a stop signal ended the run before the end of its range
    };
    // What became of an hour's music, and of its adverts ("Planned" only in a dry
    // run). An hour whose log holds a line that cannot be read is Unreadable: the
    // file is at fault, not the database. An hour that had started when the run
    // began is TooLate for its adverts: it is on air or past, and left as it is.
    enum Fate { Untouched, Written, Planned, Skipped, NotInFile, NotWritten, Unreadable, TooLate };
    // What became of one advert break of an hour the run met.
    enum class BreakFate {
        Filled,      // adverts went in (or, in a dry run, would go in)
        Empty,       // the advert log has no line at its time
        Filtered,    // it has lines at its time, none of the advert type filter's type
        Corrupt,     // a line at its time cannot be read (Why says which, and why)
        HeldBack,    // another break of its hour has a corrupt line, so the hour was not written
        NotWritten,  // the database refused its hour (Why gives its words)
        TooLate,     // its hour had started when the run began
        AlreadyThere // its hour already held adverts
    };
    // What became of one line of an advert log.
    enum class LineFate {
        Placed,     // it went (or would go) into a break, or was found for one already filled
        Unplaced,   // it went into no break (UnplacedLines names it)
        Unreadable, // it cannot be read (RejectedLines names it, with why, where its hour was walked)
        Filtered,   // it is of another type than the advert type filter's
        NotWalked   // its hour was outside the range, on air, filled already or not in the Scheduled Log
    };
    // One advert line and its fate, kept line by line only in a run that is reported.
    struct Line {
        QString File;
        int Number = 0;
        LineFate Fate = LineFate::NotWalked;
        float Break = -1;    // the time of the break it went (or would go) into; -1 for none
        ScheduleDate Hour{}; // the hour that took it; day 0 when none did
    };
    // An advert line that went (or would go) into a break, or was found for one.
    struct Spot {
        QString Cart;
        float Sold = 0; // the length its line gives, in seconds (0: none)
    };
    struct Break {
        float Time = 0; // seconds after midnight
        BreakFate Fate = BreakFate::Empty;
        int Adverts = 0; // the adverts that went (or would go) in, or were found for it
        QString Why;
        // In a dry run, the readable lines of the filter's type it takes, in file
        // order: what the readiness check weighs against the break's length and the carts.
        QList<Spot> Spots = {};
    };

    struct Hour {
        ScheduleDate Start;
        Fate Music = Untouched;
        QString MusicReason;
        Fate Adverts = Untouched;
        QString AdvertsReason;
        // The breaks of the hour, in order, each with its fate.
        QList<Break> Breaks;
        bool CaughtUp = false;
        bool Underruns = false;
    };
    struct RejectedLine {
        QString File;
        int Line = 0;
        QString Text;
        QString Reason;
    };
    // An advert line of an hour the push walked that went into no break: its time
    // is further from every break of its hour than the advert time window, or the
    // lines of its break had ended (a blank line) before it.
    struct UnplacedLine {
        QString File;
        int Line = 0;
        QString Text;
        ScheduleDate Hour;
        float Time = 0;          // seconds after midnight
        float NearestBreak = -1; // the nearest break of its hour; -1 when it has none
        float Distance = 0;      // seconds from it
        // Near enough, but its break had taken its lines already: a blank line or a
        // line of another time came between them and this one.
        bool AfterItsRun = false;

        // Why, in a few words, with its time and the break's.
        QString Why() const;
    };
    struct MissingCart {
        ScheduleDate Hour;
        QString Cart;
        QString Title;
        QString Problem; // "does not exist" or "has no audio"
    };
    // The advert figures of the hours a push met.
    struct AdvertTotals {
        int Adverts = 0; // pushed (or to push) into the breaks filled
        int Breaks = 0;  // breaks walked: all but those too late or already there
        int Filled = 0;
        int Empty = 0;
        int Filtered = 0;
        int Corrupt = 0; // breaks with a corrupt line, and those held back by one
        int NotWritten = 0;
        int TooLate = 0;

        AdvertTotals& operator+=(const AdvertTotals& more);
    };

    // A fresh run, begun now. Only a run that is reported (a dry run, a run report)
    // keeps the text of every rejected line; the fates are always kept.
    void Start(bool dryRun, bool recorded);
    // Where each warning goes as the run meets it, besides the run's own list (the
    // program writes them to its standard error stream); nowhere unless given. A
    // fresh run keeps it.
    void TellWarningsTo(std::function<void(const QString&)> sink) { warningSink = std::move(sink); }
    void Finish(const ScheduleDate& first, const ScheduleDate& last);
    bool DryRun() const { return dryRun; }
    bool Recorded() const { return recorded; }

    // Whether an hour that the Scheduled Log held before the run began had started
    // then: it is on air or past, and no unattended change may touch it. An hour this
    // run wrote itself (its music) was not on air.
    bool IsOnAir(const ScheduleDate& hour) const;
    // The operator said the run may change hours that have started (never so in an
    // unattended run).
    void AllowStartedHours(bool allowed) { startedAllowed = allowed; }
    bool StartedHoursAllowed() const { return startedAllowed; }

    void MusicHour(const ScheduleDate& hour, Fate fate, const QString& reason = {});
    void AdvertHour(const ScheduleDate& hour, Fate fate, const QString& reason, const QList<Break>& breaks,
                    bool caughtUp = false);
    // Marks the hour as one that may underrun; False when it was marked already.
    bool Underrun(const ScheduleDate& hour);
    void Rejected(const QString& file, int line, const QString& text, const QString& reason);
    void CartMissing(const ScheduleDate& hour, const QString& cart, const QString& title,
                     const QString& problem);
    void Unplaced(const UnplacedLine& line) { unplaced.append(line); }
    void AdvertLine(const Line& line);
    void ImporterCouldNotRun() { importerRefused = true; }
    // The start-up failed, and why: nothing was imported.
    void StartUpFailedAs(const QString& reason) { startUpFailure = reason; }
    const QString& StartUpFailure() const { return startUpFailure; }
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
    bool GaveUp() const { return !givenUp.isEmpty(); }
    // Why the run stopped writing; "" while it has not.
    const QString& GiveUpReason() const { return givenUp; }
    // A stop signal came: the run writes nothing more, and says why.
    void Stop(const QString& signal);
    // The signal that stopped the run; "" while none has.
    const QString& StoppedBy() const { return stoppedBy; }

    // The figures, each a count over the fates.
    int Count(Fate music) const;
    QList<ScheduleDate> HoursNotWritten() const;
    QList<ScheduleDate> HoursNotInFile() const;
    QList<ScheduleDate> AdvertHoursNotWritten() const;
    QList<ScheduleDate> AdvertHoursTooLate() const;
    QList<ScheduleDate> HoursCaughtUp() const;
    // The advert figures of the run's hours.
    AdvertTotals Adverts() const;
    static AdvertTotals TotalsOf(const Hour& hour);
    // The items whose cart does not exist or has no audio (the progress window's
    // "Number of items missing audio:"), and those carts, each once.
    int ItemsMissingAudio() const { return int(carts.size()); }
    int MissingCarts() const;
    // The advert lines of the days the push read with this fate.
    int AdvertLines(LineFate fate) const { return lineFates[size_t(fate)]; }
    const QList<Line>& AdvertLineRecords() const { return lines; }
    int Underruns() const;
    const QStringList& Warnings() const { return warnings; }
    const QMap<double, Hour>& Hours() const { return hours; }
    const Hour* HourAt(const ScheduleDate& start) const;
    const QList<RejectedLine>& RejectedLines() const { return rejected; }
    const QList<MissingCart>& Carts() const { return carts; }
    const QList<UnplacedLine>& UnplacedLines() const { return unplaced; }
    const QDateTime& Started() const { return started; }
    const QDateTime& Finished() const { return finished; }
    const ScheduleDate& First() const { return first; }
    const ScheduleDate& Last() const { return last; }

    ExitStatus Status() const;
    // What an exit status means, in a few words; for a dry run, as a plan.
    static QString StatusMeaning(int status, bool planned = false);
    // The lines an operator reads at a glance at the end of an unattended run.
    QStringList Summary() const;
    // The advert push's one-line summary: adverts pushed, breaks met, and what
    // became of those not filled.
    QString AdvertSummary() const;
    // One line of the summary: the label, a colon, and the value in the summary's column.
    static QString SummaryLine(const QString& label, const QString& value);
    // The word a report gives a fate.
    static QString FateText(Fate fate);
    static QString BreakFateText(BreakFate fate);
    static QString LineFateText(LineFate fate);

private:
    Hour& hour(const ScheduleDate& start);
    QList<ScheduleDate> hoursWhere(const std::function<bool(const Hour&)>& test) const;

    bool dryRun = false;
    bool recorded = false;
    bool startedAllowed = false;
    std::function<void(const QString&)> warningSink;
    QDateTime started;
    ScheduleDate startedAt;
    QDateTime finished;
    ScheduleDate first;
    ScheduleDate last;
    QString startUpFailure;
    bool importerRefused = false;
    bool rangeRefused = false;
    QStringList warnings;
    QString givenUp;
    QString stoppedBy;
    QMap<double, Hour> hours;
    QList<RejectedLine> rejected;
    QList<MissingCart> carts;
    QList<UnplacedLine> unplaced;
    std::array<int, size_t(LineFate::NotWalked) + 1> lineFates{};
    QList<Line> lines;
    QMap<double, QList<LogItem>> plannedHours;
};
