#pragma once

#include <QSqlDatabase>

// One transaction on a connection: committed by Commit(), rolled back on every
// other way out of the scope. A guard opened while another is open on the same
// connection is a savepoint inside it: committing it keeps its changes for the
// outer transaction, dropping it undoes only its own.
//
// The outermost guard of a writer starts as a writer (BEGIN IMMEDIATE), so that a
// database busy with another writer is waited for by the busy handler from the
// start. A reader's guard starts deferred: a snapshot that takes no write lock and
// never holds the playout system back. A reader's snapshot can never become a
// writer: SQLite would refuse the upgrade at once, without waiting.
//
// On a PostgreSQL server the writers of one station take turns by a lock of the
// server's (see takeWritersTurn), and a reader's snapshot is a read-only,
// repeatable-read transaction. A queued writer's BEGIN and turn are not waited for:
// they go to the server with the work's first native statement that waits (a read,
// or the commit), in one round trip; its work must not run a Qt query before one.
class TransactionGuard {
public:
    enum Kind { Read, Write, QueuedWrite };

    explicit TransactionGuard(const QSqlDatabase& connection, Kind kind = Write);
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard&) = delete;
    TransactionGuard& operator=(const TransactionGuard&) = delete;

    bool IsOpen() const { return open && usable; }
    // True when the transaction was open and its changes are now kept.
    bool Commit();

    // Whether a guard is open on the connection, and whether the outermost one is a
    // reader's snapshot.
    static bool IsOpenOn(const QSqlDatabase& connection);
    static bool IsReadingOn(const QSqlDatabase& connection);

private:
    bool execute(const QString& sql);
    void close();

    QSqlDatabase connection;
    int level = 0; // 1 for the outermost transaction
    bool open = false;
    bool usable = true;
};
