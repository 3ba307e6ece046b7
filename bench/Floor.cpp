#include "Floor.h"

#include "base/TextFileReader.h"

#include <QElapsedTimer>

#include <algorithm>
#include <sqlite3.h>
#include <vector>

namespace {

// One database connection, closed when it goes.
class Connection {
public:
    explicit Connection(const QString& path) {
        if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
            qFatal("could not open %s", qPrintable(path));
    }
    ~Connection() { sqlite3_close(db); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void Execute(const QByteArray& sql) {
        if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            qFatal("%s: %s", sql.constData(), sqlite3_errmsg(db));
    }
    sqlite3_stmt* Prepare(const QByteArray& sql) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) != SQLITE_OK)
            qFatal("%s: %s", sql.constData(), sqlite3_errmsg(db));
        return statement;
    }

private:
    sqlite3* db = nullptr;
};

using Row = std::vector<sqlite3_value*>;

std::vector<Row> readRows(Connection& source, const QString& where) {
    sqlite3_stmt* select =
        source.Prepare("SELECT * FROM LogItems WHERE " + where.toUtf8() + " ORDER BY LogPosition");
    std::vector<Row> rows;
    while (sqlite3_step(select) == SQLITE_ROW) {
        Row row;
        for (int c = 0; c < sqlite3_column_count(select); ++c)
            row.push_back(sqlite3_value_dup(sqlite3_column_value(select, c)));
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(select);
    return rows;
}

QByteArray tableSql(Connection& source) {
    sqlite3_stmt* schema = source.Prepare("SELECT sql FROM sqlite_master WHERE name = 'LogItems'");
    QByteArray sql;
    if (sqlite3_step(schema) == SQLITE_ROW)
        sql = reinterpret_cast<const char*>(sqlite3_column_text(schema, 0));
    sqlite3_finalize(schema);
    return sql;
}

} // namespace

double Floor::InsertRows(const QString& from, const QString& already, const QString& where, const QString& to,
                         int perTransaction, int* count) {
    Connection source(from);
    std::vector<Row> rows = readRows(source, where);
    std::vector<Row> earlier = already.isEmpty() ? std::vector<Row>() : readRows(source, already);
    Connection target(to);
    target.Execute("PRAGMA journal_mode=WAL");
    target.Execute("PRAGMA synchronous=NORMAL");
    target.Execute(tableSql(source));
    const int columns = rows.empty() ? 0 : int(rows.front().size());
    QByteArray marks = "?";
    for (int c = 1; c < columns; ++c)
        marks += ", ?";
    sqlite3_stmt* insert = target.Prepare("INSERT INTO LogItems VALUES (" + marks + ")");
    const auto put = [&](const Row& row) {
        for (int c = 0; c < columns; ++c)
            sqlite3_bind_value(insert, c + 1, row[size_t(c)]);
        if (sqlite3_step(insert) != SQLITE_DONE)
            qFatal("a floor insert failed");
        sqlite3_reset(insert);
    };
    target.Execute("BEGIN");
    std::for_each(earlier.cbegin(), earlier.cend(), put);
    target.Execute("COMMIT");

    QElapsedTimer timer;
    timer.start();
    target.Execute("BEGIN");
    for (size_t r = 0; r < rows.size(); ++r) {
        if (perTransaction > 0 && r > 0 && r % size_t(perTransaction) == 0)
            target.Execute("COMMIT; BEGIN");
        put(rows[r]);
    }
    target.Execute("COMMIT");
    const double seconds = timer.nsecsElapsed() / 1e9;

    sqlite3_finalize(insert);
    for (std::vector<Row>* list : {&rows, &earlier})
        for (Row& row : *list)
            for (sqlite3_value* value : row)
                sqlite3_value_free(value);
    *count = int(rows.size());
    return seconds;
}

double Floor::ReadLines(const QStringList& files) {
    QElapsedTimer timer;
    timer.start();
    qint64 lines = 0;
    for (const QString& path : files) {
        TextFileReader reader;
        reader.Open(path);
        QString line;
        while (reader.NextLine(line))
            ++lines;
    }
    if (lines == 0)
        qFatal("the floor read no lines");
    return timer.nsecsElapsed() / 1e9;
}
