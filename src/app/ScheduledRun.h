#pragma once

#include "app/ImportRun.h"
#include "app/LogOffer.h"
#include "app/ToolState.h"

#include <QString>
#include <memory>

class StationDatabase;

// The unattended import (/SCHEDULE or /IMPORT, or its plan alone with /DRYRUN), as a
// scheduler runs it every night: the Station Database the profile names opened,
// the range the log files offer worked out (and moved by /START and /END), music
// then adverts imported over it through ImportRun, and its summary, report and
// history written. It has no window: what it says goes to the standard streams.
class ScheduledRun {
public:
    explicit ScheduledRun(const ToolState& tool);
    ~ScheduledRun();
    ScheduledRun(const ScheduledRun&) = delete;
    ScheduledRun& operator=(const ScheduledRun&) = delete;

    // Opens the database and reads what the log offers; False when the run cannot
    // go on (FailureReason() says why).
    bool Start();
    const QString& FailureReason() const { return failure; }
    // Imports the range (or plans it), prints its plan and summary (a dry run: its
    // preview); the exit status (see RunOutcome).
    int Run();

    const RunOutcome& Outcome() const { return importRun.Outcome(); }

private:
    bool refuse(const QString& reason);
    DateRange range() const;

    const ToolState& tool;
    std::unique_ptr<StationDatabase> database;
    ImportRun importRun;
    LogOffer offer;
    QString failure;
};
