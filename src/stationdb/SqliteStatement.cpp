#include "stationdb/SqliteStatement.h"

#include <QSqlDriver>
#include <QVariant>

#include <sqlite3.h>

sqlite3* SqliteStatement::HandleOf(const QSqlDatabase& connection) {
    const QVariant handle = connection.driver() ? connection.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

SqliteStatement::SqliteStatement(const QSqlDatabase& connection, const QString& sql) {
    sqlite3* db = HandleOf(connection);
    const QByteArray text = sql.toUtf8();
    if (!db || sqlite3_prepare_v3(db, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT,
                                  &statement, nullptr) != SQLITE_OK)
        statement = nullptr;
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(statement);
}

void SqliteStatement::Bind(int index, double value) {
    sqlite3_bind_double(statement, index, value);
}

void SqliteStatement::Bind(int index, int value) {
    sqlite3_bind_int(statement, index, value);
}

bool SqliteStatement::Step() {
    const int code = statement ? sqlite3_step(statement) : SQLITE_ERROR;
    failed = code != SQLITE_ROW && code != SQLITE_DONE;
    return code == SQLITE_ROW;
}

void SqliteStatement::Reset() {
    if (!statement)
        return;
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    texts.clear();
}

double SqliteStatement::Double(int column) const {
    return sqlite3_column_double(statement, column);
}

int SqliteStatement::Int(int column) const {
    return sqlite3_column_int(statement, column);
}

QString SqliteStatement::Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(statement, column)) : QString();
}

void SqliteStatement::Bind(int index, const QString& value) {
    if (value.isEmpty()) {
        sqlite3_bind_null(statement, index);
        return;
    }
    texts.append(value.toUtf8());
    sqlite3_bind_text(statement, index, texts.last().constData(), int(texts.last().size()), SQLITE_STATIC);
}

bool SqliteStatement::Execute() {
    const bool done = statement && sqlite3_step(statement) == SQLITE_DONE;
    Reset();
    return done;
}

int SqliteStatement::Changes() const {
    return statement ? sqlite3_changes(sqlite3_db_handle(statement)) : 0;
}
