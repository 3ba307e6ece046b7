#pragma once

#include "app/DateRange.h"
#include "app/ToolState.h"
#include "importers/MusicLogImporter.h"
#include "importers/RunOutcome.h"
#include "importers/advert/AdvertLogImporter.h"

#include <functional>
#include <memory>

class OverallShare;
class ProgressReceiver;
class StationDatabase;

// One import: music, adverts or both over a range, or its plan alone (a dry run),
// recorded in the run's ledger, with its report written. The window's import
// buttons and preview, and the unattended run, all import through it. It owns the
// two importers of the open Station Database.
class ImportRun {
public:
    // What the run shows of itself while it goes; nothing without a window.
    struct Display {
        ProgressReceiver* Progress = nullptr;      // the importers' progress: one Overall bar for the run
        std::function<void(bool running)> Running; // an importer starts (true) or ends (false)
        std::function<void()> RangesSwitchedOn;    // the cart ranges were switched on: show them
    };

    // `database` gives the open Station Database, or nullptr when none is open.
    ImportRun(const ToolState& tool, std::function<StationDatabase*()> database, Display display);
    ~ImportRun();
    ImportRun(const ImportRun&) = delete;
    ImportRun& operator=(const ImportRun&) = delete;

    MusicLogImporter& Music() { return music; }
    AdvertLogImporter& Adverts() { return adverts; }
    RunOutcome& Outcome() { return outcome; }
    const RunOutcome& Outcome() const { return outcome; }

    // Runs `kind` (see ImportKind) over the range, or plans it; `warnings` open the
    // ledger. A range that may not be used (`rangeUsable` false: the caller told
    // why) is refused. `afterImports` runs once the importers are done, before the
    // run is finished and its report written (the window reads the log again there).
    // False when the run was refused before any importer ran (its range, the
    // database, the cart ranges): the ledger says why.
    bool Run(int kind, const DateRange& range, bool rangeUsable, bool dryRun, const QStringList& warnings,
             const std::function<void()>& afterImports = {});
    // How many importers of the last run were not ready to run, of how many it had.
    int Refused() const { return refused; }
    int Importers() const { return importers; }

    // The first line of an unattended run: what it will do, where, and for when.
    QString Plan(const DateRange& range, bool dryRun) const;
    // Where the last run happened, for its summary: the station, its range, how long
    // it took and the report it wrote, a line each.
    QStringList Context() const;
    // The summary an unattended run ends with: its exit status and what it means,
    // then its context and figures, a line each.
    QString Summary() const;

private:
    // One importer over the range; False when it did not run or failed.
    bool import(int kind, const HourRange& hours);
    // The checks before a run: the range, the database, the cart-range option.
    bool readyToRun(int kind, const DateRange& range, bool rangeUsable);
    // The cart-range question of a music run, and switching the option on; False
    // when the run must stop.
    bool switchOnCartRanges(StationDatabase& db);
    // Asks the operator, once, whether the push may change the hours from `from` on
    // that wait for their adverts and are on air or past; False in an unattended run.
    bool mayChangeHoursOnAir(StationDatabase& db, const ScheduleDate& from);
    void writeReport();
    // The station and profile ("Demo Station (profile Demo)").
    QString stationText() const;
    void running(bool on) const;

    const ToolState& tool;
    std::function<StationDatabase*()> database;
    Display display;
    std::unique_ptr<OverallShare> share; // none without a progress display
    RunOutcome outcome;
    MusicLogImporter music;
    AdvertLogImporter adverts;
    int refused = 0;
    int importers = 0;
};
