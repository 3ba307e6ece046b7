#include "stationdb/TransactionGuard.h"

#include "stationdb/ServerStatement.h"
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

// A server lets writers of different rows through side by side, but an hour is
// checked as absent and then written: so the writers of one station (one schema)
// take turns, as SQLite's single writer does, waiting for this lock within the
// connection's lock timeout. Readers never take it.
const QString takeWritersTurn = u"SELECT pg_advisory_xact_lock(1819043439, hashtext(current_schema()))"_s;
// A reader's snapshot on a server: every statement sees the database as it stood
// when the first one ran.
const QString beginReading = u"BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY"_s;

// The outermost transaction's start, but a server writer's (which also takes its turn).
QString begin(const QSqlDatabase& connection, TransactionGuard::Kind kind) {
    if (SqliteStatement::HandleOf(connection))
        return kind == TransactionGuard::Read ? u"BEGIN"_s : u"BEGIN IMMEDIATE"_s;
    return beginReading;
}

} // namespace

TransactionGuard::TransactionGuard(const QSqlDatabase& connection, Kind kind) : connection(connection) {
    const int depth = depths().value(connection.connectionName()).open;
    const bool serverWriter = depth == 0 && kind != Read && ServerStatement::HandleOf(connection);
    if (serverWriter && kind == QueuedWrite) {
        // Whether it began and had its turn is known with the work's first answer,
        // which fails with the lock's words when it did not.
        open = usable = ServerStatement::Queue(connection, "BEGIN") &&
                        ServerStatement::Queue(connection, takeWritersTurn.toUtf8());
    } else if (serverWriter) {
        // The BEGIN and the writers' turn in one round trip. A writer that cannot
        // have its turn holds an open transaction that is of no use: it counts as
        // not open, and is rolled back when the guard goes.
        execute(u"BEGIN; "_s + takeWritersTurn);
        const ServerStatement::TransactionState state = ServerStatement::StateOf(connection);
        open = state != ServerStatement::Idle;
        usable = state == ServerStatement::InTransaction;
    } else if (depth == 0) {
        open = execute(begin(connection, kind));
    } else {
        open = execute(u"SAVEPOINT "_s + savepoint(depth + 1));
    }
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
    // Straight on the database's own library: a transaction an hour makes this a
    // hot path, and a generic query costs several times as much.
    if (sqlite3* handle = SqliteStatement::HandleOf(connection))
        return sqlite3_exec(handle, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    if (ServerStatement::HandleOf(connection))
        return ServerStatement::Run(connection, sql.toUtf8());
    QSqlQuery query(connection);
    return query.exec(sql);
}

void TransactionGuard::close() {
    open = false;
    if (--depths()[connection.connectionName()].open == 0)
        depths().remove(connection.connectionName());
}

bool TransactionGuard::Commit() {
    if (!IsOpen())
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
