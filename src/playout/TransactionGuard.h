#pragma once

#include <QSqlDatabase>

// One transaction on a connection: committed by Commit(), rolled back on every
// other way out of the scope.
class TransactionGuard {
public:
    explicit TransactionGuard(const QSqlDatabase& connection);
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard&) = delete;
    TransactionGuard& operator=(const TransactionGuard&) = delete;

    bool IsOpen() const { return open; }
    // True when the transaction was open and its changes are now stored.
    bool Commit();

private:
    QSqlDatabase connection;
    bool open = false;
};
