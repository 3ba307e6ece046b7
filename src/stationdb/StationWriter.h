#pragma once

#include "stationdb/WriteOutcome.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <functional>
#include <memory>

class ServerWatch;

// Every change to one Station Database goes through here, as one transaction
// that starts as a writer (BEGIN IMMEDIATE), so a database kept busy by another
// writer (the playout system, another tool) is waited for from the start. When
// SQLite still reports it busy (or a server's lock wait runs out), the attempt is
// rolled back and the work runs again from its beginning, until the patience is
// spent: a write is whole or not at all.
// The outcome of the last write says how it ended and why.
//
// The patience is a deadline, not a timeout of each statement: one write (all its
// attempts), one read, start-up's reading, each waits at most the patience from its
// first try, however many statements and locks it takes on the way. A stop signal
// (see StopSignal) ends any wait at once: the scheduler that sends it wants the run
// over in seconds, not after half a minute's patience.
class StationWriter {
public:
    // How long a write waits for a busy database before it counts as not written.
    static constexpr int DefaultPatience = 30000; // milliseconds

    explicit StationWriter(const QSqlDatabase& connection);
    ~StationWriter();
    StationWriter(const StationWriter&) = delete;
    StationWriter& operator=(const StationWriter&) = delete;

    // Also how long a single statement waits for a lock outside a write.
    void SetPatience(int milliseconds);
    int Patience() const { return patience; }
    // Waits for a busy database only while `allowed` says so (a run that has given
    // up waits no more); once it does not, what finds the database busy fails at
    // once. Always, when not set.
    void WaitOnlyWhile(std::function<bool()> allowed) { waitsAllowed = std::move(allowed); }

    // One wait for the database: its deadline is the patience from when the scope
    // began. Scopes inside one another are one wait, the outermost's. A read after
    // one that found the database busy (see NoteReadFailure) does not wait again.
    class Wait {
    public:
        enum Kind { Reading, Writing };
        explicit Wait(StationWriter& writer, Kind kind = Reading);
        ~Wait();
        Wait(const Wait&) = delete;
        Wait& operator=(const Wait&) = delete;

    private:
        StationWriter& writer;
    };

    // Runs the work in one writer's transaction. The work returns False to give up;
    // when the database itself had nothing to say, it names why in `refusal`.
    // Inside a transaction already open, it is a savepoint of that one, which does
    // the waiting. True when the work was committed.
    bool Run(const std::function<bool(QString& refusal)>& work);
    // The same for work whose first statements are native ones (see
    // TransactionGuard::QueuedWrite): on a server its transaction's start goes with
    // them, a round trip saved on every hour written.
    bool RunQueued(const std::function<bool(QString& refusal)>& work);
    const WriteOutcome& Last() const { return last; }

    // Reads share the writer's view of the connection: the first read that failed
    // since the last ClearReadFailure, told as a write's failure would be (a read
    // that waited out the patience on a lock is Busy, a lost server Lost).
    void NoteReadFailure();
    const WriteOutcome& ReadFailure() const { return readFailure; }
    void ClearReadFailure() { readFailure = {}; }

private:
    bool run(const std::function<bool(QString& refusal)>& work, int kind);
    bool runNested(const std::function<bool(QString&)>& work);
    // Why the attempt failed, read before its rollback.
    WriteOutcome failure(const QString& refusal) const;
    WriteOutcome serverFailure(const QString& message) const;
    // A failure the database gave no reason for.
    WriteOutcome unexplained() const;
    // A busy database, told as the wait ended: how long it waited, or the stop
    // signal that ended it.
    WriteOutcome told(const WriteOutcome& outcome) const;
    void setBusyTimeout(int milliseconds);

    // The outermost wait begins and ends; a SQLite statement outside any wait
    // begins one of its own at its first busy moment.
    void beginWait(Wait::Kind kind);
    void endWait();
    // SQLite's busy handler: whether to try again (after a short sleep).
    static int onBusy(void* writer, int count);
    bool keepWaiting(int count);
    // Whether a stop signal has ended the wait in hand.
    bool stoppedWaiting() const;

    QSqlDatabase connection;
    int patience = DefaultPatience;
    WriteOutcome last;
    WriteOutcome readFailure;
    std::function<bool()> waitsAllowed;

    int waits = 0; // open Wait scopes
    bool waitAllowed = true;
    QElapsedTimer waiting;
    QDeadlineTimer deadline;
    int serverLockTimeout = -1; // as last set on a server connection
    std::unique_ptr<ServerWatch> watch;
};
