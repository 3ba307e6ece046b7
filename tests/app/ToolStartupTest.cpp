#include "app/ToolStartup.h"

#include "base/FileTools.h"
#include "base/GeneralTools.h"
#include "base/RegistryTools.h"
#include "playout/Directory.h"
#include "playout/ProfileLibrary.h"
#include "support/OperatorHome.h"
#include "support/RecordingSplash.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>

#include <gtest/gtest.h>

class ToolStartupTest : public OperatorHome {
protected:
    void SetUp() override {
        OperatorHome::SetUp();
        SetUpProfile(u"Demo"_s, u"DatabaseMode=1\n"_s);
    }

    static void SetUpProfile(const QString& profile, const QString& library) {
        WriteFile(ProfileLibrary::ProfileFolder(profile) + u"/Library.ini"_s,
                  (u"[Library]\n"_s + library).toUtf8());
    }

    // Runs the start-up; the debug log's lines, without their time, land in Trace.
    bool Start(const QString& commandLine, int securityMode = 3, const QString& profileOverride = QString()) {
        ToolStartup startup(state, commandLine, &splash);
        const bool started =
            startup.InitialiseTool(u"Log Importer"_s, securityMode, true, profileOverride, true);
        Failure = startup.FailureReason();
        ReadTrace();
        return started;
    }

    void Stop() {
        ToolStartup(state, QString(), &splash).TerminateTool();
        ReadTrace();
    }

    void ReadTrace() {
        Trace.clear();
        for (const QString& line : LinesOf(Path(u"DebugFiles/logimporter.20101123.log"_s)))
            Trace.append(line.mid(9));
    }

    ToolState state;
    RecordingSplash splash;
    QStringList Trace;
    QString Failure;
};

TEST_F(ToolStartupTest, ASilentRunWithAProfileGoesThroughEveryStep) {
    ASSERT_TRUE(Start(u"/DEBUG=normal /SILENT /Profile=Demo"_s));
    EXPECT_EQ(Trace, QStringList({
                         u"Started InitialiseTool"_s,
                         u"    Check if already running"_s,
                         u"    Read StartupOptions /DEBUG=NORMAL /SILENT /PROFILE=DEMO "_s,
                         u"    Checking/Creating All Users\\App Data\\Ostrel v3 folder"_s,
                         u"    Initalising Localisation"_s,
                         u"    Command line forcing Profile 'Demo'"_s,
                         u"    Creating Kestrane Directory Interface"_s,
                         u"    Opening Default Directory"_s,
                         u"    Creating Audio Settings Interface"_s,
                         u"    Loading Profile 'Demo' into Audio Settings Interface"_s,
                         u"    Creating Playout Interface (General)"_s,
                         u"    Creating Playout Interface (Audio)"_s,
                         u"    Creating Playout Interface (Logging)"_s,
                         u"    Creating Ostrel Libraries"_s,
                         u"    Loading Profile 'Demo' into Ostrel Library"_s,
                         u"    Ostrel Library - CheckSettings"_s,
                         u"Finished OK"_s,
                     }));
    EXPECT_EQ(state.CurrentProfile, u"Demo");
    EXPECT_TRUE(state.SilentMode);
    EXPECT_FALSE(state.ScheduleMode);
    EXPECT_TRUE(splash.Calls.isEmpty());
    EXPECT_TRUE(FileTools::FolderExists(ProfileLibrary::ToolProfileFolder(u"Log Importer"_s, u"Demo"_s)));
    ASSERT_TRUE(state.Directory && state.Directory->CurrentUser());
    EXPECT_TRUE(state.Directory->CurrentUser()->CanEditScheduledLog); // the log-in is optional when silent
    ASSERT_TRUE(state.PlayoutGeneral && state.PlayoutAudio && state.PlayoutLogging && state.StationLibrary);
    EXPECT_EQ(state.PlayoutGeneral->Folder(PlayoutGeneral::ApplicationLogs),
              Home() + u"/ProgramData/Kestrane/Ostrel v3/Logs"_s);

    Stop();
    EXPECT_EQ(Trace.mid(17), QStringList({u"Start TerminateTool "_s, u"Finished OK"_s}));
    EXPECT_FALSE(state.Directory || state.AudioSettings || state.PlayoutGeneral || state.StationLibrary);
    EXPECT_EQ(state.PlayoutAudio, nullptr);
}

TEST_F(ToolStartupTest, APasswordKeptInTheOlderFormIsCheckedThenReplacedByItsArgon2idFormAtTheLogIn) {
    SetUpProfile(u"Secure"_s, u"DatabaseMode=1\nSecurity=true\nAutoLogIn=true\n"_s);
    // As the directory kept it before: the SHA-256 hex of the identifier and the password.
    const QByteArray older = QCryptographicHash::hash("{A1}:open sesame", QCryptographicHash::Sha256).toHex();
    const QString users = Path(u"ProgramData/Kestrane/Ostrel v3/Directory/Users.ini"_s);
    WriteFile(users, "[{A1}]\nName=Engineer\nCanEditScheduledLog=true\nPassword=" + older + '\n');
    // The only user has a password, so the automatic log-in does not apply.
    op.LogInChoice = u"{a1}"_s;
    op.PasswordGiven = u"Open Sesame"_s;
    ASSERT_FALSE(Start(u"/NOPREVCHECK /Profile=Secure"_s));
    EXPECT_EQ(op.LogIns, 3);
    EXPECT_EQ(op.MessageTexts(), QStringList(3, u"The password for 'Engineer' is not correct."_s));
    EXPECT_TRUE(BytesOf(users).contains(older)); // a wrong password changes nothing

    state = ToolState{};
    op.PasswordGiven = u"open sesame"_s;
    ASSERT_TRUE(Start(u"/NOPREVCHECK /Profile=Secure"_s));
    EXPECT_EQ(state.Directory->CurrentUser()->Name, u"Engineer");
    const QString kept = QSettings(users, QSettings::IniFormat).value(u"{A1}/Password"_s).toString();
    EXPECT_TRUE(kept.startsWith(u"$argon2id$"_s)) << kept.toStdString();
    EXPECT_EQ(QFileInfo(users).permissions(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadUser | QFileDevice::WriteUser);
    Stop();

    state = ToolState{}; // the new form lets the same password in, and no other
    ASSERT_TRUE(Start(u"/NOPREVCHECK /Profile=Secure"_s));
    EXPECT_EQ(state.Directory->CurrentUser()->Name, u"Engineer");
    Stop();
    state = ToolState{};
    op.PasswordGiven = u"open sesame "_s;
    EXPECT_FALSE(Start(u"/NOPREVCHECK /Profile=Secure"_s));
}

TEST_F(ToolStartupTest, ANewProfileNamedInTheChooserIsMadeAndOthersAreRefused) {
    op.ProfileChoice = u"Breakfast FM"_s;
    op.SettingsDialog = [](LibrarySettings& settings) { return settings.DatabaseMode = 1, true; };
    ASSERT_TRUE(Start(u"/NOPREVCHECK /SILENT"_s));
    EXPECT_EQ(op.ProfilesOffered, QStringList{u"Demo"_s});
    EXPECT_EQ(state.CurrentProfile, u"Breakfast FM");
    EXPECT_TRUE(FileTools::FolderExists(ProfileLibrary::ProfileFolder(u"Breakfast FM"_s)));
    EXPECT_EQ(ProfileLibrary().Profiles(), QStringList({u"Breakfast FM"_s, u"Demo"_s}));

    // The existing profile in another case is that profile; a name with a slash is refused.
    state = ToolState{};
    op.ProfileChoice = u"DEMO"_s;
    ASSERT_TRUE(Start(u"/NOPREVCHECK /SILENT"_s));
    EXPECT_EQ(state.CurrentProfile, u"Demo");
    state = ToolState{};
    op.ProfileChoice = u"News/Sport"_s;
    EXPECT_FALSE(Start(u"/NOPREVCHECK /SILENT"_s));
    EXPECT_EQ(op.MessageTexts().last(), u"A name cannot hold any of \\ / : * ? \" < > |");
    EXPECT_EQ(ProfileLibrary().Profiles().size(), 2);
}

TEST_F(ToolStartupTest, ARunningInstanceStopsASecondUnlessToldNotToCheck) {
    FileTools::CreateFolder(Path(u"Temp"_s));
    QLockFile running(Path(u"Temp/logimporter.instance.lock"_s));
    ASSERT_TRUE(running.tryLock(0));
    ASSERT_FALSE(Start(u"/DEBUG=NORMAL /SILENT /Profile=Demo"_s));
    EXPECT_EQ(Trace, QStringList({u"Started InitialiseTool"_s, u"    Check if already running"_s,
                                  u"Exit as App already running"_s}));
    EXPECT_EQ(Failure,
              u"the program is already running (process %1, which holds '%2'). Wait for it to end, or give "
              u"/NOPREVCHECK to start another beside it"_s.arg(QCoreApplication::applicationPid())
                  .arg(running.fileName()));
    state = ToolState{};
    EXPECT_TRUE(Start(u"/DEBUG=NORMAL /SILENT /Profile=Demo /NOPREVCHECK"_s));
}
