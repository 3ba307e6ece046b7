#pragma once

#include "base/ScheduleDate.h"
#include "importers/LogImporter.h"
#include "importers/Progress.h"
#include "importers/RunOutcome.h"

#include <QString>
#include <optional>

class StationDatabase;
struct WriteOutcome;

// What the two importers share: the way to the open Station Database, the
// progress receiver, and the check of their log directory.
class AbstractLogImporter : public LogImporter {
public:
    ProgressReceiver* ProgressCallback() const override { return callback; }
    void SetProgressCallback(ProgressReceiver* newReceiver) override { callback = newReceiver; }

    // The text of an hour (style 4) in reports.
    static QString HourText(const ScheduleDate& hour);

protected:
    AbstractLogImporter() = default;

    // The database and the run of the call in hand, from the call's start to its end
    // (calls inside it keep them); outside a call with a run, an idle run of the
    // importer's own takes what is recorded, and is never read.
    class Call {
    public:
        Call(const AbstractLogImporter& importer, StationDatabase& db, RunOutcome* run = nullptr);
        ~Call();
        Call(const Call&) = delete;
        Call& operator=(const Call&) = delete;

    private:
        const AbstractLogImporter& importer;
        StationDatabase* db;
        RunOutcome* run;
    };
    // The run the call in hand records in.
    RunOutcome& Outcome() const { return *outcome; }
    // The database of the call in hand.
    StationDatabase* database() const { return db; }

    Progress progress() const { return Progress(callback); }
    // An empty directory setting is told and still passes; a directory that does
    // not exist is told and fails. `whenEmpty` and `setting` name it to the operator.
    static bool CheckDirectory(const QString& folder, const QString& whenEmpty, const QString& setting);
    // Whether the stored values of the settings an importer reads can be used (another
    // program may have written them past the checks of ours), and its cart ranges
    // when `ranges`; told to the operator, and in the run's warnings, when not.
    bool StoredSettingsUsable(StationDatabase& db, const QString& category, const QStringList& names,
                              bool ranges) const;

    // The progress window's counters, just cleared by an importer's start, carry on
    // from the run's ledger: the window and the summary give one figure.
    void CountersFromTheLedger() const;

    // Half a second for the operator to see the progress complete; nothing to wait
    // for when no progress is shown.
    void PauseForProgress() const;
    // The text of a day (the system's long date) in reports.
    static QString DayText(qint32 day);
    // The product name and version with which a run stamps the Station Database.
    static QString VersionStamp();
    // What a run writes down: an application log line, and RecentHistory.log lines
    // (the first of a run keeps the history below its size). A dry run writes neither.
    void Log(const QString& category, const QString& text) const;
    void BeginHistory(const QString& line) const;
    void History(const QString& line) const;
    // Tells the application log and counter 2 when an hour is shorter than the
    // station's underrun threshold (0 or less turns the warning off).
    void ReportUnderrun(const QString& category, const ScheduleDate& hour, float hourLength,
                        qint32 threshold) const;
    // A cart of an hour that is missing ("does not exist") or silent ("has no
    // audio"): the application log, counter 1 and the run.
    void ReportCart(const QString& category, const ScheduleDate& hour, const QString& cart,
                    const QString& title, const QString& problem) const;
    // Whether a day's log file holds something to read. One that is missing or empty
    // is told in the application log; an empty one also warns the run (an exporter
    // cut off before its first line leaves one), a missing one when `warnWhenMissing`.
    // `kind` names the log in the warning ("music", "advert").
    bool DayLogReadable(const QString& category, const QString& kind, qint32 day, const QString& file,
                        bool warnWhenMissing) const;
    // An hour whose change could not be written: the application log, and the run's
    // patience when the database stayed busy. The text says what was not written.
    void ReportNotWritten(const QString& category, const QString& text, const WriteOutcome& why) const;
    // When a read of the hour's plan failed (its snapshot's first failure): tells it
    // as ReportNotWritten does and gives the hour's reason for not being written.
    // Nothing when every read was answered: then what the reads found is true.
    // Whether the run writes nothing more: it gave up, or a stop signal has come
    // (which it then records). Asked before each hour.
    bool WritingStopped() const;
    std::optional<QString> ReadFailed(const StationDatabase& db, const QString& category,
                                      const QString& hourText) const;

private:
    ProgressReceiver* callback = nullptr;
    mutable RunOutcome idle;
    mutable RunOutcome* outcome = &idle;
    mutable StationDatabase* db = nullptr;
};
