#pragma once

#include "stationdb/NativeStatement.h"

#include <QByteArray>
#include <QList>

struct sqlite3;
struct sqlite3_stmt;

// A statement prepared once on the SQLite connection under a QSqlDatabase.
class SqliteStatement : public NativeStatement {
public:
    SqliteStatement(const QSqlDatabase& connection, const QString& sql);
    ~SqliteStatement() override;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    bool IsValid() const override { return statement != nullptr; }
    void Bind(int index, double value) override;
    void Bind(int index, int value) override;
    void Bind(int index, const QString& value) override;
    bool Step() override;
    bool Failed() const override { return failed; }
    bool Execute() override;
    int Changes() const override;
    void Reset() override;
    double Double(int column) const override;
    int Int(int column) const override;
    QString Text(int column) const override;

    // The SQLite connection under a QSqlDatabase; nullptr for another driver.
    static sqlite3* HandleOf(const QSqlDatabase& connection);

private:
    sqlite3_stmt* statement = nullptr;
    bool failed = false;
    // The texts bound, kept until the statement is reset so that SQLite need not copy them.
    QList<QByteArray> texts;
};
