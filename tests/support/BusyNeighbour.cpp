#include "support/BusyNeighbour.h"

#include "stationdb/DatabaseLocation.h"

#include <QSqlQuery>
#include <future>
#include <utility>

namespace {

bool exec(const QSqlDatabase& db, const char* sql) {
    return QSqlQuery(db).exec(QString::fromLatin1(sql));
}

// Takes the database's write lock: SQLite's one writer's lock, or on a server the
// tables an import writes to, which every insert and update then waits for.
bool takeLock(const QSqlDatabase& db, bool server, BusyNeighbour::Lock lock) {
    if (!server)
        return exec(db, "BEGIN IMMEDIATE") && exec(db, "UPDATE NamedValues SET Value = Value");
    if (lock == BusyNeighbour::Everything)
        return exec(db, "BEGIN") && exec(db, "LOCK TABLE LogItems IN ACCESS EXCLUSIVE MODE");
    return exec(db, "BEGIN") && exec(db, "LOCK TABLE LogItems, NamedValues IN EXCLUSIVE MODE") &&
           exec(db, "UPDATE NamedValues SET Value = Value");
}

// Takes an item's row lock without changing it.
bool touch(const QSqlDatabase& db, double position) {
    QSqlQuery query(db);
    query.prepare(QStringLiteral("UPDATE LogItems SET Note = Note WHERE LogPosition = ?"));
    query.addBindValue(position);
    return query.exec() && query.numRowsAffected() == 1;
}

} // namespace

void BusyNeighbour::HoldFor(Duration hold) {
    start(hold, hold, true);
}

void BusyNeighbour::WriteEvery(Duration every, Duration hold) {
    start(every, hold, false);
}

void BusyNeighbour::start(Duration every, Duration hold, bool once) {
    onThread(
        [this, every, hold, once](const QSqlDatabase& db, bool server, const std::function<void()>& held) {
            while (!stopping) {
                const auto begun = std::chrono::steady_clock::now();
                if (takeLock(db, server, lock)) {
                    held();
                    this->hold(hold);
                    if (exec(db, "COMMIT"))
                        ++writes;
                }
                if (once)
                    break;
                std::this_thread::sleep_until(begun + every);
            }
        });
}

void BusyNeighbour::CrossLocks(double first, double second, Duration gap) {
    onThread([this, first, second, gap](const QSqlDatabase& db, bool, const std::function<void()>& held) {
        if (!exec(db, "BEGIN") || !touch(db, first))
            return;
        held();
        std::this_thread::sleep_for(gap);
        if (touch(db, second) && exec(db, "COMMIT"))
            ++writes;
    });
}

void BusyNeighbour::onThread(
    const std::function<void(const QSqlDatabase&, bool, const std::function<void()>&)>& work) {
    Stop();
    stopping = false;
    std::promise<void> holding;
    std::future<void> held = holding.get_future();
    thread = std::thread([work, holding = std::move(holding), location = location]() mutable {
        const QString name = QStringLiteral("neighbour");
        {
            const DatabaseLocation where = DatabaseLocation::Parse(location);
            const QSqlDatabase db = where.Connect(name);
            // It waits its turn like any writer.
            exec(db, where.IsServer() ? "SET lock_timeout = 60000" : "PRAGMA busy_timeout = 60000");
            bool told = false;
            work(db, where.IsServer(), [&] {
                if (!std::exchange(told, true))
                    holding.set_value();
            });
            if (!told)
                holding.set_value();
        }
        QSqlDatabase::removeDatabase(name);
    });
    held.wait();
}

void BusyNeighbour::Stop() {
    stopping = true;
    if (thread.joinable())
        thread.join();
}

void BusyNeighbour::hold(Duration span) {
    std::unique_lock lock(holding);
    released.wait_for(lock, span, [this] { return lettingGo; });
}

void BusyNeighbour::LetGo() {
    {
        const std::lock_guard lock(holding);
        lettingGo = true;
    }
    released.notify_all();
    Stop();
    const std::lock_guard lock(holding);
    lettingGo = false;
}
