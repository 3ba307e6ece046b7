#include "app/MainWindowController.h"
#include "app/LogOffer.h"
#include "app/OverallShare.h"
#include "app/ProfileDatabase.h"

#include "app/BusySpan.h"
#include "app/ToolStartup.h"

#include "app/ImportKind.h"
#include "importers/Readiness.h"
#include "importers/RunReport.h"

#include "app/LogImportSettingsModel.h"
#include "base/AppLog.h"
#include "base/DebugLog.h"
#include "base/FileTools.h"
#include "base/GeneralTools.h"
#include "base/RegistryTools.h"
#include "base/ScheduleDateTools.h"
#include "importers/Progress.h"
#include "playout/OperatorSeam.h"
#include "stationdb/DatabaseChooser.h"
#include "stationdb/DatabaseLocation.h"

#include <QLocale>
#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString toolName = u"Log Importer"_s;
constexpr int detail = -1; // debug lines of detail

// "ddd ddddd hh:nn": the abbreviated day name, the system's short date, hours and minutes.
QString labelText(const ScheduleDate& date) {
    const QDateTime when = ScheduleDateTools::ToDate(date);
    const QLocale locale;
    return locale.dayName(when.date().dayOfWeek(), QLocale::ShortFormat) + u' ' +
           locale.toString(when.date(), QLocale::ShortFormat) + u' ' + when.time().toString(u"HH:mm"_s);
}

QString style14(const ScheduleDate& date) {
    return ScheduleDateTools::FormatScheduleDate(date, 14);
}

QString lines(const QStringList& parts) {
    return parts.join(u'\n');
}

const QString noRangeFound = lines(
    {u"No valid log entries were found. This may be due to one of the following "
     u"reasons:"_s,
     QString(), u"No Log files could be found,"_s, u"Log files were found, but had no entries in them,"_s,
     QString(), u"You should check your settings, and re-export from your scheduling program."_s, QString(),
     u"There is therefore nothing to import."_s});

// Where the log files were looked for, to close a message that none was found.
QString lookedIn(const QString& folder) {
    return u"\n\nThe log files were looked for in '%1'."_s.arg(folder);
}

void information(const QString& text) {
    OperatorSeam::Message(text, Operator::Information);
}

bool ask(const QString& text) {
    return OperatorSeam::Message(text, Operator::Question, Operator::YesNo, 2) == Operator::Yes;
}

} // namespace

MainWindowController::MainWindowController(ToolState& tool, MainView& view) : tool(tool), view(view) {}

MainWindowController::~MainWindowController() {
    Shutdown();
}

bool MainWindowController::refuse(const QString& reason) {
    failure = reason;
    view.UnloadSplash();
    return false;
}

int MainWindowController::role() const {
    return RegistryTools::GetNumber(RegistryTools::LocalMachine, LogImportSettingsModel::RegistryKey(),
                                    u"Role"_s, 1);
}

// ---- Start-up --------------------------------------------------------------------

bool MainWindowController::Start() {
    PlayoutGeneral& playout = *tool.PlayoutGeneral;
    AppLog::OpenAppLog(playout.Folder(PlayoutGeneral::ApplicationLogs) + u'/' + toolName,
                       AppLog::Numbered | AppLog::ComputerName);
    musicImporter = std::make_unique<MusicLogImporter>([this] { return database.get(); });
    if (view.Progress()) // none without a window
        share = std::make_unique<OverallShare>(view.Progress());
    musicImporter->SetProgressCallback(share.get());
    musicImporter->ShareOutcome(outcome);
    advertImporter = std::make_unique<AdvertLogImporter>([this] { return database.get(); });
    advertImporter->SetProgressCallback(share.get());
    advertImporter->ShareOutcome(outcome);

    const DirectoryUser all{QString(), QString(), true, true, true, true};
    const DirectoryUser user =
        tool.Directory && tool.Directory->CurrentUser() ? *tool.Directory->CurrentUser() : all;
    view.SetEnabled(MainView::DirectorySettings, user.CanEditDirectorySettings);
    if (!user.CanEditScheduledLog) {
        const QString text =
            u"You do not have the correct Permissions to Edit the Scheduled Log so you cannot use the "_s +
            GeneralTools::App().ProductName;
        OperatorSeam::Message(text, Operator::Critical);
        return refuse(text);
    }
    view.SetEnabled(MainView::AudioAndOstrelSettings, user.CanEditSettings);
    view.SetEnabled(MainView::DatabaseSettings, user.CanEditStationDatabaseSettings);

    const QString name = chooseDatabase();
    if (name.isEmpty())
        return refuse(ProfileDatabase::NoneFound(tool));
    database = std::make_unique<StationDatabase>();
    // A run that gave up waits no more.
    database->WaitOnlyWhile([this] { return !outcome.GaveUp() || outcome.Finished().isValid(); });
    if (const QString problem = ProfileDatabase::Open(*database, tool, name, StationDatabase::ForWriting);
        !problem.isEmpty()) {
        database.reset();
        return refuse(problem);
    }
    if (database->IsReadOnly()) {
        const QString location = database->DatabaseInfo().Location;
        database.reset();
        return refuse(
            u"the Station Database '%1' is read-only, so nothing can be imported into it"_s.arg(location));
    }
    view.SetTitle(view.Title() + u" - "_s + database->DatabaseInfo().Name);
    RegistryTools::SetString(RegistryTools::CurrentUser, LogImportSettingsModel::RegistryKey(),
                             u"LastDatabase"_s,
                             name); // as the chooser lists it, a file's title or a server's name
    view.SplashAction(u"Reading Last Scheduled Information..."_s);
    DateRange range = view.Range();
    range.Earliest = {38353, 0};
    range.Latest = {50000, ScheduleDateTools::EndOfDay};
    view.SetRange(range);
    const bool warn =
        RegistryTools::GetNumber(RegistryTools::LocalMachine, LogImportSettingsModel::RegistryKey(),
                                 u"WarnAtStartup"_s, 1) != 0;
    ReadLogDetails(!(warn && !tool.Options.Silent));
    // A Scheduled Log that cannot be read is not an empty one: nothing could be
    // offered or imported on what it would say. A stop signal that ended the wait
    // is the run's to record, as a stop between hours is.
    if (const WriteOutcome& read = database->ReadFailure();
        !read.IsWritten() && read.Result != WriteOutcome::Stopped)
        return refuse(u"the Scheduled Log could not be read: "_s + read.Problem);
    return true; // the splash stays until the main window shows
}

QString MainWindowController::chooseDatabase() {
    if (const QString named = ProfileDatabase::Named(tool); !named.isEmpty())
        return named;
    const PlayoutGeneral& playout = *tool.PlayoutGeneral;
    const DatabaseList databases = playout.Databases();
    view.SplashAction(u"Choosing Station Database..."_s);
    const QString last = RegistryTools::GetString(
        RegistryTools::CurrentUser, LogImportSettingsModel::RegistryKey(), u"LastDatabase"_s, {});
    const DirectoryUser* user =
        tool.Directory && tool.Directory->CurrentUser() ? &*tool.Directory->CurrentUser() : nullptr;
    const bool canCreate = !user || user->CanEditStationDatabaseSettings;
    const QString chosen = OperatorSeam::Current().ChooseDatabase(databases.Names(), last, canCreate);
    if (chosen.isEmpty() || databases.Find(chosen) || DatabaseLocation::IsServerText(chosen) || !canCreate)
        return chosen;
    // A name that is not there yet asks for a new, empty database in the shared folder.
    QString problem;
    if (DatabaseChooser::CreateDatabase(playout.Folder(PlayoutGeneral::StationDatabases), chosen, &problem))
        return chosen;
    OperatorSeam::Message(u"The Station Database '%1' could not be created: %2"_s.arg(chosen, problem),
                          Operator::Exclamation);
    return {};
}

// ---- What the Scheduled Log holds, and what can be imported -----------------------

void MainWindowController::ReadLogDetails(bool silentMode) {
    WriteDebug(u"Started ReadLogDetails - SilentMode="_s + (silentMode ? u"True"_s : u"False"_s),
               DebugLog::dbmNormal, DebugLog::IndentAfter);
    if (!database) {
        WriteDebug(u"Exiting ReadLogDetails - no Station Database"_s, DebugLog::dbmNormal,
                   DebugLog::OutdentBefore);
        return;
    }
    const BusySpan busy(view);
    const Progress progress(view.Progress());
    progress.Begin(u"Reading Scheduled Log"_s, QString());
    view.ShowProgress(true);
    const int mode = role();
    const LogOffer offer = LogOffer::Read(*database, *musicImporter, *advertImporter, mode, progress);
    musicFrom = offer.MusicFrom;
    musicUntil = offer.MusicUntil;
    advertsUntil = offer.AdvertsUntil;
    showOffer(offer);
    if (offer.ReadFailed) {
        WriteDebug(u"The Scheduled Log could not be read: "_s + database->ReadFailure().Problem);
        view.ShowProgress(false);
        WriteDebug(u"Exiting ReadLogDetails"_s, DebugLog::dbmNormal, DebugLog::OutdentBefore);
        return;
    }
    if (!silentMode)
        tellOfFiles(offer, mode);
    DateRange range = view.Range();
    range.Start = offer.Start;
    range.End = offer.End;
    view.SetRange(range);
    UpdateButton(); // as the range control's change notification does

    if (const int hours = view.ReadinessHours())
        view.SetReadiness(ReadinessOf(ScheduleDateTools::Today(), hours));
    progress.OverallPercent(100);
    progress.CurrentPercent(100);
    ScheduleDateTools::Pause(0.2);
    view.ShowProgress(false);
    WriteDebug(u"Finished ReadLogDetails"_s, DebugLog::dbmNormal, DebugLog::OutdentBefore);
}

void MainWindowController::showOffer(const LogOffer& offer) {
    if (offer.ReadFailed)
        view.SetMusicScheduled(u"(Log could not be read)"_s);
    else if (offer.MusicUntil.Day < 1)
        view.SetMusicScheduled(u"(Log is Empty)"_s);
    else
        view.SetMusicScheduled(labelText(offer.MusicFrom) + u" to "_s + labelText(offer.MusicUntil));
    view.SetAdvertsScheduled(offer.AdvertsUntil.Day >= 1 ? labelText(offer.AdvertsUntil) : QString());
    view.SetAdvertsWaiting(offer.Waiting.isEmpty() ? QString()
                                                   : u"%1 hour(s) from %2 are waiting for their adverts"_s
                                                         .arg(offer.Waiting.size())
                                                         .arg(labelText(offer.Waiting.first())));
}

void MainWindowController::tellOfFiles(const LogOffer& offer, int mode) const {
    if (mode != ImportKind::Adverts && offer.MusicFilesBehind)
        information(
            lines({u"Valid Music Log files have been found, but they don't contain any songs/links that "
                   u"are 'after' the ones already in the Scheduled Log."_s,
                   u"This may be due to one of the following reasons:"_s, QString(),
                   u"You may not have \"Exported\" or \"Sent\" any new logs from your Scheduler,"_s,
                   u"You may be filling in a hole in your Scheduled Log,"_s, QString(),
                   u"You may need to check your settings, or re-export from your music scheduling "
                   u"program if nescessary."_s,
                   QString(),
                   u"The Log Importer has therefore defaulted to the dates of the latest dated log "
                   u"file found.\n"_s}));
    if (mode != ImportKind::Adverts && !offer.MusicFilesFound)
        OperatorSeam::Message(noRangeFound + lookedIn(database->Settings().MusicLogsDirectory()),
                              Operator::Exclamation);
    if (mode == ImportKind::Adverts && !offer.AdvertFilesFound)
        OperatorSeam::Message(
            QString(noRangeFound)
                    .replace(u"No valid log entries were found."_s, u"No valid advert logs were found."_s)
                    .replace(u"re-export from your scheduling program."_s,
                             u"re-export from your advert scheduling program."_s) +
                lookedIn(database->Settings().AdvertLogsDirectory()),
            Operator::Exclamation);
}

bool MainWindowController::mayChangeHoursOnAir(const ScheduleDate& from) {
    // An unattended run never changes an hour on air; nor does a plan ask.
    if (tool.Options.Schedule || tool.Options.Silent || outcome.DryRun() ||
        !OperatorSeam::Current().CanAnswer())
        return false;
    const double now = StationDatabase::LocateHour(ScheduleDateTools::Today());
    QList<ScheduleDate> onAir;
    for (const ScheduleDate& hour :
         database->HoursWaitingForAdverts(std::min(now, StationDatabase::LocateHour(from)))) {
        if (!outcome.IsOnAir(hour))
            break;
        onAir.append(hour);
    }
    if (onAir.isEmpty())
        return false;
    return OperatorSeam::Message(
               lines({u"%1 hour(s) whose adverts would be pushed now have already started, the first at %2: "
                      u"they may be on air, and adverts pushed into them move what plays after them."_s
                          .arg(onAir.size())
                          .arg(labelText(onAir.first())),
                      QString(), u"Push adverts into them all the same?"_s}),
               Operator::Question, Operator::YesNo, 2) == Operator::Yes;
}

void MainWindowController::UpdateButton() {
    const bool valid = view.IsRangeValid(true, true, true);
    view.SetEnabled(MainView::ImportButtons, valid);
    view.SetEnabled(MainView::RangeCommands, valid);
}

// ---- Import runs -------------------------------------------------------------------

bool MainWindowController::ImportLogs(int kind, ScheduleDate& rangeFrom, ScheduleDate& rangeTo) {
    const QString eventRange = style14(rangeFrom) + u" to "_s + style14(rangeTo);
    LogImporter& importer =
        kind == ImportKind::Music ? static_cast<LogImporter&>(*musicImporter) : *advertImporter;
    if (!importer.CheckReady()) {
        outcome.ImporterCouldNotRun();
        ++refusedInRun;
        return false;
    }
    const BusySpan busy(view);
    view.SetEnabled(MainView::ImportButtons, false);
    const Progress progress(share.get());
    progress.Begin(QString(), QString());
    view.ShowProgress(true);
    // Every advert run also pushes the hours still waiting for their adverts; an
    // hour on air among them is changed only when the operator says so.
    if (kind != ImportKind::Music)
        outcome.AllowStartedHours(mayChangeHoursOnAir(rangeFrom));
    const bool ok = kind != ImportKind::Music
                        ? advertImporter->CatchUp(LogOffer::HoursWaiting(*database), rangeFrom, rangeTo)
                        : importer.ImportLogFiles(rangeFrom, rangeTo, true);
    if (!outcome.DryRun()) { // a preview records no event
        const bool music = kind == ImportKind::Music;
        RecordDirectoryEvent(DirectoryEvent::LogImporter,
                             music ? DirectoryEvent::LogAdded : DirectoryEvent::LogAdvertsAdded,
                             music ? u"Log Added"_s : u"Log Adverts Added"_s, eventRange, ok ? 1 : 0);
    }
    view.SetEnabled(MainView::ImportButtons, true);
    view.ShowProgress(false);
    return ok;
}

void MainWindowController::ImportClicked(int kind) {
    run(kind, tool.Options.DryRun);
}

void MainWindowController::shareBar(double from, double to) {
    if (share)
        share->Range(from, to);
}

QString MainWindowController::stationText() const {
    return (database ? database->DatabaseInfo().Name : u"(none)"_s) + u" (profile "_s + tool.CurrentProfile +
           u')';
}

QString MainWindowController::rangeText(const ScheduleDate& from, const ScheduleDate& to) {
    return ScheduleDateTools::FormatScheduleDate(from, 4) + u" to "_s +
           ScheduleDateTools::FormatScheduleDate(to, 4);
}

QStringList MainWindowController::RunContext() const {
    const qint64 elapsed = outcome.Started().msecsTo(outcome.Finished());
    QStringList lines{
        RunOutcome::SummaryLine(u"station"_s, stationText()),
        RunOutcome::SummaryLine(u"range"_s, rangeText(outcome.First(), outcome.Last())),
        RunOutcome::SummaryLine(u"elapsed"_s, u"%1 s"_s.arg(double(elapsed) / 1000.0, 0, 'f', 1))};
    if (!tool.Options.Report.isEmpty())
        lines.append(RunOutcome::SummaryLine(u"report"_s, tool.Options.Report));
    return lines;
}

QString MainWindowController::runPlan(const DateRange& range) const {
    return (tool.Options.DryRun ? u"Planning the import of music, then adverts, into "_s
                                : u"Importing music, then adverts, into "_s) +
           stationText() + u" for "_s + rangeText(range.Start, range.End) +
           (tool.Options.DryRun ? u" (a dry run: nothing will be written)"_s : u"."_s);
}

void MainWindowController::Preview() {
    run(ImportKind::MusicAndAdverts, true);
}

void MainWindowController::run(int kind, bool dryRun) {
    outcome.Start(dryRun, !tool.Options.Report.isEmpty());
    for (const QString& warning : startWarnings)
        outcome.Warn(warning);
    refusedInRun = 0;
    ScheduleDate rangeFrom = view.Range().Start;
    ScheduleDate rangeTo = view.Range().End;
    const QList<int> runs = kind == ImportKind::MusicAndAdverts
                                ? QList<int>{ImportKind::Music, ImportKind::Adverts}
                                : QList<int>{kind};
    if (readyToRun(kind, rangeFrom, rangeTo)) {
        for (qsizetype i = 0; i < runs.size(); ++i) { // one Overall bar: each run fills its share
            shareBar(100.0 * double(i) / double(runs.size()), 100.0 * double(i + 1) / double(runs.size()));
            ImportLogs(runs[i], rangeFrom, rangeTo);
        }
        shareBar(0, 100);
        ReadLogDetails(true); // what the Scheduled Log holds now, once the runs are over
    }
    outcome.Finish(rangeFrom, rangeTo);
    writeReport();
    if (dryRun)
        view.ShowText(RunReport::Preview(outcome), u"Import Preview"_s);
    else if (!tool.Options.Silent && refusedInRun < runs.size() &&
             outcome.Status() != RunOutcome::RangeRefused && outcome.Status() != RunOutcome::ImporterNotRun)
        showClosingReport(runs.contains(ImportKind::Adverts));
}

bool MainWindowController::readyToRun(int kind, const ScheduleDate& rangeFrom, const ScheduleDate& rangeTo) {
    if (!view.IsRangeValid(false, true, true)) {
        outcome.RangeWasRefused();
        return false;
    }
    if (!database) {
        information(u"You must select a valid Station Database"_s);
        outcome.ImporterCouldNotRun();
        return false;
    }
    if (ScheduleDateTools::IsBefore(rangeTo, rangeFrom)) {
        information(u"The start time must be before the end time"_s);
        outcome.RangeWasRefused();
        return false;
    }
    AppLog::OpenAppLog(tool.PlayoutGeneral->Folder(PlayoutGeneral::ApplicationLogs) + u'/' + toolName,
                       AppLog::Numbered | AppLog::ComputerName);
    if ((kind != ImportKind::Music && kind != ImportKind::MusicAndAdverts) ||
        database->Settings().UseLogImporterCartRanges())
        return true;
    if (outcome.DryRun()) { // a preview changes no setting; the run will ask
        outcome.Warn(u"the \"Use the Log Importer Cart Ranges when adding carts\" option is off: the import "
                     u"will ask to switch it on"_s);
        return true;
    }
    if (switchOnCartRanges())
        return true;
    outcome.ImporterCouldNotRun();
    return false;
}

QString MainWindowController::ClosingTally(bool adverts) const {
    const int status = outcome.Status();
    QStringList text{status == RunOutcome::Complete
                         ? u"The log was successfully imported into the database"_s
                         : u"The import ended with exit status %1: %2."_s.arg(status).arg(
                               RunOutcome::StatusMeaning(status))};
    if (adverts)
        text.append(outcome.AdvertSummary());
    // The summary's columns line up in a fixed font only: a box has one name, one value.
    static const QRegularExpression padding(u"^([^:]+):\\s+"_s);
    QStringList figures = RunContext() + outcome.Summary();
    for (QString& line : figures)
        line.replace(padding, u"\\1: "_s);
    return text.join(u'\n') + u"\n\n"_s + figures.join(u'\n');
}

void MainWindowController::showClosingReport(bool adverts) {
    // One box ends the run: its tally, and the Import Log on the operator's word when
    // the run wrote one.
    const QString tally = ClosingTally(adverts);
    if (FileTools::FileSize(AppLog::FileName()) <= 0) {
        information(tally);
        return;
    }
    if (OperatorSeam::Message(tally + u"\n\nThe Import Log says what each hour met. Show it now?"_s,
                              Operator::Information, Operator::YesNo, 1) == Operator::Yes)
        view.ShowReport(AppLog::FileName(), u"Import Log"_s);
}

void MainWindowController::writeReport() {
    QString problem;
    if (!tool.Options.Report.isEmpty() && !RunReport::Write(outcome, tool.Options.Report, &problem))
        outcome.Warn(u"the run report could not be written to '%1': %2"_s.arg(tool.Options.Report, problem));
}

bool MainWindowController::switchOnCartRanges() {
    const QString question = lines({u"The Log Importer needs to activate the \"Use the Log Importer Cart "
                                    u"Ranges when adding carts\" option "
                                    u"before it can use this database."_s,
                                    QString(),
                                    u"This option is required to import Music Logs using the Log "
                                    u"Importer, is it OK for this change to be made "
                                    u"for you?"_s,
                                    QString(),
                                    u"Note: The 'Log Importer Settings' window will then be displayed so "
                                    u"that you can check the Ranges being "
                                    u"used."_s});
    if (!OperatorSeam::ConfirmChange(question, 1)) {
        if (!OperatorSeam::Current().CanAnswer()) // say how to answer it for the next night
            outcome.Warn(u"the cart ranges are not switched on; switch them on with: stationdb settings DB "
                         u"UseLogImporterCartRanges=1 (DB: the Station Database '%1')"_s.arg(
                             database->DatabaseInfo().Name));
        return false;
    }
    StationSettings changed = database->Settings();
    changed.SetValue(u"UseLogImporterCartRanges"_s, u"1"_s);
    if (!database->SaveSettings(changed)) {
        OperatorSeam::Message(
            u"The \"Use the Log Importer Cart Ranges when adding carts\" option could not be "
            u"switched on, so nothing was saved and no music was imported: "_s +
                database->LastWrite().Problem,
            Operator::Exclamation);
        return false;
    }
    LogImportSettingsModel settings;
    settings.Load(*database);
    view.ShowSettings(settings); // the dialog stores what the operator accepts
    return true;
}

bool MainWindowController::RecordDirectoryEvent(int a, int b, const QString& text1, const QString& text2,
                                                int flag) {
    return tool.Directory && tool.Directory->RecordEvent(a, b, text1, text2, flag);
}

QList<HourReadiness> MainWindowController::ReadinessOf(const ScheduleDate& from, int hours) {
    if (!database)
        return {};
    const BusySpan busy(view);
    return Readiness::Of(*database, from, hours);
}

bool MainWindowController::RunScheduled() {
    const RunOptions& options = tool.Options;
    DateRange range = view.Range();
    range.Start = options.Start.value_or(range.Start);
    range.End = options.End.value_or(range.End);
    startWarnings = options.Warnings;
    view.SetRange(range);
    UpdateButton();
    if (!options.Schedule && !options.DryRun) {
        for (const QString& warning : startWarnings)
            outcome.Warn(warning);
        return false;
    }
    view.Announce(runPlan(range));
    ImportClicked(ImportKind::MusicAndAdverts);
    return options.Quit;
}

void MainWindowController::ViewHistoryLogFile() {
    if (!FileTools::FileExists(AppLog::FileName())) {
        OperatorSeam::Message(u"There has not been a History Log File created yet!"_s, Operator::Exclamation);
        return;
    }
    view.ShowReport(AppLog::FileName(), QString());
}

void MainWindowController::EditSettings() {
    if (!database)
        return;
    LogImportSettingsModel settings;
    settings.Load(*database);
    view.ShowSettings(settings); // the dialog stores what the operator accepts
    ReadLogDetails(true);
}

void MainWindowController::EditStationDatabaseSettings() {
    if (!database)
        return;
    StationSettings changed = database->Settings();
    if (!OperatorSeam::Current().EditStationSettings(changed, database->DatabaseInfo().Name) ||
        changed == database->Settings())
        return;
    if (!database->SaveSettings(changed)) {
        OperatorSeam::Message(u"The settings of '%1' could not be stored, so nothing was saved: %2"_s.arg(
                                  database->DatabaseInfo().Name, database->LastWrite().Problem),
                              Operator::Exclamation);
        return;
    }
    ReadLogDetails(false);
}

void MainWindowController::EditAudioSettings() {
    if (tool.AudioSettings)
        tool.AudioSettings->ShowSettings(1);
}

void MainWindowController::EditCueboardSettings() {
    if (!tool.PlayoutAudio || !tool.PlayoutAudio->ShowGlobalCueboardSettings(view.Background()))
        return;
    RecordDirectoryEvent(DirectoryEvent::AudioSystem, DirectoryEvent::GlobalCueboardSettings,
                         u"Audio Settings Changed"_s, u"Global Cueboard Settings"_s, 1);
    tool.PlayoutAudio->TakeCueboardSettings();
    tool.PlayoutGeneral->Register(PlayoutGeneral::CueboardChanged);
}

void MainWindowController::EditFileLocations() {
    PlayoutGeneral* general = tool.PlayoutGeneral.get();
    if (general && general->ShowFileLocations(view.Background()) && general->Open(tool.CurrentProfile))
        general->Register(PlayoutGeneral::FileLocationsChanged);
}

void MainWindowController::EditOstrelSettings() {
    StationLibrary* library = tool.StationLibrary.get();
    if (library && library->DisplaySettings(0, view.Background()))
        library->Settings().SaveProfile(tool.CurrentProfile);
}

void MainWindowController::EditDirectorySettings() {
    if (tool.Directory)
        tool.Directory->ShowSettings();
}

std::optional<ScheduleDate> MainWindowController::AdvertLogDate(bool atEnd) {
    if (!view.IsRangeValid(false, false, true))
        return std::nullopt;
    const DateRange range = view.Range();
    if (!atEnd)
        return range.Start;
    return ScheduleDate{range.End.Day, float(int(range.End.Seconds / 3600) * 3600)};
}

QString MainWindowController::LogFilesFolder() {
    const QString folder = FileTools::FolderOfPath(AppLog::FileName());
    return FileTools::FolderExists(folder) ? folder : QString();
}

QString MainWindowController::UpdateInformationFile(const QString& programFolder) {
    const QString above = FileTools::ParentFolder(programFolder);
    for (const QString& path :
         {programFolder + u"/Updates.rtf"_s, above + u"/Updates.rtf"_s, above + u"/Common/Updates.rtf"_s,
          above + u"/share/logimporter/Updates.rtf"_s}) {
        if (FileTools::FileExists(path))
            return path;
    }
    return {};
}

// ---- Removals ----------------------------------------------------------------------

bool MainWindowController::removeRange(bool adverts, bool refreshAfter) {
    if (!view.IsRangeValid(false, true, true))
        return false;
    const ScheduleDate start = view.Range().Start;
    const ScheduleDate end = view.Range().End;
    if (!database) {
        information(u"You must select a valid Station Database"_s);
        return false;
    }
    const QString what = adverts ? u"adverts"_s : u"items"_s;
    if (!ask(u"Are you sure you want to remove all the "_s + what + u" from the Scheduled Log \nbetween "_s +
             style14(start) + u" and "_s + style14(end)))
        return false;
    const bool removed = whileBusy([&] {
        return adverts ? database->RemoveAdvertRange(start, end)
                       : database->RemoveLogRange(start, end, QString(168, u'Y'));
    });
    if (removed && !adverts)
        information(u"The items were removed from the Scheduled Log"_s);
    if (refreshAfter)
        ReadLogDetails(true);
    return removed;
}

bool MainWindowController::RemoveEntriesForRange(bool refreshAfter) {
    return removeRange(false, refreshAfter);
}

bool MainWindowController::RemoveAdvertsForRange(bool refreshAfter) {
    return removeRange(true, refreshAfter);
}

void MainWindowController::ResendRange() {
    if (RemoveEntriesForRange(false))
        ImportClicked(ImportKind::Music);
}

void MainWindowController::ResendAdverts() {
    if (RemoveAdvertsForRange(false))
        ImportClicked(ImportKind::Adverts);
}

bool MainWindowController::whileBusy(const std::function<bool()>& work) {
    const BusySpan busy(view);
    return work();
}

bool MainWindowController::confirmTwice(const QString& question, const QString& again) {
    return ask(question) && ask(again);
}

void MainWindowController::RemoveAllEntries() {
    if (!confirmTwice(u"Are you sure you want to remove ALL the entries from the Scheduled Log?"_s,
                      u"Are you REALLY sure you want to remove ALL the entries from the Scheduled Log?"_s))
        return;
    if (database && whileBusy([&] { return database->RemoveAllLogEntries(); }))
        information(u"ALL entries were removed from the Scheduled Log"_s);
    ReadLogDetails(true);
}

void MainWindowController::EmptyDatabase() {
    if (!confirmTwice(
            u"Are you sure you want to remove ALL of the Song, Link and Advert Information from the "
            u"Database?"_s,
            u"Are you REALLY sure you want to remove ALL of the Song, Link and Advert Information from the "
            u"Database?"_s))
        return;
    if (database && whileBusy([&] { return database->Maintenance().EmptyDatabase(); }))
        information(u"ALL Song, Link and Advert information was removed from the 'Database'"_s);
}

void MainWindowController::Shutdown() {
    if (database)
        database->Close();
    database.reset();
    musicImporter.reset();
    advertImporter.reset();
}
