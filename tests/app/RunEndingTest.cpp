// How an unattended run ends when it is cut short (a stop signal, a server that
// goes away) or shares its station with a second run: whatever happens, the
// summary, the report and the history say what the Scheduled Log holds.

#include "app/LogImportSettingsModel.h"
#include "base/RegistryTools.h"
#include "support/BusyNeighbour.h"
#include "support/ChildProgram.h"
#include "support/OtherConnection.h"
#include "support/TempHome.h"
#include "support/ThrowawayServer.h"
#include "tools/demo/DemoStation.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QThread>
#include <future>

#include <csignal>
#include <gtest/gtest.h>

namespace {

constexpr int days = 60;
// Days ahead of the clock the programs run by: no hour of them is on air yet.
const QDate firstDay = QDate::currentDate().addDays(7);

// The bounds on how soon a run ends are the shipped program's; a build with the
// sanitizers (unoptimised, every access checked) starts, writes and exits some times
// slower.
#ifdef __SANITIZE_ADDRESS__
constexpr qint64 slower = 3;
#else
constexpr qint64 slower = 1;
#endif

QString dayText(int day) {
    return firstDay.addDays(day).toString(u"dd/MM/yyyy"_s);
}

QString lineAfter(const QString& output, const QString& label) {
    const qsizetype at = output.indexOf(label);
    return at < 0 ? QString() : output.mid(at + label.size()).section(u'\n', 0, 0).trimmed();
}

int figure(const QString& output, const QString& label) {
    return lineAfter(output, label).section(u' ', 0, 0).toInt();
}

QString readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class RunEndingTest : public TempHome {
protected:
    void SetUp() override {
        TempHome::SetUp();
        ASSERT_TRUE(outside.isValid());
    }
    void MakeStation(const QString& where) {
        location = where.isEmpty() ? DemoStation::DatabasePath() : where;
        QString problem;
        ASSERT_TRUE(DemoStation::Create(firstDay, days, &problem, where)) << problem.toStdString();
    }

    // The unattended run over the demo's days, with a report; `during` runs while it does.
    int Import(const QString& start, const QString& end, const std::function<void(QProcess&)>& during = {}) {
        ChildProgram child(Home(), outside.path());
        child.WhileRunning = during;
        const int code =
            child.Run(QStringLiteral(LOGIMPORTER_EXE),
                      {u"/SCHEDULE"_s, u"/SILENT"_s, u"/QUIT"_s, u"/Profile=Demo"_s, u"/NOPREVCHECK"_s,
                       u"/START="_s + start, u"/END="_s + end, u"/REPORT="_s + ReportPath()});
        Output = child.Output;
        Errors = child.Errors;
        return code;
    }
    int ImportAll(const std::function<void(QProcess&)>& during = {}) {
        return Import(dayText(0) + u" 00:00"_s, dayText(days - 1) + u" 23:59"_s, during);
    }
    QString ReportPath() const { return outside.path() + u"/report.json"_s; }
    QJsonObject Report() const { return QJsonDocument::fromJson(readAll(ReportPath()).toUtf8()).object(); }

    int Value(const QString& sql) const { return ValueOnOtherConnection(location, sql).toInt(); }
    int Hours() const { return Value(u"SELECT count(*) FROM LogItems WHERE ItemType = 98"_s); }
    int Adverts() const { return Value(u"SELECT count(*) FROM LogItems WHERE ItemType = 4 AND State = 2"_s); }
    // The advert information's rows, and the carts of the pushed adverts the log holds
    // (of those the station has: a cart that does not exist has no information).
    int InformationRows() const { return Value(u"SELECT count(*) FROM AdvertInfo WHERE ItemType = 4"_s); }
    int PushedCarts() const {
        return Value(u"SELECT count(DISTINCT CartNumber) FROM LogItems WHERE ItemType = 4 AND State = 2 AND "
                     u"CartNumber IN (SELECT Number FROM Carts)"_s);
    }
    // Waits until the query gives more than `least`, as the run writes.
    void WaitFor(const std::function<int()>& count, int least) const {
        const QDeadlineTimer deadline(60000);
        while (count() <= least && !deadline.hasExpired())
            QThread::msleep(2);
    }
    QStringList ApplicationLog() const {
        return readAll(lineAfter(Output, u"Application log:"_s)).split(u'\n');
    }

    void TwoRunsAtOnce(int rounds);
    void StopWhileWaiting();
    void GiveUpWithoutWaitingAgain(BusyNeighbour::Lock lock);
    void Patience(int seconds) const {
        RegistryTools::SetNumber(RegistryTools::LocalMachine, LogImportSettingsModel::RegistryKey(),
                                 u"BusyWaitSeconds"_s, seconds);
    }

    QTemporaryDir outside;
    QString location;
    QString Output;
    QString Errors;
};

TEST_F(RunEndingTest, AStopSignalEndsTheRunBetweenHoursWithItsSummaryReportAndHistory) {
    MakeStation({});
    const int code = ImportAll([this](QProcess& run) {
        WaitFor([this] { return Hours(); }, 0);
        ::kill(pid_t(run.processId()), SIGTERM);
    });
    EXPECT_EQ(code, 7) << Errors.toStdString() << Output.toStdString();
    EXPECT_EQ(lineAfter(Output, u"stopped:"_s), u"by SIGTERM, before the end of the range"_s)
        << Output.toStdString();
    const int written = figure(Output, u"hours written:"_s);
    EXPECT_GT(written, 0);
    EXPECT_LT(written, days * 24);
    EXPECT_EQ(Hours(), written); // every hour the summary counts, and no other, is in the log

    const QJsonObject report = Report();
    EXPECT_EQ(report.value(u"stoppedBy"_s).toString(), u"SIGTERM");
    EXPECT_EQ(report.value(u"exitStatus"_s).toInt(), 7);
    EXPECT_EQ(report.value(u"totals"_s).toObject().value(u"hoursWritten"_s).toInt(), written);
    const QString history = readAll(lineAfter(Output, u"RecentHistory.log:"_s));
    EXPECT_TRUE(history.contains(u"Stopped by SIGTERM before the end of the range"_s))
        << history.toStdString();

    // The next night finishes the range from where this one stopped.
    EXPECT_EQ(ImportAll(), 0) << Errors.toStdString();
    EXPECT_EQ(figure(Output, u"hours already there:"_s), written);
    EXPECT_EQ(Hours(), days * 24);
    EXPECT_TRUE(lineAfter(Output, u"nothing new:"_s).isEmpty());
    // And a night with nothing new says that all is well.
    EXPECT_EQ(ImportAll(), 0);
    EXPECT_TRUE(lineAfter(Output, u"nothing new:"_s).startsWith(u"all is well"_s)) << Output.toStdString();
}

TEST_F(RunEndingTest, AStopDuringThePushLeavesOneAdvertInformationRowPerCartTheLogHolds) {
    MakeStation({});
    const int code = Import(dayText(0) + u" 00:00"_s, dayText(1) + u" 23:59"_s, [this](QProcess& run) {
        WaitFor([this] { return Adverts(); }, 0);
        ::kill(pid_t(run.processId()), SIGTERM);
    });
    EXPECT_EQ(code, 7) << Errors.toStdString() << Output.toStdString();
    EXPECT_GT(Adverts(), 0);
    EXPECT_EQ(InformationRows(), PushedCarts());
    // The next run, which pushes the rest, keeps a row for the carts pushed before the stop.
    EXPECT_EQ(Import(dayText(0) + u" 00:00"_s, dayText(1) + u" 23:59"_s), 0) << Errors.toStdString();
    EXPECT_EQ(InformationRows(), PushedCarts());
}

TEST_F(RunEndingTest, AFullDiskEndsTheWritingOnceAndTheNextRunMakesTheRecordWhole) {
    // The databases' folder is a small file system of its own, filled up while the
    // run pushes its adverts.
    const QString small = QFileInfo(DemoStation::DatabasePath()).absolutePath();
    ASSERT_TRUE(QDir().mkpath(small));
    if (QProcess::execute(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=64m"_s, u"tmpfs"_s, small}) != 0)
        GTEST_SKIP() << "no small file system can be mounted here (mount needs root)";
    const auto unmount = qScopeGuard([&small] { QProcess::execute(u"umount"_s, {small}); });
    MakeStation({});
    const QString filler = small + u"/filler"_s;
    const int code = ImportAll([this, &filler](QProcess&) {
        WaitFor([this] { return Adverts(); }, 0);
        QFile fill(filler);
        if (!fill.open(QIODevice::WriteOnly))
            return;
        const QByteArray block(1 << 16, '\0');
        while (fill.write(block) == block.size() && fill.flush()) {
        }
    });
    EXPECT_EQ(code, 4) << Errors.toStdString() << Output.toStdString();
    EXPECT_TRUE(Report()[u"stoppedWriting"_s].toString().contains(u"full"_s)) << Output.toStdString();
    // Once: the hours after the first it refused were not tried again.
    EXPECT_LE(Errors.count(u"database or disk is full"_s), 2) << Errors.toStdString();
    EXPECT_LE(ApplicationLog()
                  .filter(u"- could not be written to the Scheduled Log: database or disk is full"_s)
                  .size(),
              1);
    EXPECT_EQ(Hours(), days * 24);
    // The hours written before the disk filled brought their carts' information with them.
    EXPECT_EQ(InformationRows(), PushedCarts());

    QFile::remove(filler);
    EXPECT_EQ(ImportAll(), 0) << Errors.toStdString();
    EXPECT_EQ(InformationRows(), PushedCarts());
    EXPECT_GT(figure(Output, u"adverts pushed:"_s), 0); // the hours the full disk left
}

// Two runs of one day at once, round after round, each round from an empty log.
void RunEndingTest::TwoRunsAtOnce(int rounds) {
    for (int round = 0; round < rounds; ++round) {
        ExecOnOtherConnection(location, u"DELETE FROM LogItems"_s);
        ExecOnOtherConnection(location, u"DELETE FROM AdvertInfo"_s);
        auto other = std::async(std::launch::async, [this] {
            ChildProgram child(Home(), outside.path());
            return child.Run(QStringLiteral(LOGIMPORTER_EXE),
                             {u"/SCHEDULE"_s, u"/SILENT"_s, u"/QUIT"_s, u"/Profile=Demo"_s, u"/NOPREVCHECK"_s,
                              u"/START="_s + dayText(0) + u" 00:00"_s,
                              u"/END="_s + dayText(0) + u" 23:59"_s});
        });
        EXPECT_EQ(Import(dayText(0) + u" 00:00"_s, dayText(0) + u" 23:59"_s), 0) << Errors.toStdString();
        EXPECT_EQ(other.get(), 0);
        const int rows = Value(u"SELECT count(*) FROM AdvertInfo"_s);
        EXPECT_GT(rows, 0);
        ASSERT_EQ(rows, Value(u"SELECT count(DISTINCT HDReference) FROM AdvertInfo"_s)) << "round " << round;
    }
}

TEST_F(RunEndingTest, TwoRunsAtOnceLeaveOneAdvertInformationRowPerCart) {
    MakeStation({});
    // Before the refresh was one change, a file doubled rows in a few rounds of
    // dozens; the server (below) in every round. Here it holds the file to the rule.
    TwoRunsAtOnce(4);
}

TEST_F(RunEndingTest, TwoRunsAtOnceLeaveOneAdvertInformationRowPerCartOnPostgreSQL) {
    MakeStation(ThrowawayServer::Get().NewLocation());
    TwoRunsAtOnce(4); // before, the first round already doubled rows
}

TEST_F(RunEndingTest, AServerLostInTheMiddleOfEitherImporterEndsWithFourAndTrueRecordsOnPostgreSQL) {
    ThrowawayServer server(ThrowawayServer::Durable); // what it committed outlives the crash
    ASSERT_EQ(server.Problem(), QString());
    MakeStation(server.NewLocation());
    // The first hours, so that the advert information holds rows to keep, and the
    // push that is cut short has carts of its own to bring.
    ASSERT_EQ(Import(dayText(0) + u" 00:00"_s, dayText(0) + u" 02:59"_s), 0) << Errors.toStdString();
    const int infoRows = Value(u"SELECT count(*) FROM AdvertInfo"_s);
    ASSERT_GT(infoRows, 0);

    for (const bool inThePush : {false, true}) {
        const int hoursBefore = Hours();
        const int advertsBefore = Adverts();
        const int code = ImportAll([&](QProcess&) {
            if (inThePush)
                WaitFor([this] { return Adverts(); }, advertsBefore + 60);
            else
                WaitFor([this] { return Hours(); }, hoursBefore);
            ASSERT_TRUE(server.Crash());
        });
        EXPECT_EQ(code, 4) << Errors.toStdString() << Output.toStdString();
        EXPECT_FALSE(Errors.contains(u"terminate called"_s));
        EXPECT_TRUE(lineAfter(Output, u"hours not written:"_s) != u"0"_s || inThePush)
            << Output.toStdString();
        EXPECT_NE(lineAfter(Output, u"advert hours not written:"_s), u"0"_s) << Output.toStdString();
        EXPECT_TRUE(Report().value(u"stoppedWriting"_s).toString().contains(u"connection"_s))
            << Report().value(u"stoppedWriting"_s).toString().toStdString();
        for (const QJsonValue hour : Report()[u"hours"_s].toArray()) {
            const QString reason = hour[u"reason"_s].toString();
            EXPECT_LE(reason.count(u"the connection to the Station Database's server"_s), 1)
                << "an hour's reason is given twice: " << reason.toStdString();
        }
        const QStringList log = ApplicationLog();
        EXPECT_TRUE(log.filter(u"was not in the Scheduled log"_s).isEmpty()) << log.join(u'\n').toStdString();
        const QString history = readAll(lineAfter(Output, u"RecentHistory.log:"_s));
        EXPECT_TRUE(history.contains(u"Stopped writing, as "_s)) << history.toStdString();
        EXPECT_TRUE(history.trimmed().section(u'\n', -1).contains(u"Finish Advert Push"_s));

        ASSERT_TRUE(server.Restart());
        // Never emptier than before the run, and every hour written brought its carts' rows.
        EXPECT_GE(InformationRows(), infoRows);
        EXPECT_EQ(InformationRows(), PushedCarts());
        EXPECT_TRUE(!inThePush || PushedCarts() > infoRows); // the push brought carts of its own
        // Every hour the run counted as written is there (and, when the connection
        // went at a commit, perhaps the one it could not confirm).
        const int written = figure(Output, u"hours written:"_s);
        EXPECT_GE(Hours() - hoursBefore, written);
        EXPECT_LE(Hours() - hoursBefore, written + 1);
    }
    EXPECT_EQ(ImportAll(), 0) << Errors.toStdString() << Output.toStdString();
    EXPECT_EQ(Hours(), days * 24);
    EXPECT_EQ(InformationRows(), PushedCarts());
    EXPECT_EQ(Value(u"SELECT count(*) FROM AdvertInfo"_s),
              Value(u"SELECT count(DISTINCT HDReference) FROM AdvertInfo"_s));
}

TEST_F(RunEndingTest, AScheduledLogLockedPastThePatienceIsWaitedForOnceAndToldAsBusyOnPostgreSQL) {
    MakeStation(ThrowawayServer::Get().NewLocation());
    RegistryTools::SetNumber(RegistryTools::LocalMachine, LogImportSettingsModel::RegistryKey(),
                             u"BusyWaitSeconds"_s, 1);
    const QString busy =
        u"the Station Database stayed busy for 1 s (canceling statement due to lock timeout)"_s;
    BusyNeighbour playout(location, BusyNeighbour::Everything);

    // At start-up: a Scheduled Log that cannot be read is no empty one.
    playout.HoldFor(std::chrono::seconds(4));
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(ImportAll(), 1) << Output.toStdString();
    EXPECT_LT(elapsed.elapsed(), 3500); // one wait of the patience, not one per read
    EXPECT_TRUE(Errors.contains(u"start-up failed: the Scheduled Log could not be read: "_s + busy))
        << Errors.toStdString();
    playout.Stop();
    EXPECT_EQ(Hours(), 0);

    // In the middle of the run: the hour in hand waits once, the rest are not read.
    EXPECT_EQ(ImportAll([&](QProcess&) {
                  WaitFor([this] { return Hours(); }, 0);
                  playout.HoldFor(std::chrono::seconds(4));
              }),
              4)
        << Output.toStdString();
    playout.Stop();
    const QStringList log = ApplicationLog();
    EXPECT_FALSE(log.filter(busy).isEmpty()) << log.join(u'\n').toStdString();
    for (const QString& wrong : {u"current transaction is aborted"_s, u"the hour changed while it was read"_s,
                                 u"did not take the change"_s, u"was not in the Scheduled log"_s})
        EXPECT_TRUE(log.filter(wrong).isEmpty()) << log.join(u'\n').toStdString();
    EXPECT_EQ(Hours(), figure(Output, u"hours written:"_s));
    EXPECT_EQ(ImportAll(), 0) << Output.toStdString();
    EXPECT_EQ(Hours(), days * 24);
}

TEST_F(RunEndingTest, AScheduledLogLockedFromTheStartEndsTheRunWithinItsPatienceOnPostgreSQL) {
    MakeStation(ThrowawayServer::Get().NewLocation());
    Patience(5);
    BusyNeighbour playout(location, BusyNeighbour::Everything);
    playout.HoldFor(std::chrono::seconds(100));
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(ImportAll(), 1) << Output.toStdString();
    RecordProperty("runMilliseconds", int(elapsed.elapsed()));
    EXPECT_LT(elapsed.elapsed(), 7000); // the patience, and a little for starting and ending
    EXPECT_TRUE(Errors.contains(u"start-up failed: the Scheduled Log could not be read: the Station Database "
                                u"stayed busy for 5 s ("_s))
        << Errors.toStdString();
    playout.LetGo();
    EXPECT_EQ(Hours(), 0);
}

// A stop signal while the run waits for a database another program keeps busy ends
// the wait at once, and the run as a stop between hours does: status 7, its summary,
// report and history, and the hours it wrote in the log.
void RunEndingTest::StopWhileWaiting() {
    BusyNeighbour playout(location); // the default patience: half a minute
    QElapsedTimer sinceTheStop;
    const int code = ImportAll([&](QProcess& run) {
        WaitFor([this] { return Hours(); }, 0);
        playout.HoldFor(std::chrono::seconds(100));
        QThread::msleep(1000); // the run is at its next hour by now, waiting
        sinceTheStop.start();
        ::kill(pid_t(run.processId()), SIGTERM);
    });
    const qint64 ended = sinceTheStop.elapsed();
    playout.LetGo();
    EXPECT_EQ(code, 7) << Errors.toStdString() << Output.toStdString();
    RecordProperty("endedAfterTheStopMilliseconds", int(ended));
    EXPECT_LT(ended, 1000 * slower) << Output.toStdString();
    EXPECT_EQ(lineAfter(Output, u"stopped:"_s), u"by SIGTERM, before the end of the range"_s)
        << Output.toStdString();
    const int written = figure(Output, u"hours written:"_s);
    EXPECT_GT(written, 0);
    EXPECT_EQ(Hours(), written);
    const QJsonObject report = Report();
    EXPECT_EQ(report.value(u"stoppedBy"_s).toString(), u"SIGTERM");
    EXPECT_EQ(report.value(u"exitStatus"_s).toInt(), 7);
    const QString history = readAll(lineAfter(Output, u"RecentHistory.log:"_s));
    EXPECT_TRUE(history.contains(u"Stopped by SIGTERM before the end of the range"_s))
        << history.toStdString();
}

TEST_F(RunEndingTest, AStopSignalEndsTheRunsWaitForABusyDatabaseWithinASecond) {
    MakeStation({});
    StopWhileWaiting();
}

TEST_F(RunEndingTest, AStopSignalEndsTheRunsWaitForABusyDatabaseWithinASecondOnPostgreSQL) {
    MakeStation(ThrowawayServer::Get().NewLocation());
    StopWhileWaiting();
}

// Once a wait has run out and the run has given up, nothing more waits: the run ends
// one patience after the database became busy, not two or more.
void RunEndingTest::GiveUpWithoutWaitingAgain(BusyNeighbour::Lock lock) {
    Patience(2);
    BusyNeighbour playout(location, lock);
    QElapsedTimer sinceTheLock;
    const int code = ImportAll([&](QProcess&) {
        WaitFor([this] { return Hours(); }, 0);
        playout.HoldFor(std::chrono::seconds(100));
        sinceTheLock.start();
    });
    const qint64 ended = sinceTheLock.elapsed();
    playout.LetGo();
    EXPECT_EQ(code, 4) << Errors.toStdString() << Output.toStdString();
    RecordProperty("endedAfterTheLockMilliseconds", int(ended));
    EXPECT_LT(ended, 2000 + 1000 * slower) << Output.toStdString(); // the patience, and a second
    EXPECT_TRUE(Report()
                    .value(u"stoppedWriting"_s)
                    .toString()
                    .startsWith(u"the Station Database stayed busy for 2 s"_s))
        << Report().value(u"stoppedWriting"_s).toString().toStdString();
    EXPECT_EQ(Hours(), figure(Output, u"hours written:"_s));
}

TEST_F(RunEndingTest, AGivenUpRunEndsWithoutWaitingAgain) {
    MakeStation({});
    GiveUpWithoutWaitingAgain(BusyNeighbour::WritersOnly); // a file's readers go on
}

TEST_F(RunEndingTest, AGivenUpRunEndsWithoutWaitingAgainOnPostgreSQL) {
    MakeStation(ThrowawayServer::Get().NewLocation());
    GiveUpWithoutWaitingAgain(BusyNeighbour::Everything);
}
