#include "stationdb/TransactionGuard.h"

#include "stationdb/SqliteStatement.h"

#include <QHash>
#include <QSqlQuery>

#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Depth {
    int open = 0;
    TransactionGuard::Kind outermost = TransactionGuard::Write;
};

// The guards open on each connection.
QHash<QString, Depth>& depths() {
    static QHash<QString, Depth> open;
    return open;
}

QString savepoint(int level) {
    return u"Guard%1"_s.arg(level);
}

} // namespace

TransactionGuard::TransactionGuard(const QSqlDatabase& connection, Kind kind) : connection(connection) {
    const int depth = depths().value(connection.connectionName()).open;
    if (depth == 0)
        open = execute(kind == Write ? u"BEGIN IMMEDIATE"_s : u"BEGIN"_s);
    else
        open = execute(u"SAVEPOINT "_s + savepoint(depth + 1));
    if (!open)
        return;
    Depth& entry = depths()[connection.connectionName()];
    if (depth == 0)
        entry.outermost = kind;
    level = ++entry.open;
}

TransactionGuard::~TransactionGuard() {
    if (!open)
        return;
    if (level == 1)
        execute(u"ROLLBACK"_s);
    else
        execute(u"ROLLBACK TO SAVEPOINT "_s + savepoint(level)) &&
            execute(u"RELEASE SAVEPOINT "_s + savepoint(level));
    close();
}

bool TransactionGuard::execute(const QString& sql) {
    // Straight on SQLite where the connection is one: a transaction an hour makes
    // this a hot path, and a generic query costs several times as much.
    if (sqlite3* handle = SqliteStatement::HandleOf(connection))
        return sqlite3_exec(handle, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    QSqlQuery query(connection);
    return query.exec(sql);
}

void TransactionGuard::close() {
    open = false;
    if (--depths()[connection.connectionName()].open == 0)
        depths().remove(connection.connectionName());
}

bool TransactionGuard::Commit() {
    if (!open)
        return false;
    const bool kept = execute(level == 1 ? u"COMMIT"_s : u"RELEASE SAVEPOINT "_s + savepoint(level));
    if (!kept)
        return false; // the destructor rolls back
    close();
    return true;
}

bool TransactionGuard::IsOpenOn(const QSqlDatabase& connection) {
    return depths().contains(connection.connectionName());
}

bool TransactionGuard::IsReadingOn(const QSqlDatabase& connection) {
    const auto found = depths().constFind(connection.connectionName());
    return found != depths().cend() && found->outermost == Read;
}
