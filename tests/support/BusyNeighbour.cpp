#include "support/BusyNeighbour.h"

#include <future>
#include <sqlite3.h>

namespace {

bool exec(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace

void BusyNeighbour::HoldFor(Duration hold) {
    start(hold, hold, true);
}

void BusyNeighbour::WriteEvery(Duration every, Duration hold) {
    start(every, hold, false);
}

void BusyNeighbour::start(Duration every, Duration hold, bool once) {
    Stop();
    stopping = false;
    std::promise<void> holding;
    std::future<void> held = holding.get_future();
    thread = std::thread([this, every, hold, once, holding = std::move(holding)]() mutable {
        sqlite3* db = nullptr;
        sqlite3_open(path.toUtf8().constData(), &db);
        sqlite3_busy_timeout(db, 60000); // it waits its turn like any writer
        bool told = false;
        while (!stopping) {
            const auto begun = std::chrono::steady_clock::now();
            if (exec(db, "BEGIN IMMEDIATE") && exec(db, "UPDATE NamedValues SET Value = Value")) {
                if (!told) {
                    holding.set_value();
                    told = true;
                }
                std::this_thread::sleep_for(hold);
                if (exec(db, "COMMIT"))
                    ++writes;
            }
            if (once)
                break;
            std::this_thread::sleep_until(begun + every);
        }
        if (!told)
            holding.set_value();
        sqlite3_close(db);
    });
    held.wait();
}

void BusyNeighbour::Stop() {
    stopping = true;
    if (thread.joinable())
        thread.join();
}
