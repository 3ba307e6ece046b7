#pragma once

#include <QSqlDatabase>
#include <QString>
#include <memory>

// A statement prepared once straight on the database's own client library, under
// the connection Qt's driver keeps, and run many times. The Scheduled Log's item
// reads and writes go through it: walking a long log one item at a time and
// writing an hour item by item are the tool's hottest paths, and a generic query
// costs several times as much per row.
class NativeStatement {
public:
    virtual ~NativeStatement() = default;

    // The statement for the connection's driver (SQLite or PostgreSQL); values are
    // marked ? in the text and bound by place, counted from 1.
    static std::unique_ptr<NativeStatement> Prepare(const QSqlDatabase& connection, const QString& sql);

    virtual bool IsValid() const = 0;
    // An empty text is bound as NULL.
    virtual void Bind(int index, double value) = 0;
    virtual void Bind(int index, int value) = 0;
    virtual void Bind(int index, const QString& value) = 0;
    // The next row; False when there is none (or on an error).
    virtual bool Step() = 0;
    // Whether the last Step ended on an error rather than after the last row: a
    // read that failed must never be taken for one that found nothing.
    virtual bool Failed() const = 0;
    // Runs a statement that returns no rows, then resets it; True when it succeeded.
    virtual bool Execute() = 0;
    // The same for a write whose end need not be waited for: on a server the
    // statements so queued go together, and whether they succeeded is known at the
    // connection's next round trip (the transaction's end at the latest, which then
    // fails with the first one's words). False only when it could not be sent.
    virtual bool Queue() { return Execute(); }
    // Rows the last statement changed.
    virtual int Changes() const = 0;
    // Ready to run again, with the bound values cleared.
    virtual void Reset() = 0;

    // Columns of the current row, counted from 0; NULL reads as 0 or empty.
    virtual double Double(int column) const = 0;
    virtual int Int(int column) const = 0;
    virtual QString Text(int column) const = 0;
};
