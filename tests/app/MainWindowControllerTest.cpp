#include "app/MainWindowController.h"

#include "app/LogImportSettingsModel.h"
#include "app/ToolStartup.h"
#include "base/AppLog.h"
#include "base/Clock.h"
#include "base/GeneralTools.h"
#include "base/RegistryTools.h"
#include "base/ScheduleDateTools.h"
#include "playout/Directory.h"
#include "playout/ProfileLibrary.h"
#include "support/Columns.h"
#include "support/OperatorHome.h"
#include "support/OtherConnection.h"
#include "support/RecordingView.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <gtest/gtest.h>

class MainWindowControllerTest : public OperatorHome {
protected:
    void SetUp() override {
        OperatorHome::SetUp();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        WriteFile(ProfileLibrary::ProfileFolder(u"Demo"_s) + u"/Library.ini"_s,
                  "[Library]\nDatabaseMode=2\nFixedDatabase=Test\n");
        const QString path = DatabasePath();
        ASSERT_TRUE(StationDatabase::Create(path, u"Test FM"_s));
        {
            StationDatabase db;
            ASSERT_EQ(db.OpenLocation(path), StationDatabase::Opened);
            StationSettings& settings = db.Settings();
            settings.SetValue(u"MusicLogsDirectory"_s, Path(u"music"_s));
            settings.SetValue(u"AdvertLogsDirectory"_s, Path(u"adverts"_s));
            settings.SetValue(u"UseLogImporterCartRanges"_s, u"1"_s);
            ASSERT_TRUE(db.SaveSettings(settings));
        }
        QDir().mkpath(Path(u"music"_s));
        QDir().mkpath(Path(u"adverts"_s));
    }
    void TearDown() override {
        controller.reset();
        startup.TerminateTool();
        QLocale::setDefault(QLocale::system());
        OperatorHome::TearDown();
    }

    void Start(const QString& extra = QString()) {
        state.Options = RunOptions::Read(u"/Profile=Demo /NOPREVCHECK /SILENT "_s + extra);
        ASSERT_TRUE(startup.InitialiseTool(u"Log Importer"_s, 3, true, QString(), true));
        controller = std::make_unique<MainWindowController>(state, view);
        ASSERT_TRUE(controller->Start()) << controller->FailureReason().toStdString();
    }
    StationDatabase& Db() { return *controller->Database(); }
    static QString DatabasePath() { return ProfileLibrary::ProductFolder() + u"/Databases/Test.sdb"_s; }

    static qint32 Nov(int day) { return 40482 + day; }
    void MusicLog(int day, const QList<int>& hours) {
        QStringList lines;
        for (const int hour : hours) {
            lines << u"+%1/11/10 %2:00 Hour"_s.arg(day, 2, 10, QLatin1Char('0'))
                         .arg(hour, 2, 10, QLatin1Char('0'));
            lines << Columns({{1, u"L"_s}, {2, u"1"_s}, {10, u"Song"_s}});
            lines << Columns({{1, u":"_s}, {15, u"BREAK 00:15:00"_s}});
        }
        WriteFile(Path(u"music/%1.txt"_s).arg(u"1011%1"_s.arg(day, 2, 10, QLatin1Char('0'))),
                  lines.join(u"\r\n"_s).toLatin1());
    }
    void MusicLogLines(int day, const QStringList& lines) {
        WriteFile(Path(u"music/1011%1.txt"_s.arg(day, 2, 10, QLatin1Char('0'))),
                  lines.join(u"\r\n"_s).toLatin1());
    }
    static QString Song() { return Columns({{1, u"L"_s}, {2, u"1"_s}, {10, u"Song"_s}}); }
    static QString Advert(const QString& time) {
        return time + u"|SPOT|       1|Advert                        |  30|R"_s;
    }
    bool HoldsAdverts(qint32 day, int hour) {
        const auto start = Db().Log().HourStartItem(ScheduledLog::LocateHour({day, float(hour * 3600)}));
        return start && (start->Flags & ItemFlag::HasAdverts);
    }
    void AdvertLog(int day, const QStringList& lines) {
        WriteFile(Path(u"adverts/1011%1.txt"_s.arg(day, 2, 10, QLatin1Char('0'))),
                  lines.join(u"\r\n"_s).toLatin1());
    }
    void SetRole(int role) {
        RegistryTools::SetNumber(RegistryTools::LocalMachine, LogImportSettingsModel::RegistryKey(),
                                 u"Role"_s, role);
    }

    ToolState state;
    ToolStartup startup{state, nullptr};
    RecordingView view;
    std::unique_ptr<MainWindowController> controller;
};

TEST_F(MainWindowControllerTest, StartUpOpensTheFixedDatabaseAndOffersTheLogFiles) {
    MusicLog(5, {6, 7, 8});
    MusicLog(7, {9, 10, 22});
    Start();
    EXPECT_EQ(view.title, u"Log Importer - Test FM");
    EXPECT_EQ(RegistryTools::GetString(RegistryTools::CurrentUser, LogImportSettingsModel::RegistryKey(),
                                       u"LastDatabase"_s, {}),
              u"Test");
    EXPECT_EQ(view.musicScheduled, u"(Log is Empty)");
    EXPECT_EQ(view.range.Start, (ScheduleDate{Nov(5), 6 * 3600}));
    EXPECT_EQ(view.range.End, (ScheduleDate{Nov(7), 22 * 3600 + 3599.99f}));
    EXPECT_EQ(view.range.Earliest, (ScheduleDate{38353, 0}));
    EXPECT_TRUE(view.enabled[MainView::ImportButtons]);
    EXPECT_TRUE(op.Messages.isEmpty());
}

TEST_F(MainWindowControllerTest, TheOfferFollowsTheLastScheduledHour) {
    MusicLog(5, {6, 7, 8});
    MusicLog(7, {9, 22});
    Start();
    ScheduleDate start{Nov(5), 6 * 3600}, end{Nov(5), 7 * 3600 + 3599.99f};
    view.range.Start = start;
    view.range.End = end;
    controller->ImportClicked(1);
    // The last item is at 07:00: the offer starts at its hour's end plus an hour.
    EXPECT_EQ(view.range.Start, ScheduleDateTools::AddSeconds({Nov(5), 7 * 3600}, 3599.99 + 3600));
    EXPECT_EQ(view.range.End, (ScheduleDate{Nov(7), 22 * 3600 + 3599.99f}));
    EXPECT_TRUE(view.musicScheduled.contains(u" to "_s));

    // Logs that end where the Scheduled Log ends: M1, and the latest file's own range.
    view.range.Start = {Nov(5), 8 * 3600};
    view.range.End = {Nov(7), 23 * 3600};
    controller->ImportClicked(1);
    controller->ReadLogDetails(false);
    ASSERT_FALSE(op.Messages.isEmpty());
    EXPECT_TRUE(op.Messages.last().Text.startsWith(u"Valid Music Log files have been found"_s));
    EXPECT_EQ(op.Messages.last().IconShown, Operator::Information);
    EXPECT_EQ(view.range.Start, (ScheduleDate{Nov(7), 9 * 3600}));
}

TEST_F(MainWindowControllerTest,
       StartAndEndApplyWithoutARunAndOneThatCannotBeReadLeavesTheOfferWithAWarning) {
    MusicLog(5, {6, 7, 8});
    Start(u"/START=\"05/11/2010 07:00\" /END=whenever"_s);
    const ScheduleDate offeredEnd = view.range.End;
    EXPECT_FALSE(controller->RunScheduled()); // no /SCHEDULE: the range is set, nothing runs
    EXPECT_EQ(view.range.Start, (ScheduleDate{Nov(5), 7 * 3600}));
    EXPECT_EQ(view.range.End, offeredEnd);
    EXPECT_EQ(controller->LastRun().Warnings(),
              QStringList{u"/END=whenever is not a date and time, so the offered end was used"_s});
    EXPECT_EQ(controller->LastRun().Status(), RunOutcome::WithWarnings);
    EXPECT_FALSE(Db().Log().FirstLogItem());
}

TEST_F(MainWindowControllerTest, ACartRangeOptionThatCannotBeStoredStopsTheMusicRunAndSaysSo) {
    MusicLog(5, {6});
    Start();
    StationSettings off = Db().Settings();
    off.SetValue(u"UseLogImporterCartRanges"_s, u"0"_s);
    ASSERT_TRUE(Db().SaveSettings(off));
    ExecOnOtherConnection(DatabasePath(), u"CREATE TRIGGER locked BEFORE UPDATE ON StationSettings "
                                          u"BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END"_s);
    view.range.Start = view.range.End = {Nov(5), 6 * 3600};
    op.Answers = {Operator::Yes};
    controller->ImportClicked(1);
    EXPECT_EQ(
        op.MessageTexts().last(),
        u"The \"Use the Log Importer Cart Ranges when adding carts\" option could not be switched on, so "
        u"nothing was saved and no music was imported: database or disk is full");
    EXPECT_FALSE(Db().Settings().UseLogImporterCartRanges());
    EXPECT_EQ(view.settingsShown, 0);
    EXPECT_FALSE(Db().Log().FirstLogItem());
    EXPECT_EQ(controller->LastRun().Status(), RunOutcome::ImporterNotRun);
}

TEST_F(MainWindowControllerTest, AnImporterThatIsNotReadyLeavesTheOtherToRun) {
    Clock::SetFixed(QDateTime(QDate(2010, 11, 4), QTime(12, 0))); // the day before: nothing on air
    MusicLog(5, {6});
    AdvertLog(5, {u"06:15:00|SPOT|       1|Advert                        |  30|R"_s});
    Start();
    view.range.Start = view.range.End = {Nov(5), 6 * 3600};
    controller->ImportClicked(1);
    Db().Settings().SetValue(u"MusicLogsDirectory"_s, Path(u"gone"_s));
    controller->ImportClicked(3);
    EXPECT_EQ(controller->LastRun().Status(), RunOutcome::ImporterNotRun);
    EXPECT_EQ(Db().Log().HourStartItem(ScheduledLog::LocateHour({Nov(5), 6 * 3600}))->Flags &
                  ItemFlag::HasAdverts,
              ItemFlag::HasAdverts);
    const QStringList events = LinesOf(ProfileLibrary::ProductFolder() + u"/Directory/Events.log"_s);
    EXPECT_EQ(events.filter(u"Log Added"_s).size(), 1); // only the first run's music
    EXPECT_EQ(events.filter(u"Log Adverts Added"_s).size(), 1);
}

TEST_F(MainWindowControllerTest, RemovalsAskFirstAndNoChangesNothingAndLongWorkShowsTheWindowBusy) {
    MusicLog(5, {6, 7});
    Start();
    view.range.Start = {Nov(5), 6 * 3600};
    view.range.End = {Nov(5), 7 * 3600};
    controller->ImportClicked(1);
    view.range.Start = {Nov(5), 6 * 3600};
    view.range.End = {Nov(5), 7 * 3600};
    op.Answers = {Operator::No};
    controller->ResendRange();
    EXPECT_EQ(op.Messages.last().Text,
              u"Are you sure you want to remove all the items from the Scheduled Log \n"
              u"between Fri 5 November 2010 06:00:00 and Fri 5 November 2010 07:00:00");
    EXPECT_EQ(op.Messages.last().DefaultButton, 2);
    op.Answers = {Operator::Yes, Operator::No};
    controller->RemoveAllEntries();
    EXPECT_TRUE(op.Messages.last().Text.startsWith(u"Are you REALLY sure"_s));
    EXPECT_EQ(Db().Log().ItemsBetween(0, 1e6).size(), 6);

    op.Answers = {Operator::Yes};
    EXPECT_TRUE(controller->RemoveEntriesForRange(true));
    EXPECT_EQ(op.Messages.last().Text, u"The items were removed from the Scheduled Log");
    EXPECT_FALSE(Db().Log().FirstLogItem());
    // The import and each reading of the log showed the window busy; every span ended.
    EXPECT_GE(view.busyAtProgress.size(), 3);
    EXPECT_FALSE(view.busyAtProgress.contains(0));
    EXPECT_EQ(view.Busy, 0);
}

TEST_F(MainWindowControllerTest, TheUpdateNotesAreLookedForBesideAboveAndWhereTheyAreInstalled) {
    const QString program = Path(u"Tools/Log Importer"_s);
    EXPECT_EQ(MainWindowController::UpdateInformationFile(program), QString());
    WriteFile(Path(u"Tools/Common/Updates.rtf"_s), "{\\rtf1 common}");
    EXPECT_EQ(MainWindowController::UpdateInformationFile(program), Path(u"Tools/Common/Updates.rtf"_s));
    WriteFile(Path(u"Tools/Updates.rtf"_s), "{\\rtf1 above}");
    EXPECT_EQ(MainWindowController::UpdateInformationFile(program), Path(u"Tools/Updates.rtf"_s));
    WriteFile(program + u"/Updates.rtf"_s, "{\\rtf1 beside}");
    EXPECT_EQ(MainWindowController::UpdateInformationFile(program), program + u"/Updates.rtf"_s);
    // Installed: the program in /usr/bin, its notes in /usr/share/logimporter.
    WriteFile(Path(u"usr/share/logimporter/Updates.rtf"_s), "{\\rtf1 installed}");
    EXPECT_EQ(MainWindowController::UpdateInformationFile(Path(u"usr/bin"_s)),
              Path(u"usr/share/logimporter/Updates.rtf"_s));
}

TEST_F(MainWindowControllerTest, AnUnreadableHeaderIsToldOnceHoweverOftenItsFileIsRead) {
    MusicLogLines(5, {u"+05/11/10 06:00 Six"_s, Song(), u"+05/11/10 25:00 Typo"_s, Song(),
                      u"+05/11/10 08:00 Eight"_s, Song()});
    Start();
    view.range.Start = {Nov(5), 6 * 3600};
    view.range.End = {Nov(5), 8 * 3600};
    controller->ImportClicked(1);
    controller->ReadLogDetails(false);
    EXPECT_EQ(op.MessageTexts().filter(u"reading the time from the Music Log"_s).size(), 1)
        << op.MessageTexts().join(u'\n').toStdString();
    // Among the items of 06:00, the header spoils that hour: which of them are its own is unsure.
    EXPECT_FALSE(Db().Log().ItemAt(ScheduledLog::LocateHour({Nov(5), 6 * 3600})));
    EXPECT_TRUE(
        Db().Log().ItemAt(ScheduledLog::LocateHour({Nov(5), 8 * 3600}))); // the search went on past it
}

TEST_F(MainWindowControllerTest, AdvertsThatCameANightLateAreCaughtUpAndOfferedToTheOperator) {
    for (const int day : {24, 25, 26})
        MusicLog(day, {6});
    AdvertLog(24, {Advert(u"06:15:00"_s)});
    Start();
    state.Options.Schedule = true;
    controller->RunScheduled(); // night 1: the music of three days, the adverts of the first
    ASSERT_TRUE(HoldsAdverts(Nov(24), 6));
    ASSERT_FALSE(HoldsAdverts(Nov(25), 6));

    for (const int day : {25, 26, 27}) // night 2: the late adverts, and a day more
        AdvertLog(day, {Advert(u"06:15:00"_s)});
    MusicLog(27, {6});
    controller->ReadLogDetails(true);
    EXPECT_EQ(view.advertsWaiting, u"2 hour(s) from Thu 25/11/2010 06:00 are waiting for their adverts");
    SetRole(2); // the operator who imports adverts is offered them first
    controller->ReadLogDetails(true);
    EXPECT_EQ(view.range.Start, (ScheduleDate{Nov(25), 6 * 3600}));
    SetRole(1);
    controller->ReadLogDetails(true);
    EXPECT_EQ(view.range.Start.Day, Nov(26)); // the music range, after what is scheduled

    controller->RunScheduled();
    for (const int day : {24, 25, 26, 27})
        EXPECT_TRUE(HoldsAdverts(Nov(day), 6)) << day;
    EXPECT_EQ(controller->LastRun().HoursCaughtUp(),
              QList<ScheduleDate>({{Nov(25), 6 * 3600}, {Nov(26), 6 * 3600}}));
    EXPECT_TRUE(
        LinesOf(AppLog::FileName())
            .contains(
                u"AdLog:2010-11-25 06:00:00 - its adverts came after its music, and were pushed now"_s));
    controller->ReadLogDetails(true);
    EXPECT_EQ(view.advertsWaiting, QString());
}

TEST_F(MainWindowControllerTest, AnHourOnAirIsNeverChangedByAnUnattendedRunAndTheWindowAsksFirst) {
    // 10:21 on the 24th: the 10:00 hour is on air, its first break at 10:00:30 long gone.
    Clock::SetFixed(QDateTime(QDate(2010, 11, 24), QTime(10, 21)));
    MusicLogLines(24,
                  {u"+24/11/10 10:00 On Air"_s, Columns({{1, u":"_s}, {15, u"BREAK 00:00:30"_s}}), Song()});
    MusicLog(25, {6});
    Start();
    view.range = {{Nov(24), 10 * 3600}, {Nov(25), 6 * 3600 + 3599}};
    controller->ImportClicked(1); // an hour that is missing may be added, on air or not
    const float songStart = Db().Log().HourOutline(ScheduledLog::LocateHour({Nov(24), 10 * 3600}))[2].Time;
    AdvertLog(24, {Advert(u"10:00:30"_s)}); // the adverts land at 10:21
    AdvertLog(25, {Advert(u"06:15:00"_s)});

    state.Options.Schedule = true; // the night's run, for the day ahead
    view.range = {{Nov(25), 6 * 3600}, {Nov(25), 6 * 3600 + 3599}};
    controller->ImportClicked(2);
    EXPECT_TRUE(HoldsAdverts(Nov(25), 6));
    EXPECT_FALSE(HoldsAdverts(Nov(24), 10));
    EXPECT_EQ(Db().Log().HourOutline(ScheduledLog::LocateHour({Nov(24), 10 * 3600}))[2].Time, songStart);
    const RunOutcome& run = controller->LastRun();
    EXPECT_EQ(run.AdvertHoursTooLate(), QList<ScheduleDate>({{Nov(24), 10 * 3600}}));
    EXPECT_EQ(run.HourAt({Nov(24), 10 * 3600})->Breaks[0].Fate, RunOutcome::BreakFate::TooLate);
    EXPECT_EQ(run.Status(), RunOutcome::WithWarnings); // its log offered an advert that is not in
    EXPECT_EQ(run.AdvertSummary(),
              u"1 adverts pushed into 1 ad break(s). Breaks not filled: 1 too late, their "
              u"hours had started."); // met, but not walked
    const auto asked = [this] {
        return std::count_if(op.Messages.cbegin(), op.Messages.cend(), [](const auto& shown) {
            return shown.Text.contains(u"have already started"_s);
        });
    };
    EXPECT_EQ(asked(), 0); // nobody is asked at night

    Clock::SetFixed(QDateTime(QDate(2010, 11, 24), QTime(11, 21))); // the next run meets it no more
    controller->ImportClicked(2);
    EXPECT_TRUE(controller->LastRun().AdvertHoursTooLate().isEmpty());
    EXPECT_EQ(controller->LastRun().HourAt({Nov(24), 10 * 3600}), nullptr);

    // At the window, a range that holds it asks once; No leaves it, Yes fills it.
    state.Options.Schedule = false;
    state.Options.Silent = false;
    const DateRange onAir{{Nov(24), 10 * 3600}, {Nov(24), 10 * 3600 + 3599}};
    view.range = onAir;
    op.Answers = {Operator::No};
    controller->ImportClicked(2);
    ASSERT_EQ(asked(), 1);
    EXPECT_FALSE(HoldsAdverts(Nov(24), 10));
    view.range = onAir;
    op.Answers = {Operator::Yes};
    controller->ImportClicked(2);
    EXPECT_EQ(asked(), 2);
    EXPECT_TRUE(HoldsAdverts(Nov(24), 10));
}

TEST_F(MainWindowControllerTest, ImportAdvertsAtTheWindowFillsEveryHourStillWaiting) {
    for (const int day : {24, 25, 26}) {
        MusicLog(day, {6, 7});
        AdvertLog(day, {Advert(u"06:15:00"_s), Advert(u"07:15:00"_s)});
    }
    Start();
    controller->ImportClicked(1);
    controller->ReadLogDetails(true);
    // The adverts are in only up to the hour before the first still waiting.
    EXPECT_EQ(view.advertsScheduled, u"Wed 24/11/2010 05:59");
    controller->ImportClicked(2); // with the range offered
    for (const int day : {24, 25, 26}) {
        EXPECT_TRUE(HoldsAdverts(Nov(day), 6)) << day;
        EXPECT_TRUE(HoldsAdverts(Nov(day), 7)) << day;
    }
    EXPECT_EQ(controller->LastRun().Adverts().Adverts, 6);
    EXPECT_EQ(view.advertsWaiting, QString());
    EXPECT_EQ(view.advertsScheduled, u"Fri 26/11/2010 07:59");
}

TEST_F(MainWindowControllerTest, AnImportOfMusicAndAdvertsFillsOneOverallBarOnce) {
    for (const int day : {24, 25}) {
        MusicLog(day, {6, 7});
        AdvertLog(day, {Advert(u"06:15:00"_s), Advert(u"07:15:00"_s)});
    }
    Start();
    view.progress.OverallPercents.clear();
    controller->ImportClicked(3);
    ASSERT_EQ(controller->LastRun().Adverts().Adverts, 4);
    // The import's own, up to its end (the window's details are read afresh after it).
    const QList<qint16> all = view.progress.OverallPercents;
    const QList<qint16> shown = all.mid(0, all.indexOf(100) + 1);
    ASSERT_FALSE(shown.isEmpty());
    // From 0 to 100 without going back: the music the first half, the adverts the second.
    EXPECT_TRUE(std::is_sorted(shown.cbegin(), shown.cend())) << QStringList([&] {
                                                                     QStringList texts;
                                                                     for (const qint16 value : shown)
                                                                         texts.append(QString::number(value));
                                                                     return texts;
                                                                 }())
                                                                     .join(u' ')
                                                                     .toStdString();
    EXPECT_EQ(shown.first(), 0);
    EXPECT_EQ(shown.last(), 100);
    EXPECT_TRUE(shown.contains(50));
}

TEST_F(MainWindowControllerTest, AnImportAtTheWindowEndsInOneBoxWithTheRunsTally) {
    MusicLog(24, {6, 7});
    AdvertLog(24, {Advert(u"06:15:00"_s), Advert(u"07:15:00"_s)});
    Start();
    view.range = {{Nov(24), 6 * 3600}, {Nov(24), 7 * 3600 + 3599}};
    state.Options.Silent = false; // at the window
    op.Messages.clear();
    op.Answers = {Operator::No};
    controller->ImportClicked(3);
    ASSERT_EQ(op.Messages.size(), 1); // the push's summary is in it, not a box of its own
    const QString text = op.Messages[0].Text;
    EXPECT_TRUE(text.startsWith(u"The log was successfully imported into the database\n"
                                u"2 adverts pushed into 2 ad break(s)\n\nstation:"_s))
        << text.toStdString();
    EXPECT_TRUE(text.contains(u"hours written: 2\n"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"adverts pushed: 2\n"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"\nrange: 2010-11-24 06:00:00 to 2010-11-24 07:59:59\n"_s))
        << text.toStdString();
    // The songs' carts are not in the store, so the Import Log has lines: offered, not forced.
    EXPECT_TRUE(text.endsWith(u"Show it now?"_s)) << text.toStdString();
    EXPECT_EQ(op.Messages[0].ButtonsShown, Operator::YesNo);
    EXPECT_TRUE(view.reports.isEmpty());
    op.Answers = {Operator::Yes};
    controller->ImportClicked(3);
    ASSERT_EQ(view.reports.size(), 1);
    EXPECT_TRUE(view.reports[0].startsWith(u"Import Log:"_s));
}

TEST_F(MainWindowControllerTest, TheProgressCountsTheHoursOfEachImporterAndTheAdvertsPushed) {
    for (const int day : {24, 25}) {
        MusicLog(day, {6, 7});
        AdvertLog(day, {Advert(u"06:15:00"_s), Advert(u"07:15:00"_s)});
    }
    Start();
    view.range.Start = {Nov(24), 5 * 3600}; // to 08:00 the next day
    view.range.End = {Nov(25), 8 * 3600};
    view.progress.HourNumbers.clear();
    controller->ImportClicked(3);
    ASSERT_EQ(controller->LastRun().Adverts().Adverts, 4);
    // Each importer walks every hour of the range, 1 to 28, and starts again at 1.
    QList<QPair<int, int>> walk;
    for (int n = 1; n <= 28; ++n)
        walk.append({n, 28});
    EXPECT_EQ(view.progress.HourNumbers, walk + walk);
    EXPECT_EQ(view.progress.ThirdTitle, u"Number of adverts pushed:");
    EXPECT_EQ(view.progress.Increments[3], 4);
}
