// A month imported unattended by the program in a child process: killed outright
// while it writes, and read by a second program while it writes. Neither may ever
// see or leave part of an hour or part of a break.

#include "stationdb/LogItem.h"
#include "support/ChildEnvironment.h"
#include "support/TempHome.h"
#include "tools/demo/DemoStation.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

// Days ahead of the clock the program runs by: no hour of them is on air yet.
const QDate firstDay = QDate::currentDate().addDays(7);

// The items of one hour of the Scheduled Log: its hour start first.
struct Hour {
    QList<QJsonObject> Items;
    int Flags() const { return Items.first().value(u"Flags"_s).toInt(); }
};

bool isPushedAdvert(const QJsonObject& item) {
    return item.value(u"Type"_s).toInt() == ItemType::Advert && item.value(u"State"_s).toInt() != 1 &&
           (item.value(u"Flags"_s).toInt() & 3) == 3;
}

qsizetype musicItems(const Hour& hour) {
    return std::count_if(hour.Items.begin(), hour.Items.end(),
                         [](const auto& i) { return !isPushedAdvert(i); });
}

// The hours of a log in play order, by the start text of their hour start. An item
// before any hour start is kept under "" so that it shows up as a fault.
QMap<QString, Hour> hoursOf(const QJsonArray& log) {
    QMap<QString, Hour> hours;
    QString current;
    for (const QJsonValue& value : log) {
        const QJsonObject item = value.toObject();
        if (item.value(u"Type"_s).toInt() == ItemType::HourStart)
            current = item.value(u"Start"_s).toString();
        hours[current].Items.append(item);
    }
    return hours;
}

} // namespace

class ImportCrashSafetyTest : public TempHome {
protected:
    void SetUp() override {
        TempHome::SetUp();
        ASSERT_TRUE(outside.isValid());
        QString problem;
        ASSERT_TRUE(DemoStation::Create(firstDay, 30, &problem)) << problem.toStdString();
        database = DemoStation::DatabasePath();
        pristine = Path(u"pristine.sdb"_s);
        ASSERT_TRUE(QFile::copy(database, pristine));
        ASSERT_EQ(RunImport(), 0);
        reference = Log();
        ASSERT_FALSE(reference.isEmpty());
        referenceHours = hoursOf(reference);
        for (const Hour& hour : referenceHours)
            advertHours += (hour.Flags() & ItemFlag::HasAdverts) ? 1 : 0;
        ASSERT_GT(advertHours, 100);
    }
    void TearDown() override {
        QSqlDatabase::removeDatabase(u"watch"_s);
        TempHome::TearDown();
    }

    void Restore() {
        for (const QString& suffix : {u""_s, u"-wal"_s, u"-shm"_s})
            QFile::remove(database + suffix);
        ASSERT_TRUE(QFile::copy(pristine, database));
    }

    void StartImport(QProcess& process) {
        process.setProcessEnvironment(ChildEnvironment(Home(), outside.path()));
        process.start(QStringLiteral(LOGIMPORTER_EXE),
                      {u"/SCHEDULE"_s, u"/SILENT"_s, u"/QUIT"_s, u"/Profile=Demo"_s, u"/NOPREVCHECK"_s,
                       u"/START="_s + firstDay.toString(u"dd/MM/yyyy"_s) + u" 00:00"_s,
                       u"/END="_s + firstDay.addDays(29).toString(u"dd/MM/yyyy"_s) + u" 23:59"_s});
        ASSERT_TRUE(process.waitForStarted());
    }
    int RunImport() {
        QProcess process;
        StartImport(process);
        EXPECT_TRUE(process.waitForFinished(300000));
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    // The Scheduled Log as the station admin command reads it.
    QJsonArray Log(QString* errors = nullptr) {
        QProcess process;
        process.setProcessEnvironment(ChildEnvironment(Home(), outside.path()));
        process.start(QStringLiteral(STATIONDB_EXE), {u"log"_s, database, u"--json"_s});
        EXPECT_TRUE(process.waitForFinished(120000));
        if (errors)
            *errors = QString::fromLocal8Bit(process.readAllStandardError());
        EXPECT_EQ(process.exitCode(), 0);
        return QJsonDocument::fromJson(process.readAllStandardOutput()).array();
    }

    // One number read through a connection of the test's own.
    int Count(const QString& sql) {
        QSqlDatabase connection = QSqlDatabase::contains(u"watch"_s)
                                      ? QSqlDatabase::database(u"watch"_s)
                                      : QSqlDatabase::addDatabase(u"QSQLITE"_s, u"watch"_s);
        connection.setDatabaseName(database);
        if (!connection.isOpen() && !connection.open())
            return -1;
        QSqlQuery query(connection);
        return query.exec(sql) && query.next() ? query.value(0).toInt() : -1;
    }
    int Hours() { return Count(u"SELECT count(*) FROM LogItems WHERE ItemType = 98"_s); }
    int HoursWithAdverts() {
        return Count(u"SELECT count(*) FROM LogItems WHERE ItemType = 98 AND (Flags & 2) = 2"_s);
    }

    // Every hour in the log is whole: its music items all there, and either all of
    // its adverts (then it is as in the finished log) or none.
    void ExpectWholeHours(const QJsonArray& log) {
        for (const auto& [start, hour] : hoursOf(log).asKeyValueRange()) {
            ASSERT_TRUE(referenceHours.contains(start)) << "items outside any hour: " << start.toStdString();
            const Hour& finished = referenceHours[start];
            EXPECT_EQ(musicItems(hour), musicItems(finished)) << start.toStdString();
            if (hour.Flags() & ItemFlag::HasAdverts)
                EXPECT_EQ(hour.Items, finished.Items) << start.toStdString();
            else
                EXPECT_EQ(musicItems(hour), hour.Items.size())
                    << "adverts without the flag " << start.toStdString();
        }
    }

    // Starts an import, kills it once `reached` holds, and checks what it left.
    void KillWhen(const std::function<bool()>& reached) {
        Restore();
        QProcess process;
        StartImport(process);
        // Waiting is what lets QProcess notice that the child has ended.
        while (!process.waitForFinished(1) && !reached()) {
        }
        ASSERT_EQ(process.state(), QProcess::Running) << "the import finished before the point to kill it";
        process.kill();
        ASSERT_TRUE(process.waitForFinished());
        EXPECT_EQ(Count(u"SELECT count(*) FROM pragma_integrity_check WHERE integrity_check <> 'ok'"_s), 0);
        QSqlDatabase::removeDatabase(u"watch"_s);
        const QJsonArray left = Log();
        EXPECT_LT(left.size(), reference.size());
        ExpectWholeHours(left);

        ASSERT_EQ(RunImport(), 0);
        EXPECT_EQ(Log(), reference);
    }

    QTemporaryDir outside;
    QString database;
    QString pristine;
    QJsonArray reference;
    QMap<QString, Hour> referenceHours;
    int advertHours = 0;
};

TEST_F(ImportCrashSafetyTest, AKilledImportLeavesWholeHoursAndBreaksAndASecondRunFinishesTheMonth) {
    const int hours = int(referenceHours.size());
    KillWhen([&] { return Hours() >= hours / 8; });
    KillWhen([&] { return Hours() >= hours * 5 / 8; });
    KillWhen([&] { return HoursWithAdverts() >= advertHours / 8; });
    KillWhen([&] { return HoursWithAdverts() >= advertHours * 5 / 8; });
}

TEST_F(ImportCrashSafetyTest, AReaderBesideTheImportSeesOnlyWholeHoursAndNoLock) {
    Restore();
    QProcess process;
    StartImport(process);
    int readsWhileWriting = 0;
    // waitForFinished() is true once, when the child is reaped; after that only
    // the state tells that it has ended.
    while (!process.waitForFinished(1) && process.state() == QProcess::Running) {
        QString errors;
        const QJsonArray log = Log(&errors);
        EXPECT_EQ(errors, QString());
        ExpectWholeHours(log);
        readsWhileWriting += process.state() == QProcess::Running ? 1 : 0;
    }
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_GE(readsWhileWriting, 2);
    EXPECT_EQ(Log(), reference);
}
