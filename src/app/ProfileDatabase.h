#pragma once

#include "app/ToolState.h"
#include "importers/RunOutcome.h"
#include "stationdb/StationDatabase.h"

#include <QString>
#include <memory>

// The Station Database a run of the profile opens: the one /DATABASE= names, else
// the one the profile's settings fix, opened with the patience the registry's
// "BusyWaitSeconds" gives.
class ProfileDatabase {
public:
    // The database's name, or "" when neither names one (the window then asks).
    static QString Named(const ToolState& tool);
    // Why no database was opened: the one the profile names and where it was
    // looked for, so that a moved database is found at once.
    static QString NoneFound(const ToolState& tool);
    // Opens the named database; "" when it opened, else why not (for writing, a
    // database that can only be read is refused too).
    static QString Open(StationDatabase& db, const ToolState& tool, const QString& name,
                        StationDatabase::Access access);
    // Opens the named database for writing, for the imports of a run whose ledger
    // is `run`: once the run has given up, the database waits for nothing more.
    // Nothing, with why in `problem`, when it cannot be opened.
    static std::unique_ptr<StationDatabase> OpenForImport(const ToolState& tool, const QString& name,
                                                          const RunOutcome& run, QString& problem);
    // Why an import cannot go on after the start's reading of the Scheduled Log: a
    // log that cannot be read is not an empty one. "" when every read was answered,
    // or when a stop signal ended the wait (the run records that as a stop).
    static QString ReadProblem(const StationDatabase& db);
    // Why the user logged in may not import (they may not edit the Scheduled Log),
    // or "" when they may.
    static QString RightsProblem(const ToolState& tool);
    // How long a change or a read waits for a busy Station Database, in milliseconds.
    static int Patience();
};
