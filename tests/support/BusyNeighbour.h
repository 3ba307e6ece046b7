#pragma once

#include <QSqlDatabase>
#include <QString>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Another program writing to a Station Database, as the playout system does all
// day: a connection of its own, on a thread of its own, that takes the database's
// write lock (BEGIN IMMEDIATE; on a server, the tables an import writes) and holds
// it for a while.
class BusyNeighbour {
public:
    using Duration = std::chrono::milliseconds;

    enum Lock {
        WritersOnly, // the writers' lock: readers go on
        Everything   // on a server, LogItems taken whole: readers wait too
    };

    explicit BusyNeighbour(const QString& location, Lock lock = WritersOnly)
        : location(location), lock(lock) {}
    ~BusyNeighbour() { Stop(); }
    BusyNeighbour(const BusyNeighbour&) = delete;
    BusyNeighbour& operator=(const BusyNeighbour&) = delete;

    // Takes the write lock once and holds it for `hold`; returns once it is held.
    void HoldFor(Duration hold);
    // Every `every`, takes the write lock, changes a value and holds the lock for
    // `hold` before committing, until stopped.
    void WriteEvery(Duration every, Duration hold);
    // On a server: takes the row of the item at `first`, returns, and after `gap`
    // reaches for the item at `second` before committing. A writer that meanwhile
    // holds `second` and waits for `first` meets a deadlock, which the server breaks
    // by undoing the transaction that has waited longest.
    void CrossLocks(double first, double second, Duration gap);
    // Waits for the neighbour to let go.
    void Stop();
    // Lets go of a lock held now, however long it was to be held, and waits for the
    // neighbour to be done: a test need not sit out a long hold once it has seen
    // what it wanted to.
    void LetGo();
    // How many of its writes were committed.
    int Writes() const { return writes; }

private:
    void start(Duration every, Duration hold, bool once);
    // Runs `work` on the neighbour's thread with a connection of its own, and returns
    // once `work` has said it holds what it takes.
    void onThread(
        const std::function<void(const QSqlDatabase&, bool server, const std::function<void()>& held)>& work);

    QString location;
    Lock lock;
    // Sleeps for `span` or until let go, whichever comes first.
    void hold(Duration span);

    std::thread thread;
    std::atomic<bool> stopping{false};
    std::mutex holding;
    std::condition_variable released;
    bool lettingGo = false;
    std::atomic<int> writes{0};
};
