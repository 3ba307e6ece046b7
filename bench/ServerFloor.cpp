#include "ServerFloor.h"

#include "stationdb/DatabaseLocation.h"
#include "stationdb/ServerStatement.h"

#include <QElapsedTimer>
#include <QSqlQuery>
#include <QVariant>

#include <libpq-fe.h>
#include <optional>
#include <string>
#include <vector>

namespace {

using Row = std::vector<std::optional<std::string>>;

// One connection to a location, closed when it goes.
class Session {
public:
    explicit Session(const QString& location) : where(DatabaseLocation::Parse(location)) {
        db = where.Connect(name());
        handle = ServerStatement::HandleOf(db);
        if (!handle)
            qFatal("could not reach %s", qPrintable(location));
    }
    ~Session() {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name());
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    PGresult* Execute(const QByteArray& sql) {
        PGresult* result = PQexec(handle, sql.constData());
        const ExecStatusType status = PQresultStatus(result);
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
            qFatal("%s: %s", sql.constData(), PQerrorMessage(handle));
        return result;
    }
    void Run(const QByteArray& sql) { PQclear(Execute(sql)); }
    QString name() const { return QStringLiteral("floor-") + where.Schema(); }

    DatabaseLocation where;
    QSqlDatabase db;
    pg_conn* handle = nullptr;
};

std::vector<Row> readRows(Session& source, const QString& where) {
    PGresult* result =
        source.Execute("SELECT * FROM LogItems WHERE " + where.toUtf8() + " ORDER BY LogPosition");
    std::vector<Row> rows;
    for (int r = 0; r < PQntuples(result); ++r) {
        Row row;
        for (int c = 0; c < PQnfields(result); ++c)
            row.push_back(PQgetisnull(result, r, c) ? std::nullopt
                                                    : std::optional<std::string>(PQgetvalue(result, r, c)));
        rows.push_back(std::move(row));
    }
    PQclear(result);
    return rows;
}

QByteArray marks(std::size_t columns, bool numbered) {
    QByteArray text;
    for (std::size_t c = 1; c <= columns; ++c)
        text += (c > 1 ? ", " : "") + (numbered ? "$" + QByteArray::number(qulonglong(c)) : QByteArray("?"));
    return text;
}

void throughClientLibrary(Session& target, const std::vector<Row>& rows, int perTransaction) {
    const std::size_t columns = rows.front().size();
    PQclear(PQprepare(target.handle, "floor", "INSERT INTO LogItems VALUES (" + marks(columns, true) + ")", 0,
                      nullptr));
    std::vector<const char*> values(columns);
    target.Run("BEGIN");
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (perTransaction > 0 && r > 0 && r % std::size_t(perTransaction) == 0)
            target.Run("COMMIT; BEGIN");
        for (std::size_t c = 0; c < columns; ++c)
            values[c] = rows[r][c] ? rows[r][c]->c_str() : nullptr;
        PGresult* result =
            PQexecPrepared(target.handle, "floor", int(columns), values.data(), nullptr, nullptr, 0);
        if (PQresultStatus(result) != PGRES_COMMAND_OK)
            qFatal("a floor insert failed: %s", PQerrorMessage(target.handle));
        PQclear(result);
    }
    target.Run("COMMIT");
}

// Sends a statement with no values down the pipeline.
void sendPlain(Session& target, const char* sql) {
    if (!PQsendQueryParams(target.handle, sql, 0, nullptr, nullptr, nullptr, nullptr, 0))
        qFatal("%s could not be sent: %s", sql, PQerrorMessage(target.handle));
}

// Reads the results of what was sent up to the pipeline's sync point.
void awaitSync(Session& target) {
    for (;;) {
        PGresult* result = PQgetResult(target.handle);
        if (!result)
            continue; // the end of one statement's results
        const ExecStatusType status = PQresultStatus(result);
        PQclear(result);
        if (status == PGRES_PIPELINE_SYNC)
            return;
        if (status != PGRES_COMMAND_OK)
            qFatal("a bulk floor insert failed: %s", PQerrorMessage(target.handle));
    }
}

void inBulk(Session& target, const std::vector<Row>& rows, int perTransaction) {
    const std::size_t columns = rows.front().size();
    PQclear(PQprepare(target.handle, "floor", "INSERT INTO LogItems VALUES (" + marks(columns, true) + ")", 0,
                      nullptr));
    const std::size_t chunk = perTransaction > 0 ? std::size_t(perTransaction) : rows.size();
    std::vector<const char*> values(columns);
    PQenterPipelineMode(target.handle);
    for (std::size_t first = 0; first < rows.size(); first += chunk) {
        sendPlain(target, "BEGIN");
        for (std::size_t r = first; r < std::min(rows.size(), first + chunk); ++r) {
            for (std::size_t c = 0; c < columns; ++c)
                values[c] = rows[r][c] ? rows[r][c]->c_str() : nullptr;
            if (!PQsendQueryPrepared(target.handle, "floor", int(columns), values.data(), nullptr, nullptr,
                                     0))
                qFatal("a bulk floor insert could not be sent: %s", PQerrorMessage(target.handle));
        }
        sendPlain(target, "COMMIT");
        PQpipelineSync(target.handle);
        awaitSync(target); // the transaction is known kept before the next is sent
    }
    PQexitPipelineMode(target.handle);
}

void throughQtDriver(Session& target, const std::vector<Row>& rows, int perTransaction) {
    const std::size_t columns = rows.front().size();
    QSqlQuery insert(target.db);
    insert.prepare(QString::fromLatin1("INSERT INTO LogItems VALUES (" + marks(columns, false) + ")"));
    target.db.transaction();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (perTransaction > 0 && r > 0 && r % std::size_t(perTransaction) == 0) {
            target.db.commit();
            target.db.transaction();
        }
        for (std::size_t c = 0; c < columns; ++c)
            insert.bindValue(int(c), rows[r][c] ? QVariant(QString::fromStdString(*rows[r][c])) : QVariant());
        if (!insert.exec())
            qFatal("a floor insert failed");
    }
    target.db.commit();
}

} // namespace

double ServerFloor::InsertRows(const QString& from, const QString& where, const QString& to,
                               int perTransaction, Driver driver, int* count) {
    std::vector<Row> rows;
    QString sourceSchema;
    {
        Session source(from);
        rows = readRows(source, where);
        sourceSchema = source.where.Schema();
    }
    if (rows.empty())
        qFatal("the floor found no rows");
    Session target(to);
    target.Run("CREATE SCHEMA " + target.where.Schema().toUtf8());
    target.Run("CREATE TABLE LogItems (LIKE " + sourceSchema.toUtf8() + ".LogItems INCLUDING ALL)");
    QElapsedTimer timer;
    timer.start();
    if (driver == ClientLibrary)
        throughClientLibrary(target, rows, perTransaction);
    else if (driver == Bulk)
        inBulk(target, rows, perTransaction);
    else
        throughQtDriver(target, rows, perTransaction);
    *count = int(rows.size());
    return timer.nsecsElapsed() / 1e9;
}

void ServerFloor::Drop(const QString& location) {
    Session session(location);
    session.Run("DROP SCHEMA IF EXISTS " + session.where.Schema().toUtf8() + " CASCADE");
}
