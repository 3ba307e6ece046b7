#pragma once

#include "stationdb/WriteOutcome.h"

#include <QSqlDatabase>
#include <functional>

// Every change to one Station Database goes through here, as one transaction
// that starts as a writer (BEGIN IMMEDIATE), so a database kept busy by another
// writer (the playout system, another tool) is waited for from the start. When
// SQLite still reports it busy (or a server's lock wait runs out), the attempt is
// rolled back and the work runs again from its beginning, until the patience is
// spent: a write is whole or not at all.
// The outcome of the last write says how it ended and why.
class StationWriter {
public:
    // How long a write waits for a busy database before it counts as not written.
    static constexpr int DefaultPatience = 30000; // milliseconds

    explicit StationWriter(const QSqlDatabase& connection);

    // Also how long a single statement waits for a lock outside a write.
    void SetPatience(int milliseconds);
    int Patience() const { return patience; }

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
    void setBusyTimeout(int milliseconds) const;
    // The words of a wait that ran out.
    QString stayedBusy(const QString& words) const;

    QSqlDatabase connection;
    int patience = DefaultPatience;
    WriteOutcome last;
    WriteOutcome readFailure;
};
