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
        state.Options = RunOptions::Read(commandLine);
        ToolStartup startup(state, &splash);
        const bool started =
            startup.InitialiseTool(u"Log Importer"_s, securityMode, true, profileOverride, true);
        Failure = startup.FailureReason();
        ReadTrace();
        return started;
    }

    void Stop() {
        ToolStartup(state, &splash).TerminateTool();
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

TEST_F(ToolStartupTest, TheSplashLightsEachStageUnderItsOwnCaption) {
    ASSERT_TRUE(Start(u"/NOPREVCHECK /Profile=Demo"_s)) << Failure.toStdString();
    const QStringList icons = splash.Calls.filter(u"Icon"_s);
    EXPECT_EQ(icons,
              QStringList({u"Icons 3"_s, u"Icon 1 local Local Settings"_s, u"Icon 2 playout Audio Systems"_s,
                           u"Icon 3 security User Security"_s, u"Icon 1 localon Local Settings"_s,
                           u"Icon 2 playouton Audio Systems"_s, u"Icon 3 securityon User Security"_s}));
    Stop();
}
