#pragma once

#include "base/ScheduleDate.h"

#include <QString>
#include <QStringList>

// What one import run did, for its summary and its exit status: each hour is
// counted once its fate is known, and an hour or a break counts as written only
// once its transaction was committed. Both importers of a run record into one.
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
        WithWarnings = 5    // finished, but something the operator should look at was found
    };

    void Clear();

    void MusicHourWritten() { ++hoursWritten; }
    void MusicHourAlreadyThere() { ++hoursAlreadyThere; }
    void MusicHourNotWritten(const ScheduleDate& hour) { hoursNotWritten.append(hour); }
    // An hour of the range whose day's file holds no header the forward search reached.
    void MusicHourNotInFile(const ScheduleDate& hour) { hoursNotInFile.append(hour); }
    void AdvertsPushed(int adverts) { advertsPushed += adverts; }
    void AdvertHourNotWritten(const ScheduleDate& hour) { advertHoursNotWritten.append(hour); }
    // An hour before the range whose adverts came late and were pushed now.
    void AdvertHourCaughtUp(const ScheduleDate& hour) { hoursCaughtUp.append(hour); }
    void BreaksLeftEmpty(int breaks) { emptyBreaks += breaks; }
    void CartMissing() { ++missingCarts; }
    void ImporterCouldNotRun() { importerRefused = true; }
    void RangeWasRefused() { rangeRefused = true; }

    // A warning: on the standard error stream and in the debug log the first time it
    // is given, and counted for the exit status.
    void Warn(const QString& text);

    void GiveUp(const QString& reason) { givenUp = reason; }
    bool GaveUp() const { return !givenUp.isEmpty(); }
    // Why the run stopped writing; "" while it has not.
    const QString& GiveUpReason() const { return givenUp; }

    int HoursWritten() const { return hoursWritten; }
    int HoursAlreadyThere() const { return hoursAlreadyThere; }
    const QList<ScheduleDate>& HoursNotWritten() const { return hoursNotWritten; }
    const QList<ScheduleDate>& HoursNotInFile() const { return hoursNotInFile; }
    const QList<ScheduleDate>& AdvertHoursNotWritten() const { return advertHoursNotWritten; }
    const QList<ScheduleDate>& HoursCaughtUp() const { return hoursCaughtUp; }
    int Adverts() const { return advertsPushed; }
    int EmptyBreaks() const { return emptyBreaks; }
    int MissingCarts() const { return missingCarts; }
    const QStringList& Warnings() const { return warnings; }

    ExitStatus Status() const;
    // What an exit status means, in a few words.
    static QString StatusMeaning(int status);
    // The lines an operator reads at a glance at the end of an unattended run.
    QStringList Summary() const;
    // One line of the summary: the label, a colon, and the value in the summary's column.
    static QString SummaryLine(const QString& label, const QString& value);

private:
    int hoursWritten = 0;
    int hoursAlreadyThere = 0;
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
};
