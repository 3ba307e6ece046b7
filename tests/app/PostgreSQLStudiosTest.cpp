// Two studios importing at once into one Station Database on a PostgreSQL server,
// each a machine of its own (its own OSTREL_HOME and profile), with a third
// program reading the Scheduled Log all the while.

#include "stationdb/DatabaseLocation.h"
#include "support/ChildProgram.h"
#include "support/TempHome.h"
#include "support/ThrowawayServer.h"
#include "tools/demo/DemoStation.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <atomic>
#include <future>
#include <map>
#include <set>
#include <thread>

namespace {

// Days ahead of the clock the programs run by: no hour of them is on air yet.
const QDate firstDay = QDate::currentDate().addDays(7);

QString at(int day, const QString& time) {
    return firstDay.addDays(day).toString(u"dd/MM/yyyy"_s) + u' ' + time;
}

struct Finished {
    int Code = -1;
    QString Output;
    QString Errors;
};

// What one read of the Scheduled Log saw of each hour: its items, and how many of
// them were pushed adverts.
using HourCounts = std::map<qint64, std::pair<int, int>>;

// Reads the whole Scheduled Log over and over on a connection of its own until
// told to stop, keeping every different count of items it saw for each hour.
class Reader {
public:
    explicit Reader(QString location) : location(std::move(location)) {
        thread = std::thread([this] { readAll(); });
    }
    ~Reader() { Stop(); }
    void Stop() {
        stopping = true;
        if (thread.joinable())
            thread.join();
    }
    std::map<qint64, std::set<std::pair<int, int>>> Seen;
    int Reads = 0;

private:
    void readAll() {
        {
            const QSqlDatabase db = DatabaseLocation::Parse(location).Connect(QStringLiteral("reader"));
            while (!stopping) {
                QSqlQuery query(db);
                query.exec(QStringLiteral("SELECT LogPosition, ItemType, State FROM LogItems"));
                HourCounts hours;
                while (query.next()) {
                    auto& [items, adverts] = hours[qint64(std::floor(query.value(0).toDouble() * 24 + 1e-6))];
                    ++items;
                    adverts += query.value(1).toInt() == 4 && query.value(2).toInt() == 2;
                }
                for (const auto& [hour, counts] : hours)
                    Seen[hour].insert(counts);
                ++Reads;
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("reader"));
    }

    QString location;
    std::thread thread;
    std::atomic<bool> stopping{false};
};

int Count(const QString& output, const QString& line) {
    const qsizetype at = output.indexOf(line);
    return at < 0 ? -1
                  : output.mid(at + line.size()).section(u'\n', 0, 0).trimmed().section(u' ', 0, 0).toInt();
}

} // namespace

class PostgreSQLStudiosTest : public TempHome {
protected:
    void SetUp() override {
        TempHome::SetUp();
        ASSERT_TRUE(outside.isValid() && studioB.isValid());
        ThrowawayServer& server = ThrowawayServer::Get();
        ASSERT_EQ(server.Problem(), QString());
        location = server.NewLocation();
        QString problem;
        ASSERT_TRUE(DemoStation::Create(firstDay, 2, &problem, location)) << problem.toStdString();
        // Studio B's profile opens the same server database; the log files are the
        // station's, named in its settings.
        const Finished made = Start(studioB.path(), QStringLiteral(STATIONDB_EXE),
                                    {u"profile"_s, u"Demo"_s, u"--database"_s, location});
        ASSERT_EQ(made.Code, 0) << made.Errors.toStdString();
    }

    Finished Start(const QString& home, const QString& program, const QStringList& arguments) {
        ChildProgram child(home, outside.path());
        Finished run;
        run.Code = child.Run(program, arguments);
        run.Output = child.Output;
        run.Errors = child.Errors;
        return run;
    }
    Finished Import(const QString& home, const QString& start, const QString& end,
                    const QStringList& more = {}) {
        return Start(home, QStringLiteral(LOGIMPORTER_EXE),
                     QStringList{u"/SCHEDULE"_s, u"/SILENT"_s, u"/QUIT"_s, u"/Profile=Demo"_s,
                                 u"/NOPREVCHECK"_s, u"/START="_s + start, u"/END="_s + end} +
                         more);
    }
    // Both studios at once: A over its range, B over its own.
    std::pair<Finished, Finished> Together(const QString& fromA, const QString& toA, const QString& fromB,
                                           const QString& toB) {
        auto a = std::async(std::launch::async, [&] { return Import(Home(), fromA, toA); });
        auto b = std::async(std::launch::async, [&] { return Import(studioB.path(), fromB, toB); });
        return {a.get(), b.get()};
    }
    QJsonArray ScheduledLog(const QString& at) {
        const Finished dump = Start(Home(), QStringLiteral(STATIONDB_EXE), {u"log"_s, at, u"--json"_s});
        EXPECT_EQ(dump.Code, 0) << dump.Errors.toStdString();
        return QJsonDocument::fromJson(dump.Output.toUtf8()).array();
    }

    QTemporaryDir outside;
    QTemporaryDir studioB;
    QString location;
};

TEST_F(PostgreSQLStudiosTest, TwoStudiosImportingAtOnceLoseNothingAndWriteEachHourOnceAndWhole) {
    Reader reader(location);
    // Different hours: each studio its own half of each day.
    const auto [a1, b1] =
        Together(at(0, u"00:00"_s), at(0, u"11:59"_s), at(1, u"00:00"_s), at(1, u"11:59"_s));
    EXPECT_EQ(a1.Code, 0) << a1.Errors.toStdString();
    EXPECT_EQ(b1.Code, 0) << b1.Errors.toStdString();
    EXPECT_EQ(Count(a1.Output, u"hours written:"_s), 12) << a1.Output.toStdString();
    EXPECT_EQ(Count(b1.Output, u"hours written:"_s), 12) << b1.Output.toStdString();
    // The same hours: both the whole two days, racing for the 24 hours not yet there.
    const auto [a2, b2] =
        Together(at(0, u"00:00"_s), at(1, u"23:59"_s), at(0, u"00:00"_s), at(1, u"23:59"_s));
    reader.Stop();
    EXPECT_EQ(a2.Code, 0) << a2.Errors.toStdString() << a2.Output.toStdString();
    EXPECT_EQ(b2.Code, 0) << b2.Errors.toStdString() << b2.Output.toStdString();
    EXPECT_EQ(Count(a2.Output, u"hours written:"_s) + Count(b2.Output, u"hours written:"_s), 24)
        << a2.Output.toStdString() << b2.Output.toStdString();
    EXPECT_EQ(Count(a2.Output, u"hours already there:"_s) + Count(b2.Output, u"hours already there:"_s), 72);
    EXPECT_EQ(Count(a2.Output, u"hours not written:"_s) + Count(b2.Output, u"hours not written:"_s), 0);

    // Nothing lost: the log is the one a single run into a database of its own makes
    // (named on the command line, as typed: the socket's folder is in lower case).
    const QString alone = ThrowawayServer::Get().NewLocation();
    QString problem;
    ASSERT_TRUE(DemoStation::Create(firstDay, 2, &problem, alone)) << problem.toStdString();
    ASSERT_EQ(Import(studioB.path(), at(0, u"00:00"_s), at(1, u"23:59"_s), {u"/DATABASE="_s + alone}).Code,
              0);
    const QJsonArray together = ScheduledLog(location);
    EXPECT_EQ(together.size(), ScheduledLog(alone).size());
    EXPECT_TRUE(together == ScheduledLog(alone)) << "the Scheduled Logs differ";

    // No hour was ever seen half written: only empty, with its music whole, or
    // with its adverts too, as it finally stands.
    HourCounts last;
    for (const QJsonValue& item : together) {
        const QJsonObject fields = item.toObject();
        const QDateTime start =
            QDateTime::fromString(fields[u"Start"_s].toString(), u"yyyy-MM-dd HH:mm:ss"_s);
        const qint64 hour = (QDate(1899, 12, 30).daysTo(start.date())) * 24 + start.time().hour();
        auto& [items, adverts] = last[hour];
        ++items;
        adverts += fields[u"Type"_s].toInt() == 4 && fields[u"State"_s].toInt() == 2;
    }
    ASSERT_EQ(last.size(), 48u);
    EXPECT_GT(reader.Reads, 10);
    for (const auto& [hour, seen] : reader.Seen) {
        ASSERT_TRUE(last.count(hour)) << hour;
        const auto [items, adverts] = last.at(hour);
        for (const auto& counts : seen)
            EXPECT_TRUE(counts == std::pair(items, adverts) || counts == std::pair(items - adverts, 0))
                << "hour " << hour << " seen with " << counts.first << " items";
    }
}
