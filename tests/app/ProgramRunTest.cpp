// The program run as a station's scheduler runs it: a child process with only its
// command line and environment, over a demo station.

#include "app/LogImportSettingsModel.h"
#include "base/RegistryTools.h"
#include "playout/GraphicsRenderer.h"
#include "playout/ProfileLibrary.h"
#include "stationdb/StationDatabase.h"
#include "support/BusyNeighbour.h"
#include "support/ProgramHome.h"
#include "tools/demo/DemoStation.h"

#include <QDirIterator>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QRegularExpression>
#include <gtest/gtest.h>

class ProgramRunTest : public ProgramHome {
protected:
    void SetUp() override {
        ProgramHome::SetUp();
        ASSERT_TRUE(outside.isValid());
        QString problem;
        ASSERT_TRUE(DemoStation::Create(QDate(2010, 11, 24), 2, &problem)) << problem.toStdString();
    }
    int Logimporter(const QStringList& arguments) { return Run(QStringLiteral(LOGIMPORTER_EXE), arguments); }

    QStringList FilesOutside() const {
        QStringList files;
        QDirIterator it(outside.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            files.append(it.next());
        return files;
    }
    QString ApplicationLog() const {
        const qsizetype at = Output.indexOf(u"Application log: "_s);
        return at < 0 ? QString() : Output.mid(at + 17).section(u'\n', 0, 0);
    }

    // The unattended run over a range of the demo station's logs.
    int Import(const QString& start, const QString& end) {
        return Logimporter({u"/SCHEDULE"_s, u"/SILENT"_s, u"/QUIT"_s, u"/Profile=Demo"_s, u"/NOPREVCHECK"_s,
                            u"/START="_s + start, u"/END="_s + end});
    }
    // The Scheduled Log as stationdb dumps it.
    QJsonArray ScheduledLog() {
        const QString run = Output;
        EXPECT_EQ(Run(QStringLiteral(STATIONDB_EXE), {u"log"_s, DemoStation::DatabasePath(), u"--json"_s}),
                  0);
        const QJsonArray items = QJsonDocument::fromJson(Output.toUtf8()).array();
        Output = run;
        return items;
    }
    static int PushedAdverts(const QJsonArray& items) {
        return int(std::count_if(items.begin(), items.end(), [](const QJsonValue& item) {
            return item.toObject().value(u"Type"_s).toInt() == 4 &&
                   item.toObject().value(u"State"_s).toInt() == 2;
        }));
    }
    static int Count(const QJsonArray& items, const QString& field, int value) {
        return int(std::count_if(items.begin(), items.end(), [&](const QJsonValue& item) {
            return item.toObject().value(field).toInt() == value;
        }));
    }
};

TEST_F(ProgramRunTest, AFailedStartUpSaysWhatIsWrongAndWhatToDo) {
    EXPECT_EQ(Logimporter({u"/SILENT"_s, u"/NOPREVCHECK"_s}), 1); // nobody there to choose a profile
    EXPECT_TRUE(Errors.contains(u"logimporter: start-up failed: no profile was given, and nobody is here to "
                                u"choose one: give /Profile=NAME (the profiles here: Demo)\n"_s))
        << Errors.toStdString();
    EXPECT_EQ(Logimporter({u"/SCHEDULE"_s, u"/SILENT"_s, u"/NOPREVCHECK"_s, u"/Profile=Unset"_s}), 1);
    EXPECT_TRUE(Errors.contains(u"start-up failed: the profile 'Unset' does not exist. Make it with: "
                                u"stationdb profile \"Unset\" --database DATABASE"_s))
        << Errors.toStdString();
    // The refused profile leaves no folder behind, and is not listed as one afterwards.
    EXPECT_FALSE(QDir(ProfileLibrary::ProfileFolder(u"Unset"_s)).exists());
    EXPECT_FALSE(QDir(ProfileLibrary::ToolProfileFolder(u"Log Importer"_s, u"Unset"_s)).exists());
    EXPECT_EQ(Logimporter({u"/SILENT"_s, u"/NOPREVCHECK"_s}), 1);
    EXPECT_TRUE(Errors.contains(u"(the profiles here: Demo)\n"_s)) << Errors.toStdString();
    EXPECT_EQ(Logimporter({u"/SCHEDULE"_s, u"/SILENT"_s, u"/QUIT"_s, u"/Profile=Demo"_s, u"/NOPREVCHECK"_s,
                           u"/DATABASE=Nowhere"_s}),
              1);
    EXPECT_TRUE(Errors.contains(u"the Station Database could not be opened"_s)) << Errors.toStdString();
    EXPECT_EQ(FilesOutside(), QStringList());
}

TEST_F(ProgramRunTest, AFailedStartUpWritesItsOwnReportAndNamesTheDatabaseItLookedFor) {
    const QString report = outside.filePath(u"run.json"_s);
    WriteFile(report, "{ \"exitStatus\": 0, \"hours\": [ {} ] }"); // last night's
    const QString database = DemoStation::DatabasePath();
    ASSERT_TRUE(QFile::rename(database, database + u".moved"_s));
    EXPECT_EQ(Logimporter({u"/SCHEDULE"_s, u"/SILENT"_s, u"/QUIT"_s, u"/Profile=Demo"_s, u"/NOPREVCHECK"_s,
                           u"/REPORT="_s + report}),
              1);
    const QString why = u"the profile 'Demo' names the Station Database '%1', which is not in '%2'"_s.arg(
        DemoStation::DatabaseName(), QFileInfo(database).absolutePath());
    EXPECT_TRUE(Errors.contains(u"logimporter: start-up failed: "_s + why)) << Errors.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(BytesOf(report)).object();
    EXPECT_EQ(json[u"exitStatus"_s].toInt(), 1);
    EXPECT_EQ(json[u"startUpFailed"_s].toString(), why);
    EXPECT_EQ(json[u"profile"_s].toString(), u"Demo");
    EXPECT_TRUE(json[u"hours"_s].toArray().isEmpty());
}

TEST_F(ProgramRunTest, AServerWithNoDisplayMakesItsProfileFromTheCommandLineAndImports) {
    ASSERT_EQ(Run(QStringLiteral(STATIONDB_EXE),
                  {u"profile"_s, u"Night Shift"_s, u"--database"_s, DemoStation::DatabaseName()}),
              0)
        << Errors.toStdString();
    EXPECT_EQ(Errors, QString()); // the database is there: no warning
    EXPECT_EQ(Logimporter({u"/SCHEDULE"_s, u"/SILENT"_s, u"/QUIT"_s, u"/Profile=Night Shift"_s,
                           u"/START=24/11/2010 06:00"_s, u"/END=24/11/2010 06:59"_s}),
              0)
        << Errors.toStdString();
    EXPECT_EQ(Count(ScheduledLog(), u"Type"_s, 98), 1);

    // The path of a file outside the database folders: the profile lists it by its name.
    const QString elsewhere = Path(u"Elsewhere/Studio.sdb"_s);
    ASSERT_TRUE(QDir().mkpath(Path(u"Elsewhere"_s)));
    ASSERT_TRUE(QFile::copy(DemoStation::DatabasePath(), elsewhere));
    ASSERT_EQ(Run(QStringLiteral(STATIONDB_EXE), {u"profile"_s, u"Studio1"_s, u"--database"_s, elsewhere}), 0)
        << Errors.toStdString();
    EXPECT_TRUE(Output.contains(u"opens the Station Database 'Studio' (the file '"_s + elsewhere + u"')"_s))
        << Output.toStdString();
    EXPECT_EQ(Errors, QString()); // the file is there: no warning
    EXPECT_EQ(Logimporter({u"/SCHEDULE"_s, u"/SILENT"_s, u"/QUIT"_s, u"/Profile=Studio1"_s,
                           u"/START=24/11/2010 07:00"_s, u"/END=24/11/2010 07:59"_s}),
              0)
        << Errors.toStdString();
    const QString run = Output;
    EXPECT_TRUE(run.contains(u"hours written:            1\n"_s)) << run.toStdString();
}

TEST_F(ProgramRunTest, AnOptionTheProgramDoesNotKnowIsWarnedOfByNameAndTheRunGoesOn) {
    EXPECT_EQ(Import(u"24/11/2010 06:00"_s, u"24/11/2010 06:59"_s), 0);
    EXPECT_EQ(Logimporter({u"/SCHEDULE"_s, u"/SILENT"_s, u"/QUIT"_s, u"/Profile=Demo"_s, u"/NOPREVCHECK"_s,
                           u"/START=24/11/2010 07:00"_s, u"/END=24/11/2010 07:59"_s, u"/Studio=2"_s}),
              5);
    EXPECT_EQ(Errors.count(u"warning: /Studio=2 is not an option of this program, so it was ignored\n"_s), 1)
        << Errors.toStdString();
    EXPECT_EQ(Count(ScheduledLog(), u"Type"_s, 98), 2);
}

TEST_F(ProgramRunTest, EveryProgramGivesItsUsageForHelpAndTouchesNothing) {
    const auto files = [this] {
        QStringList all;
        QDirIterator it(Home(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            all.append(it.next());
        return all;
    };
    const QStringList before = files();
    const QList<std::pair<QString, QString>> programs = {
        {QStringLiteral(LOGIMPORTER_EXE), u"Usage: logimporter"_s},
        {QStringLiteral(STATIONDB_EXE), u"usage: stationdb COMMAND"_s},
        {QStringLiteral(DEMOSTATION_EXE), u"Usage: demostation"_s},
        {QStringLiteral(SCREENSHOTS_EXE), u"Usage: screenshots"_s},
        {QStringLiteral(BENCH_EXE), u"Usage: logimporter_bench"_s}};
    for (const auto& [program, usage] : programs) {
        for (const QString& asked : {u"--help"_s, u"-h"_s, u"/?"_s}) {
            EXPECT_EQ(Run(program, {asked}), 0) << program.toStdString() << " " << asked.toStdString();
            EXPECT_TRUE(Output.startsWith(usage)) << Output.toStdString();
        }
    }
    EXPECT_EQ(Logimporter({u"/SCHEDULE"_s, u"/Profile=Demo"_s, u"--help"_s}), 0); // help wins over a run
    for (const QString& status : {u"  3  the range was refused"_s, u"  4  incomplete"_s, u"OSTREL_HOME"_s})
        EXPECT_TRUE(Output.contains(status)) << status.toStdString();
    EXPECT_EQ(files(), before);
    EXPECT_EQ(FilesOutside(), QStringList());

    // The demo station is there: it is kept unless its replacement is asked for.
    const QByteArray demo = BytesOf(DemoStation::DatabasePath());
    EXPECT_EQ(Run(QStringLiteral(DEMOSTATION_EXE), {}), 1);
    EXPECT_TRUE(Errors.contains(u"give --replace to make it afresh"_s)) << Errors.toStdString();
    EXPECT_EQ(BytesOf(DemoStation::DatabasePath()), demo);
    EXPECT_EQ(Run(QStringLiteral(DEMOSTATION_EXE), {u"--replace"_s}), 0) << Errors.toStdString();
}

TEST_F(ProgramRunTest, TheScreenshotsDrawEveryTabOfTheSettingsDialogsInTheWindowsColours) {
    const QString shots = Path(u"shots"_s);
    ASSERT_EQ(Run(QStringLiteral(SCREENSHOTS_EXE), {shots}), 0) << Errors.toStdString();
    const QStringList drawn = QDir(shots).entryList({u"*settings-?.png"_s}, QDir::Files, QDir::Name);
    EXPECT_EQ(drawn, QStringList({u"settings-1.png"_s, u"settings-2.png"_s, u"settings-3.png"_s,
                                  u"station-settings-1.png"_s, u"station-settings-2.png"_s,
                                  u"station-settings-3.png"_s, u"station-settings-4.png"_s}));
    // The settings dialog is drawn after the window took the Enterprise scheme: its
    // background, below the tabs beside the buttons, is the scheme's.
    GraphicsRenderer enterprise;
    enterprise.SetValue(GraphicsRenderer::Enterprise);
    const QImage tab(shots + u"/settings-2.png"_s);
    ASSERT_FALSE(tab.isNull());
    EXPECT_EQ(tab.pixel(4, tab.height() - 4) & 0xFFFFFF, enterprise.Background());
}

TEST_F(ProgramRunTest, ARangeThatIsRefusedExitsWithThreeAndWritesNothing) {
    EXPECT_EQ(Import(u"25/11/2010 06:00"_s, u"24/11/2010 06:00"_s), 3) << Errors.toStdString();
    EXPECT_TRUE(Output.contains(u"exit status 3: the range was refused and nothing was written"_s));
    EXPECT_EQ(Import(u"31/12/2004 23:00"_s, u"24/11/2010 06:59"_s), 3); // before the years allowed
    // A date before the schedule's first day is outside the years too, not "not a date".
    EXPECT_EQ(Import(u"01/01/1800"_s, u"24/11/2010 06:59"_s), 3) << Errors.toStdString();
    EXPECT_TRUE(Errors.contains(u"The range must lie between 2005-01-01 00:00:00 and 2036-11-21 23:59:59"_s))
        << Errors.toStdString();
    EXPECT_EQ(Import(u"24/11/2010 06:00"_s, u"31/12/2100"_s), 3);
    EXPECT_TRUE(ScheduledLog().isEmpty());

    for (const QString& hours : {u"abc"_s, u"-5"_s, u"0"_s, u"48abc"_s, u"8785"_s, u"2147483647"_s}) {
        EXPECT_EQ(Logimporter({u"/CHECK="_s + hours, u"/SILENT"_s, u"/Profile=Demo"_s, u"/NOPREVCHECK"_s}), 5)
            << hours.toStdString();
        EXPECT_TRUE(Errors.contains(u"/CHECK="_s + hours +
                                    u" is refused: the hours to check are a whole number from 1 to 8784"_s))
            << Errors.toStdString();
        EXPECT_FALSE(Output.contains(u"Readiness of"_s));
    }
    EXPECT_EQ(Logimporter({u"/CHECK=2"_s, u"/SILENT"_s, u"/Profile=Demo"_s, u"/NOPREVCHECK"_s}), 6);
    EXPECT_TRUE(Output.contains(u"the next 2 hours"_s)) << Output.toStdString();
}

TEST_F(ProgramRunTest, NoLogFilesAtAllIsAWarningNotASuccess) {
    QDirIterator logs(ProfileLibrary::ProductFolder() + u"/Demo Logs"_s, QDir::Files,
                      QDirIterator::Subdirectories);
    while (logs.hasNext())
        QFile::remove(logs.next());
    EXPECT_EQ(Logimporter({u"/SCHEDULE"_s, u"/SILENT"_s, u"/QUIT"_s, u"/Profile=Demo"_s, u"/NOPREVCHECK"_s}),
              5)
        << Errors.toStdString();
    EXPECT_TRUE(Errors.contains(u"warning: no music log was found for "_s)) << Errors.toStdString();
    EXPECT_TRUE(Errors.contains(u"warning: no advert log was found for any day from "_s));
    EXPECT_TRUE(Output.contains(u"hours written:            0\n"_s));
}

TEST_F(ProgramRunTest, ADatabaseBusyBeyondThePatienceExitsWithFourAndWritesNothingHalfWay) {
    RegistryTools::SetNumber(RegistryTools::LocalMachine, LogImportSettingsModel::RegistryKey(),
                             u"BusyWaitSeconds"_s, 1);
    BusyNeighbour playout(DemoStation::DatabasePath());
    playout.HoldFor(std::chrono::seconds(4));
    EXPECT_EQ(Import(u"24/11/2010 06:00"_s, u"24/11/2010 08:59"_s), 4) << Errors.toStdString();
    playout.Stop();
    EXPECT_TRUE(Output.contains(u"hours not written:        3 (2010-11-24 06:00:00, 2010-11-24 07:00:00, "
                                u"2010-11-24 08:00:00)"_s))
        << Output.toStdString();
    const QStringList log = LinesOf(ApplicationLog());
    EXPECT_TRUE(log.contains(u"Music:2010-11-24 06:00:00 - could not be written to the Log: the Station "
                             u"Database stayed busy for 1 s (database is locked)"_s))
        << log.join(u'\n').toStdString();
    // The later hours, music and adverts, were not even read: they did not wait again,
    // and no hour is said to be missing from the Scheduled Log for a read that failed.
    // Nor did the advert information's refresh, which says it left the table as it was.
    EXPECT_EQ(log.filter(u"the run stopped writing"_s).size(), 2 + 3 + 1);
    EXPECT_EQ(
        log.filter(u"the advert information was not brought up to date (it keeps what it held)"_s).size(), 1);
    EXPECT_TRUE(log.filter(u"was not in the Scheduled log"_s).isEmpty()) << log.join(u'\n').toStdString();
    EXPECT_TRUE(ScheduledLog().isEmpty());
}

TEST_F(ProgramRunTest, AnUnattendedRunNeverSwitchesOnTheCartRangeOptionByItself) {
    {
        StationDatabase db;
        ASSERT_EQ(db.OpenLocation(DemoStation::DatabasePath()), StationDatabase::Opened);
        StationSettings settings = db.Settings();
        settings.SetValue(u"UseLogImporterCartRanges"_s, u"0"_s);
        ASSERT_TRUE(db.SaveSettings(settings));
    }
    EXPECT_EQ(Import(u"24/11/2010 06:00"_s, u"24/11/2010 06:59"_s), 2);
    EXPECT_TRUE(Errors.contains(u"nobody was there to answer \"The Log Importer needs to activate the "_s))
        << Errors.toStdString();
    EXPECT_TRUE(Errors.contains(u"so it was answered No and the setting stays as it is"_s));
    EXPECT_TRUE(Errors.contains(u"switch them on with: stationdb settings DB UseLogImporterCartRanges=1 (DB: "
                                u"the Station Database 'Demo Station')"_s))
        << Errors.toStdString();
    EXPECT_FALSE(Errors.contains(u"the settings stay as they are"_s));
    StationDatabase db;
    ASSERT_EQ(db.OpenLocation(DemoStation::DatabasePath()), StationDatabase::Opened);
    EXPECT_FALSE(db.Settings().UseLogImporterCartRanges());
    EXPECT_TRUE(ScheduledLog().isEmpty());
}

TEST_F(ProgramRunTest, AWriterBesideTheImportCostsNoHourAndNoAdvert) {
    const QString pristine = Path(u"pristine.sdb"_s);
    ASSERT_TRUE(QFile::copy(DemoStation::DatabasePath(), pristine));
    const QString start = u"24/11/2010 00:00"_s, end = u"25/11/2010 23:59"_s;
    BusyNeighbour playout(DemoStation::DatabasePath());
    playout.WriteEvery(std::chrono::milliseconds(40), std::chrono::milliseconds(20));
    EXPECT_EQ(Import(start, end), 0) << Errors.toStdString() << Output.toStdString();
    playout.Stop();
    EXPECT_GT(playout.Writes(), 5); // it really wrote all along
    const QJsonArray disturbed = ScheduledLog();

    for (const QString& file : {u""_s, u"-wal"_s, u"-shm"_s})
        QFile::remove(DemoStation::DatabasePath() + file);
    ASSERT_TRUE(QFile::copy(pristine, DemoStation::DatabasePath()));
    ASSERT_EQ(Import(start, end), 0) << Errors.toStdString();
    const QJsonArray undisturbed = ScheduledLog();
    EXPECT_EQ(Count(undisturbed, u"Type"_s, 98), 48);
    EXPECT_GT(Count(undisturbed, u"Flags"_s, 3), 100);
    EXPECT_EQ(Count(disturbed, u"Type"_s, 98), 48);
    EXPECT_EQ(Count(disturbed, u"Flags"_s, 3), Count(undisturbed, u"Flags"_s, 3));
    EXPECT_TRUE(disturbed == undisturbed) << "the two Scheduled Logs differ";
}

TEST_F(ProgramRunTest, ADryRunShowsItsPlanAndLeavesTheDatabaseAndEveryLogFileAsTheyWere) {
    const auto snapshot = [this] {
        QMap<QString, QByteArray> files;
        QDirIterator it(Home(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            // Every start notes the database last used, and registers the running tool with the directory.
            if (!path.contains(u"/Registry/"_s) && !path.endsWith(u"/Directory/Applications.ini"_s))
                files.insert(path, BytesOf(path));
        }
        return files;
    };
    const auto before = snapshot();
    const QString report = outside.filePath(u"preview.json"_s);
    EXPECT_EQ(Logimporter({u"/DRYRUN"_s, u"/SILENT"_s, u"/QUIT"_s, u"/Profile=Demo"_s, u"/NOPREVCHECK"_s,
                           u"/START=24/11/2010 06:00"_s, u"/END=24/11/2010 07:59"_s, u"/REPORT="_s + report}),
              0)
        << Errors.toStdString();
    const auto after = snapshot();
    EXPECT_EQ(after.keys(), before.keys());
    for (auto file = before.cbegin(); file != before.cend(); ++file)
        EXPECT_TRUE(after.value(file.key()) == file.value()) << file.key().toStdString();
    EXPECT_TRUE(Output.startsWith(u"Planning the import of music, then adverts, into Demo Station (profile "
                                  u"Demo) for 2010-11-24 06:00:00 to 2010-11-24 07:59:00 (a dry run: nothing "
                                  u"will be written)\n"
                                  u"Import preview, 2010-11-24 06:00:00 to 2010-11-24 07:59:00: nothing was "
                                  u"written."_s))
        << Output.toStdString();
    EXPECT_TRUE(Output.contains(u"2010-11-24 06:00:00  music: to write; adverts: to push ("_s));
    EXPECT_TRUE(Output.contains(
        u"Summary (exit status 0: everything the log files offered would be in the "
        u"Scheduled Log; a dry run, so nothing was written)\n  hours to write:           2\n"_s))
        << Output.toStdString();
    EXPECT_EQ(Output.count(u"Summary (exit status"_s), 1);
    EXPECT_FALSE(Output.contains(u"Application log: "_s)); // none was written
    const QJsonObject plan = QJsonDocument::fromJson(BytesOf(report)).object();
    EXPECT_TRUE(plan.value(u"dryRun"_s).toBool());
    EXPECT_EQ(plan.value(u"hours"_s).toArray().first().toObject().value(u"music"_s).toString(), u"write");
    QFile::remove(report);

    ASSERT_EQ(Import(u"24/11/2010 06:00"_s, u"24/11/2010 07:59"_s), 0); // the run does what was shown
    const QJsonArray items = ScheduledLog();
    EXPECT_EQ(Count(items, u"Type"_s, 98), 2);
    EXPECT_EQ(PushedAdverts(items), plan.value(u"totals"_s).toObject().value(u"advertsPushed"_s).toInt());
}

TEST_F(ProgramRunTest, TheRunReportGivesEveryHourRejectedLineAndMissingCart) {
    const QString report = outside.filePath(u"run.json"_s);
    ASSERT_EQ(Logimporter({u"/SCHEDULE"_s, u"/SILENT"_s, u"/QUIT"_s, u"/Profile=Demo"_s, u"/NOPREVCHECK"_s,
                           u"/START=24/11/2010 00:00"_s, u"/END=24/11/2010 23:59"_s, u"/REPORT="_s + report}),
              0)
        << Errors.toStdString();
    // The run says first what it will do; its summary, where it was, what it covered
    // and where its report is.
    EXPECT_TRUE(Output.startsWith(u"Importing music, then adverts, into Demo Station (profile Demo) for "
                                  u"2010-11-24 00:00:00 to 2010-11-24 23:59:00.\n"_s))
        << Output.toStdString();
    EXPECT_TRUE(
        Output.contains(u"Summary (exit status 0: everything the log files offered is in the Scheduled "
                        u"Log)\n  station:                  Demo Station (profile Demo)\n"
                        u"  range:                    2010-11-24 00:00:00 to 2010-11-24 23:59:00\n"
                        u"  elapsed:                  "_s))
        << Output.toStdString();
    EXPECT_TRUE(Output.contains(u"  report:                   "_s + report + u'\n')) << Output.toStdString();
    // Every date it prints is written one way, year first.
    const QRegularExpression otherForms(u"\\d\\d?/\\d\\d|\\b(Mon|Tue|Wed|Thu|Fri|Sat|Sun)\\b"_s);
    EXPECT_FALSE(Output.contains(otherForms)) << Output.toStdString();
    ASSERT_EQ(Logimporter({u"/CHECK=3"_s, u"/SILENT"_s, u"/Profile=Demo"_s, u"/NOPREVCHECK"_s}), 6);
    EXPECT_FALSE(Output.contains(otherForms)) << Output.toStdString();
    EXPECT_TRUE(Output.contains(QRegularExpression(u"\\d{4}-\\d\\d-\\d\\d \\d\\d:00:00  not scheduled"_s)));
    const QJsonObject run = QJsonDocument::fromJson(BytesOf(report)).object();
    EXPECT_FALSE(run.value(u"dryRun"_s).toBool());
    EXPECT_EQ(run.value(u"exitStatus"_s).toInt(), 0);
    EXPECT_EQ(run.value(u"range"_s).toObject().value(u"start"_s).toString(), u"2010-11-24 00:00:00");
    const QJsonArray hours = run.value(u"hours"_s).toArray();
    ASSERT_EQ(hours.size(), 24);
    int pushed = 0;
    for (const QJsonValue& hour : hours) {
        EXPECT_EQ(hour.toObject().value(u"music"_s).toString(), u"written");
        EXPECT_EQ(hour.toObject().value(u"adverts"_s).toObject().value(u"status"_s).toString(), u"written");
        pushed += hour.toObject().value(u"adverts"_s).toObject().value(u"pushed"_s).toInt();
    }
    const QJsonObject totals = run.value(u"totals"_s).toObject();
    EXPECT_EQ(totals.value(u"hoursWritten"_s).toInt(), 24);
    EXPECT_EQ(totals.value(u"advertsPushed"_s).toInt(), pushed);
    EXPECT_EQ(pushed, PushedAdverts(ScheduledLog()));
    const QJsonArray carts = run.value(u"missingCarts"_s).toArray();
    ASSERT_FALSE(carts.isEmpty()); // the demo schedules a song without audio and an advert that is not there
    EXPECT_EQ(totals.value(u"missingCarts"_s).toInt(), carts.size());
    EXPECT_TRUE(carts.first().toObject().value(u"problem"_s).toString().startsWith(u"has no audio"_s) ||
                carts.first().toObject().value(u"problem"_s).toString().startsWith(u"does not exist"_s));
    // A silent cart whose line gives no title is named by the cart store's: song 1058 is "Slow Burn".
    int silent = 0;
    for (const QJsonValue& cart : carts) {
        if (cart[u"cart"_s].toString() == u"1058") {
            EXPECT_EQ(cart[u"title"_s].toString(), u"Slow Burn");
            ++silent;
        }
    }
    EXPECT_GT(silent, 0);
}

TEST_F(ProgramRunTest, ARunAfterADaysFilesLandImportsOnlyTheHoursTheyBring) {
    // What the path unit does: a run, then the next day's files land, then a run.
    const QString logs = ProfileLibrary::ProductFolder() + u"/Demo Logs/"_s;
    QStringList landing;
    for (const QString& kind : {u"Music"_s, u"Adverts"_s}) {
        QDir folder(logs + kind);
        const QString last = folder.entryList(QDir::Files, QDir::Name).last();
        landing.append(folder.filePath(last));
        ASSERT_TRUE(QFile::rename(landing.last(), Path(last)));
    }
    const QStringList scheduled = {u"/SCHEDULE"_s, u"/SILENT"_s, u"/QUIT"_s, u"/Profile=Demo"_s,
                                   u"/NOPREVCHECK"_s};
    ASSERT_EQ(Logimporter(scheduled), 0) << Errors.toStdString();
    EXPECT_TRUE(Output.contains(u"hours written:            24\n"_s)) << Output.toStdString();
    const int before = PushedAdverts(ScheduledLog());

    for (const QString& path : landing)
        ASSERT_TRUE(QFile::rename(Path(QFileInfo(path).fileName()), path));
    ASSERT_EQ(Logimporter(scheduled), 0) << Errors.toStdString();
    EXPECT_TRUE(Output.contains(u"hours written:            24\n"_s)) << Output.toStdString();
    EXPECT_TRUE(Output.contains(u"hours already there:      0\n"_s)) << Output.toStdString();
    const int landed = PushedAdverts(ScheduledLog()) - before; // the second day's alone
    EXPECT_GT(landed, 24);
    EXPECT_TRUE(Output.contains(u"adverts pushed:           %1\n"_s.arg(landed))) << Output.toStdString();
    EXPECT_EQ(Count(ScheduledLog(), u"Type"_s, 98), 48);
}
