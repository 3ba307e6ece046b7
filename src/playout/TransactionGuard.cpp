#include "playout/TransactionGuard.h"

#include <QHash>
#include <QSqlQuery>

using namespace Qt::Literals::StringLiterals;

namespace {

// How many guards are open on each connection.
QHash<QString, int>& depths() {
    static QHash<QString, int> open;
    return open;
}

QString savepoint(int level) {
    return u"Guard%1"_s.arg(level);
}

} // namespace

TransactionGuard::TransactionGuard(const QSqlDatabase& connection) : connection(connection) {
    const int depth = depths().value(connection.connectionName());
    open = depth == 0 ? this->connection.transaction() : execute(u"SAVEPOINT "_s + savepoint(depth + 1));
    if (open)
        level = ++depths()[connection.connectionName()];
}

TransactionGuard::~TransactionGuard() {
    if (!open)
        return;
    if (level == 1)
        connection.rollback();
    else
        execute(u"ROLLBACK TO SAVEPOINT "_s + savepoint(level)) &&
            execute(u"RELEASE SAVEPOINT "_s + savepoint(level));
    close();
}

bool TransactionGuard::execute(const QString& sql) {
    QSqlQuery query(connection);
    return query.exec(sql);
}

void TransactionGuard::close() {
    open = false;
    if (--depths()[connection.connectionName()] == 0)
        depths().remove(connection.connectionName());
}

bool TransactionGuard::Commit() {
    if (!open)
        return false;
    const bool kept = level == 1 ? connection.commit() : execute(u"RELEASE SAVEPOINT "_s + savepoint(level));
    if (!kept)
        return false; // the destructor rolls back
    close();
    return true;
}
