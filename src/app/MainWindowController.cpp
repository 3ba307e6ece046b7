#include "app/MainWindowController.h"
#include "app/ImportRun.h"
#include "app/LogOffer.h"
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

QString style14(const ScheduleDate& date) {
    return ScheduleDateTools::FormatScheduleDate(date, 14);
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

// ---- Start-up --------------------------------------------------------------------

bool MainWindowController::Start() {
    PlayoutGeneral& playout = *tool.PlayoutGeneral;
    AppLog::OpenAppLog(playout.Folder(PlayoutGeneral::ApplicationLogs) + u'/' + toolName,
                       AppLog::Numbered | AppLog::ComputerName);
    ImportRun::Display display;
    display.Progress = view.Progress(); // none without a window
    display.Running = [this](bool running) {
        view.SetEnabled(MainView::ImportButtons, !running);
        view.ShowProgress(running);
    };
    display.RangesSwitchedOn = [this] {
        LogImportSettingsModel settings;
        settings.Load(*database);
        view.ShowSettings(settings); // the dialog stores what the operator accepts
    };
    importRun = std::make_unique<ImportRun>(
        tool, [this] { return database.get(); }, display);

    const DirectoryUser all{QString(), QString(), true, true, true, true};
    const DirectoryUser user =
        tool.Directory && tool.Directory->CurrentUser() ? *tool.Directory->CurrentUser() : all;
    view.SetEnabled(MainView::DirectorySettings, user.CanEditDirectorySettings);
    if (const QString rights = ProfileDatabase::RightsProblem(tool); !rights.isEmpty()) {
        OperatorSeam::Message(rights, Operator::Critical);
        return refuse(rights);
    }
    view.SetEnabled(MainView::AudioAndOstrelSettings, user.CanEditSettings);
    view.SetEnabled(MainView::DatabaseSettings, user.CanEditStationDatabaseSettings);

    const QString name = chooseDatabase();
    if (name.isEmpty())
        return refuse(ProfileDatabase::NoneFound(tool));
    QString problem;
    database = ProfileDatabase::OpenForImport(tool, name, importRun->Outcome(), problem);
    if (!database)
        return refuse(problem);
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
    problem = ProfileDatabase::ReadProblem(*database);
    return problem.isEmpty() || refuse(problem); // the splash stays until the main window shows
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
    const int mode = LogImportSettingsModel::MachineRole();
    const LogOffer offer =
        LogOffer::Read(*database, importRun->Music(), importRun->Adverts(), mode, progress);
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
        offer.TellOperator(*database, mode);
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
        view.SetMusicScheduled(DateRange::Label(offer.MusicFrom) + u" to "_s +
                               DateRange::Label(offer.MusicUntil));
    view.SetAdvertsScheduled(offer.AdvertsUntil.Day >= 1 ? DateRange::Label(offer.AdvertsUntil) : QString());
    view.SetAdvertsWaiting(offer.Waiting.isEmpty() ? QString()
                                                   : u"%1 hour(s) from %2 are waiting for their adverts"_s
                                                         .arg(offer.Waiting.size())
                                                         .arg(DateRange::Label(offer.Waiting.first())));
}

void MainWindowController::UpdateButton() {
    const bool valid = view.IsRangeValid(true, true, true);
    view.SetEnabled(MainView::ImportButtons, valid);
    view.SetEnabled(MainView::RangeCommands, valid);
}

// ---- Import runs -------------------------------------------------------------------

void MainWindowController::ImportClicked(int kind) {
    run(kind, tool.Options.DryRun);
}

void MainWindowController::Preview() {
    run(ImportKind::MusicAndAdverts, true);
}

void MainWindowController::run(int kind, bool dryRun) {
    {
        const BusySpan busy(view);
        const bool rangeUsable = view.IsRangeValid(false, true, true);
        importRun->Run(kind, view.Range(), rangeUsable, dryRun, startWarnings,
                       [this] { ReadLogDetails(true); }); // what the Scheduled Log holds now
    }
    const RunOutcome& outcome = importRun->Outcome();
    if (dryRun)
        view.ShowText(RunReport::Preview(outcome), u"Import Preview"_s);
    else if (!tool.Options.Silent && importRun->Refused() < importRun->Importers() &&
             outcome.Status() != RunOutcome::RangeRefused && outcome.Status() != RunOutcome::ImporterNotRun)
        showClosingReport(kind != ImportKind::Music);
}

const RunOutcome& MainWindowController::LastRun() const {
    return importRun->Outcome();
}

QStringList MainWindowController::RunContext() const {
    return importRun->Context();
}

QString MainWindowController::RunSummary() const {
    return importRun->Summary();
}

QString MainWindowController::ClosingTally(bool adverts) const {
    const RunOutcome& outcome = importRun->Outcome();
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
            importRun->Outcome().Warn(warning);
        return false;
    }
    view.Announce(importRun->Plan(range, options.DryRun));
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
        return adverts ? database->Log().RemoveAdvertRange(start, end)
                       : database->Log().RemoveLogRange(start, end, QString(168, u'Y'));
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
    if (database && whileBusy([&] { return database->Log().RemoveAllLogEntries(); }))
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
    importRun.reset();
}
