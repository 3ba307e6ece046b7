#pragma once

#include <QString>
#include <atomic>
#include <chrono>
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
    // Waits for the neighbour to let go.
    void Stop();
    // How many of its writes were committed.
    int Writes() const { return writes; }

private:
    void start(Duration every, Duration hold, bool once);

    QString location;
    Lock lock;
    std::thread thread;
    std::atomic<bool> stopping{false};
    std::atomic<int> writes{0};
};
