#pragma once

#include <QByteArray>
#include <QList>
#include <QSqlDatabase>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

// A statement prepared once on the SQLite connection under a QSqlDatabase and run
// many times. The Scheduled Log's single-item reads go through it: walking a long
// log one item at a time is the tool's hottest path, and reading the columns
// straight from SQLite costs a fraction of a generic query.
class SqliteStatement {
public:
    SqliteStatement(const QSqlDatabase& connection, const QString& sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    bool IsValid() const { return statement != nullptr; }

    // Binds by place, counted from 1. An empty text is bound as NULL.
    void Bind(int index, double value);
    void Bind(int index, int value);
    void Bind(int index, const QString& value);
    // The next row; False when there is none (or on an error).
    bool Step();
    // Runs a statement that returns no rows, then resets it; True when it succeeded.
    bool Execute();
    // Rows the last statement changed.
    int Changes() const;
    // Ready to run again, with the bound values cleared.
    void Reset();

    // Columns of the current row, counted from 0.
    double Double(int column) const;
    int Int(int column) const;
    QString Text(int column) const;

    // The SQLite connection under a QSqlDatabase; nullptr for another driver.
    static sqlite3* HandleOf(const QSqlDatabase& connection);

private:
    sqlite3_stmt* statement = nullptr;
    // The texts bound, kept until the statement is reset so that SQLite need not copy them.
    QList<QByteArray> texts;
};
