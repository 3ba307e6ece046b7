#include "app/ToolStartup.h"

#include <QDir>

#include "stationdb/StationDatabase.h"

#include "app/SplashView.h"
#include "base/DebugLog.h"
#include "base/FileTools.h"
#include "base/GeneralTools.h"
#include "base/LibraryTrace.h"
#include "base/RegistryTools.h"
#include "base/ScheduleDateTools.h"
#include "base/SystemTools.h"
#include "playout/OperatorSeam.h"
#include "playout/ProfileLibrary.h"

#include <QCoreApplication>
#include <QLockFile>

namespace {

const QString toolsKey = QStringLiteral("Software\\Kestrane\\Ostrel v3\\Tools");
constexpr int directoryOptions = 7;
constexpr int settingsDialogFlags = int(0x8000000F);

void letWindowMessagesRun() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

} // namespace

ToolStartup::ToolStartup(ToolState& state, SplashView* splash) : state(state), splash(splash) {}

bool ToolStartup::fail(const QString& line, const QString& reason) {
    WriteDebug(line, DebugLog::dbmNormal, DebugLog::OutdentBefore);
    failure = reason.isEmpty() ? line : reason;
    return false;
}

QString ToolStartup::noProfileReason() const {
    if (OperatorSeam::Current().CanAnswer())
        return QStringLiteral("no profile was chosen, so the program ended");
    const QStringList profiles = ProfileLibrary().Profiles();
    if (profiles.isEmpty())
        return QStringLiteral("no profile exists yet in '%1'. Make one with: stationdb profile NAME "
                              "--database DATABASE, then give /Profile=NAME")
            .arg(ProfileLibrary::ProductFolder() + QStringLiteral("/Profiles"));
    return QStringLiteral("no profile was given, and nobody is here to choose one: give /Profile=NAME "
                          "(the profiles here: %1)")
        .arg(profiles.join(QStringLiteral(", ")));
}

QString ToolStartup::incompleteSettingsReason() const {
    if (OperatorSeam::Current().CanAnswer())
        return QStringLiteral("the Ostrel Settings were cancelled, so the program ended");
    const QString make =
        QStringLiteral("stationdb profile \"%1\" --database DATABASE").arg(state.CurrentProfile);
    if (!profileExisted)
        return QStringLiteral("the profile '%1' does not exist. Make it with: %2 (or start the program at a "
                              "display once and choose its Ostrel Settings)")
            .arg(state.CurrentProfile, make);
    return QStringLiteral(
               "the Ostrel Settings of the profile '%1' do not name a Station Database, and nobody "
               "is here to complete them. Set them with: %2")
        .arg(state.CurrentProfile, make);
}

void ToolStartup::showAction(const QString& action) {
    if (splashShown)
        splash->SetCurrentAction(action);
}

void ToolStartup::showAndWrite(const QString& text) {
    showAction(text);
    WriteDebug(text);
}

bool ToolStartup::InitialiseTool(const QString& toolName, int securityMode, bool showSplash,
                                 const QString& profileOverride, bool withPlayout) {
    const RunOptions& options = state.Options;
    DebugLog::InitialiseDebugLevel(options.Debug);
    LibraryTrace::SetWriter([](const QString& text) { WriteDebug(text); });
    WriteDebug(QStringLiteral("Started InitialiseTool"), DebugLog::dbmNormal, DebugLog::IndentAfter);
    if (!checkMachine())
        return false;
    WriteDebug(QStringLiteral("Checking/Creating All Users\\App Data\\Ostrel v3 folder"));
    FileTools::CreateFolder(ProfileLibrary::ProductFolder());
    WriteDebug(QStringLiteral("Initalising Localisation"));
    if (showSplash && !options.Silent && splash) {
        splashShown = true;
        splash->Load();
        splash->SetNumberIcons(securityMode != 0 ? 3 : 2);
        splash->SetIconInfo(1, QStringLiteral("local"), QStringLiteral("Local Settings"));
        splash->SetIconInfo(2, QStringLiteral("playout"), QStringLiteral("Audio Systems"));
        if (securityMode != 0)
            splash->SetIconInfo(3, QStringLiteral("security"), QStringLiteral("User Security"));
        splash->SetCurrentAction(QStringLiteral("Initialising Tool"));
        splash->Show();
        letWindowMessagesRun();
    }

    if (!chooseProfile(profileOverride))
        return false;
    createFolders(toolName);
    if (splashShown)
        splash->SetIconInfo(1, QStringLiteral("localon"), QStringLiteral("Local Settings"));

    if (securityMode != 0 && !openDirectory())
        return false;
    loadAudioSettings();
    if (withPlayout && !createPlayout())
        return false;
    if (splashShown) // the playout system's audio is set up
        splash->SetIconInfo(2, QStringLiteral("playouton"), QStringLiteral("Audio Systems"));
    if (!loadStationLibrary())
        return false;
    if (state.Directory)
        state.Directory->SetLoginOptional(!state.StationLibrary->Settings().Security || state.Options.Silent);
    if (securityMode == 3 && !logIn())
        return false;

    if (splashShown) {
        // The security icon, when it is shown; a start without security lights none.
        if (securityMode != 0)
            splash->SetIconInfo(3, QStringLiteral("securityon"), QStringLiteral("User Security"));
        splash->SetCurrentAction(QStringLiteral("Finished Initialising Tool"));
        ScheduleDateTools::Pause(0.3);
    }
    WriteDebug(QStringLiteral("Finished OK"), DebugLog::dbmNormal, DebugLog::OutdentBefore);
    return true;
}

bool ToolStartup::checkMachine() {
    if (!state.Options.NoPreviousCheck) {
        WriteDebug(QStringLiteral("Check if already running"));
        if (GeneralTools::PreviousInstanceRunning()) {
            qint64 process = 0;
            QString host;
            QString application;
            QLockFile(GeneralTools::InstanceLockFile()).getLockInfo(&process, &host, &application);
            return fail(QStringLiteral("Exit as App already running"),
                        QStringLiteral("the program is already running (process %1, which holds '%2'). Wait "
                                       "for it to end, or give /NOPREVCHECK to start another beside it")
                            .arg(process)
                            .arg(GeneralTools::InstanceLockFile()));
        }
    }
    if (!StationDatabase::DataAccessComponentsInstalled()) {
        return fail(QStringLiteral("Exit as No MDAC Installed"));
    }
    if (!SystemTools::BrowserComponentsInstalled()) {
        return fail(QStringLiteral("Exit as IE4+ not Installed"));
    }
    return true;
}

bool ToolStartup::chooseProfile(const QString& profileOverride) {
    const QString& forced = state.Options.Profile;
    if (!forced.isEmpty()) {
        state.CurrentProfile = forced;
        WriteDebug(QStringLiteral("Command line forcing Profile '") + forced + u'\'');
        return true;
    }
    if (!profileOverride.isEmpty()) {
        state.CurrentProfile = profileOverride;
        WriteDebug(QStringLiteral("Forcing Profile (not via Command Line) '") + profileOverride + u'\'');
        return true;
    }
    showAndWrite(QStringLiteral("Creating Profile Library"));
    const ProfileLibrary profiles;
    const QString suggestion = RegistryTools::GetString(
        RegistryTools::CurrentUser, toolsKey, QStringLiteral("LastProfile"), QStringLiteral("Profile1"));
    QString line = QStringLiteral("Getting Profile Name");
    if (!suggestion.isEmpty())
        line += QStringLiteral(" (Suggesting '") + suggestion + QStringLiteral("')");
    WriteDebug(line);
    const QString chosen = profiles.ChooseProfile(suggestion);
    if (chosen.isEmpty())
        return fail(QStringLiteral("No Profile chosen so finished"), noProfileReason());
    RegistryTools::SetString(RegistryTools::CurrentUser, toolsKey, QStringLiteral("LastProfile"), chosen);
    state.CurrentProfile = chosen;
    WriteDebug(QStringLiteral("Profile Chosen: '") + chosen + u'\'');
    return true;
}

void ToolStartup::createFolders(const QString& toolName) {
    profileExisted = ProfileLibrary().Profiles().contains(state.CurrentProfile, Qt::CaseInsensitive);
    for (const QString& folder : {ProfileLibrary::ProfileFolder(state.CurrentProfile),
                                  ProfileLibrary::ToolProfileFolder(toolName, state.CurrentProfile)}) {
        if (!QDir(folder).exists())
            madeFolders.prepend(folder); // the deepest first, to be taken back in that order
        FileTools::CreateFolder(folder);
    }
}

void ToolStartup::takeBackFolders() {
    // A profile that was never set up leaves nothing behind: the folders the
    // start-up made for it go again, as long as nothing was put in them.
    for (const QString& folder : std::exchange(madeFolders, {}))
        QDir().rmdir(folder);
}

bool ToolStartup::openDirectory() {
    showAction(QStringLiteral("Creating Directory Interface"));
    WriteDebug(QStringLiteral("Creating Kestrane Directory Interface"));
    state.Directory = std::make_unique<Directory>();
    Directory& directory = *state.Directory;
    directory.DebugLevel = GeneralTools::DebugLevel();
    directory.Profile = state.CurrentProfile;
    directory.ApplicationType = ApplicationType;
    directory.ApplicationName = GeneralTools::App().ProductName;
    directory.Options = directoryOptions;
    showAction(QStringLiteral("Opening Kestrane Directory"));
    WriteDebug(QStringLiteral("Opening Default Directory"));
    if (!directory.OpenDefault()) {
        return fail(QStringLiteral("Failed so finished"));
    }
    directory.RegisterApplication(ApplicationType);
    return true;
}

void ToolStartup::loadAudioSettings() {
    showAndWrite(QStringLiteral("Creating Audio Settings Interface"));
    state.AudioSettings = std::make_unique<AudioSettings>();
    state.AudioSettings->DebugLevel = GeneralTools::DebugLevel();
    showAction(QStringLiteral("Loading Audio Settings Profile"));
    WriteDebug(QStringLiteral("Loading Profile '") + state.CurrentProfile +
               QStringLiteral("' into Audio Settings Interface"));
    state.AudioSettings->LoadProfile(state.CurrentProfile);

    const int count = state.Options.Players;
    if (count >= 1 && count != state.AudioSettings->NumberPlayers) {
        WriteDebug(QStringLiteral("Overriding NumberPlayers to ") + QString::number(count));
        state.AudioSettings->NumberPlayers = count;
    }
}

bool ToolStartup::createPlayout() {
    showAndWrite(QStringLiteral("Creating Playout Interface (General)"));
    state.PlayoutGeneral = std::make_unique<PlayoutGeneral>();
    PlayoutGeneral& general = *state.PlayoutGeneral;
    general.DebugLevel = GeneralTools::DebugLevel();
    general.Audio().Settings = state.AudioSettings.get();
    if (!general.Open(state.CurrentProfile) || !general.Register()) {
        failure = QStringLiteral("The playout interface could not be opened for profile '%1'")
                      .arg(state.CurrentProfile);
        return false;
    }

    showAndWrite(QStringLiteral("Creating Playout Interface (Audio)"));
    state.PlayoutAudio = &general.Audio();
    const AudioSettings* audio = state.PlayoutAudio->Settings;
    if (audio && audio->UseDeviceName)
        state.PlayoutAudio->DeviceList[0] = audio->DeviceName;
    showAndWrite(QStringLiteral("Creating Playout Interface (Logging)"));
    state.PlayoutLogging = &general.Logging();
    return true;
}

bool ToolStartup::loadStationLibrary() {
    showAndWrite(QStringLiteral("Creating Ostrel Libraries"));
    state.StationLibrary = std::make_unique<StationLibrary>();
    StationLibrary& library = *state.StationLibrary;
    library.DebugLevel = GeneralTools::DebugLevel();
    library.Option = false;
    library.directory = state.Directory.get();
    library.playoutGeneral = state.PlayoutGeneral.get();
    LibrarySettings& settings = library.Settings();
    showAction(QStringLiteral("Loading Profile '") + state.CurrentProfile + u'\'');
    WriteDebug(QStringLiteral("Loading Profile '") + state.CurrentProfile +
               QStringLiteral("' into Ostrel Library"));
    settings.LoadProfile(state.CurrentProfile);

    showAction(QStringLiteral("Checking Ostrel Settings"));
    WriteDebug(QStringLiteral("Ostrel Library - CheckSettings"));
    if (library.CheckSettings())
        return true;
    showAction(QStringLiteral("Displaying Ostrel Settings"));
    WriteDebug(QStringLiteral("Failed - Displaying Settings"));
    if (!library.DisplaySettings(settingsDialogFlags)) {
        if (!profileExisted)
            takeBackFolders();
        return fail(QStringLiteral("Cancelled so finished"), incompleteSettingsReason());
    }
    WriteDebug(QStringLiteral("Saving Profile"));
    settings.SaveProfile(state.CurrentProfile);
    return true;
}

bool ToolStartup::logIn() {
    Directory& directory = *state.Directory;
    const QString& guid = state.Options.UserGuid;
    const QString product = GeneralTools::App().ProductName;
    if (!guid.isEmpty()) {
        const auto user = directory.FindUser(guid);
        if (user && !directory.LogIn(*user, ApplicationType, product))
            directory.ForgetUser();
    }
    if (directory.CurrentUser() ||
        directory.InteractiveLogIn(product, state.StationLibrary->Settings().AutoLogIn))
        return true;
    failure = QStringLiteral("No user was logged in");
    return false;
}

void ToolStartup::TerminateTool() {
    WriteDebug(QStringLiteral("Start TerminateTool "), DebugLog::dbmNormal, DebugLog::IndentAfter);
    if (state.StationLibrary) {
        state.StationLibrary->directory = nullptr;
        state.StationLibrary.reset();
    }
    state.PlayoutAudio = nullptr;
    state.PlayoutGeneral.reset();
    state.PlayoutLogging = nullptr;
    state.AudioSettings.reset();
    if (state.Directory) {
        state.Directory->Close();
        state.Directory->UnregisterApplication(ApplicationType);
        ScheduleDateTools::Pause(0.3);
        state.Directory.reset();
    }
    GeneralTools::ReleaseInstance();
    WriteDebug(QStringLiteral("Finished OK"), DebugLog::dbmNormal, DebugLog::OutdentBefore);
}
