#pragma once

#include <QSqlDatabase>

// One transaction on a connection: committed by Commit(), rolled back on every
// other way out of the scope. A guard opened while another is open on the same
// connection is a savepoint inside it: committing it keeps its changes for the
// outer transaction, dropping it undoes only its own.
class TransactionGuard {
public:
    explicit TransactionGuard(const QSqlDatabase& connection);
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard&) = delete;
    TransactionGuard& operator=(const TransactionGuard&) = delete;

    bool IsOpen() const { return open; }
    // True when the transaction was open and its changes are now kept.
    bool Commit();

private:
    bool execute(const QString& sql);
    void close();

    QSqlDatabase connection;
    int level = 0; // 1 for the outermost transaction
    bool open = false;
};
