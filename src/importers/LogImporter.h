#pragma once

#include "importers/HourRange.h"

#include <QString>
#include <optional>

class ProgressReceiver;
class RunOutcome;
class StationDatabase;

// What an import asks of an importer, music or adverts. The open Station Database,
// and the run's ledger where the call records anything, come with each call: an
// importer keeps neither between calls.
class LogImporter {
public:
    virtual ~LogImporter() = default;

    // The full path of the log file of a day (a day serial); for -1 a path whose
    // name is a wildcard pattern matching every log file.
    virtual QString LogFileName(StationDatabase& db, qint32 day) = 0;
    // The first and last schedulable hour of all the log files; nothing when none
    // holds one.
    virtual std::optional<HourRange> ScanLogFiles(StationDatabase& db) = 0;
    // Checks the importer's settings before an import, telling the operator (and
    // the run's warnings) what is wrong.
    virtual bool CheckReady(StationDatabase& db, RunOutcome& run) = 0;
    // Imports the range into the Scheduled Log, every hour it meets recorded in the run.
    virtual bool Import(StationDatabase& db, const HourRange& range, RunOutcome& run) = 0;
    virtual ProgressReceiver* ProgressCallback() const = 0;
    virtual void SetProgressCallback(ProgressReceiver* newReceiver) = 0;
};
