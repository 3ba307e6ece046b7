#pragma once

#include "app/ImportRun.h"
#include "app/MainView.h"
#include "app/ToolState.h"
#include "importers/HourReadiness.h"
#include "stationdb/StationDatabase.h"

#include <functional>
#include <memory>
#include <optional>

// The main window's logic, with no widgets: opening the Station Database, showing
// what the Scheduled Log holds and which range the log files offer, the import
// runs, the removals and the unattended run. It owns the two importers and the
// open Station Database; it speaks to the window through MainView and to the
// operator through the operator seam.
class MainWindowController {
public:
    MainWindowController(ToolState& tool, MainView& view);
    ~MainWindowController();

    // The window's start-up after InitialiseTool: the application log, the rights,
    // the Station Database, the range limits and the first reading of the log.
    // False when the program must end (FailureReason() says why).
    bool Start();
    const QString& FailureReason() const { return failure; }

    void ReadLogDetails(bool silentMode);
    void UpdateButton();
    void ImportClicked(int kind);
    // "&Preview": the run of "Import Music and Adverts" over the range, planned and
    // shown, with nothing written anywhere.
    void Preview();
    bool RecordDirectoryEvent(int a, int b, const QString& text1, const QString& text2, int flag);

    bool RemoveEntriesForRange(bool refreshAfter);
    bool RemoveAdvertsForRange(bool refreshAfter);
    void ResendRange();
    void ResendAdverts();
    void RemoveAllEntries();
    void EmptyDatabase();

    // "&Scan available Log files for new date range".
    void ScanLogFiles() { ReadLogDetails(false); }
    // "&View History Log File": the run's application log in the report viewer, or a
    // message when there is none yet.
    void ViewHistoryLogFile();
    // "&Log Importer Settings": the dialog, its values stored when accepted, and the
    // log read again.
    void EditSettings();
    // "Station &Database Settings": the open database's settings dialog; the log is
    // read again (with its messages) when the settings changed.
    void EditStationDatabaseSettings();
    // The playout system's dialogs of the settings menu, in the window's colours:
    // "&Audio Settings", "Cueboard &Settings (Global)", "Ostrel &File Locations",
    // "Ostrel &Settings" and "Kestrane D&irectory Settings".
    void EditAudioSettings();
    void EditCueboardSettings();
    void EditFileLocations();
    void EditOstrelSettings();
    void EditDirectorySettings();
    // The point "&Start Date" or "&End Date" views the advert log at: the range's
    // start, or the start of the hour of its end; nothing when the range is not dated.
    std::optional<ScheduleDate> AdvertLogDate(bool atEnd);
    // "View &All Log Files": the folder to open, or "" when it does not exist.
    static QString LogFilesFolder();
    // "&Update Information": "Updates.rtf" beside the program, in the folder above
    // it, in that folder's "Common", or where the package installs it (share/logimporter
    // beside the bin folder); "" when there is none.
    static QString UpdateInformationFile(const QString& programFolder);

    // The unattended flow: /START and /END, then the combined run when the tool runs
    // in schedule mode (or its plan alone, with /DRYRUN). True when /QUIT asks the
    // program to end afterwards. A value of /START or /END that is not a date leaves
    // the offered one, with a warning.
    bool RunScheduled();
    // What the last run did, and its exit status (see RunOutcome).
    const RunOutcome& LastRun() const;
    // Where the last run happened, for its summary: the station, its range, how long
    // it took and the report it wrote, a line each.
    QStringList RunContext() const;
    // The summary an unattended run ends with (see ImportRun).
    QString RunSummary() const;
    // What the box at the end of a run at the window says: how it ended, the push's
    // summary when adverts were pushed, then the run's station, range, time and figures.
    QString ClosingTally(bool adverts) const;
    // The readiness of the hours from the hour holding `from` (none without a
    // Station Database).
    QList<HourReadiness> ReadinessOf(const ScheduleDate& from, int hours);

    // Closes the Station Database and lets the importers go, before TerminateTool.
    void Shutdown();

    StationDatabase* Database() { return database.get(); }
    const ScheduleDate& MusicScheduledFrom() const { return musicFrom; }
    const ScheduleDate& MusicScheduledUntil() const { return musicUntil; }
    const ScheduleDate& AdvertsScheduledUntil() const { return advertsUntil; }

private:
    bool refuse(const QString& reason);
    // One import run, or its plan alone (a dry run), with its report.
    void run(int kind, bool dryRun);
    void showClosingReport(bool adverts);
    QString chooseDatabase();
    // The labels of what the Scheduled Log holds, and the hours waiting for adverts.
    void showOffer(const struct LogOffer& offer);
    bool removeRange(bool adverts, bool refreshAfter);
    // Runs long work with the window showing it is busy.
    bool whileBusy(const std::function<bool()>& work);
    bool confirmTwice(const QString& question, const QString& again);

    ToolState& tool;
    MainView& view;
    std::unique_ptr<StationDatabase> database;
    // The import runs, with the two importers; made at the start.
    std::unique_ptr<ImportRun> importRun;
    ScheduleDate musicFrom, musicUntil, advertsUntil;
    QString failure;
    // What the start found wrong: an unreadable /START or /END, an unknown option.
    QStringList startWarnings;
};
