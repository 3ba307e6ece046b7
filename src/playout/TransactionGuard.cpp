#include "playout/TransactionGuard.h"

TransactionGuard::TransactionGuard(const QSqlDatabase& connection) : connection(connection) {
    open = this->connection.transaction();
}

TransactionGuard::~TransactionGuard() {
    if (open)
        connection.rollback();
}

bool TransactionGuard::Commit() {
    if (!open)
        return false;
    open = false;
    if (connection.commit())
        return true;
    connection.rollback();
    return false;
}
