#pragma once

#include "stationdb/NativeStatement.h"

#include <QByteArray>
#include <QList>
#include <vector>

struct pg_conn;
struct pg_result;

// A statement prepared once on the PostgreSQL connection under a QSqlDatabase,
// through the server's own client library: each run sends only the statement's
// name and its values (the extended protocol), where Qt's driver sends a whole
// EXECUTE statement with the values written into its text for the server to parse.
class ServerStatement : public NativeStatement {
public:
    ServerStatement(const QSqlDatabase& connection, const QString& sql);
    ~ServerStatement() override;
    ServerStatement(const ServerStatement&) = delete;
    ServerStatement& operator=(const ServerStatement&) = delete;

    bool IsValid() const override { return valid; }
    void Bind(int index, double value) override;
    void Bind(int index, int value) override;
    void Bind(int index, const QString& value) override;
    bool Step() override;
    bool Failed() const override { return failed; }
    bool Execute() override;
    bool Queue() override;
    int Changes() const override { return changes; }
    void Reset() override;
    double Double(int column) const override;
    int Int(int column) const override;
    QString Text(int column) const override;

    // The PostgreSQL connection under a QSqlDatabase; nullptr for another driver.
    static pg_conn* HandleOf(const QSqlDatabase& connection);
    // Runs SQL with no values straight on a server connection; True when it succeeded.
    static bool Run(const QSqlDatabase& connection, const QByteArray& sql);
    // Sends one statement with no values to run with the next ones, as Queue does;
    // False only when it could not be sent.
    static bool Queue(const QSqlDatabase& connection, const QByteArray& sql);
    // The server's message about the last thing that failed on the connection.
    static QString LastProblem(const QSqlDatabase& connection);
    // Whether the connection is inside a transaction, and whether that has failed.
    enum TransactionState { Idle, InTransaction, InFailedTransaction };
    static TransactionState StateOf(const QSqlDatabase& connection);

private:
    // Waits for the statements queued on the connection (pipeline mode), and leaves
    // the pipeline; False when any of them failed (its words kept for LastProblem).
    static bool finishQueued(pg_conn* handle, pg_result** last = nullptr);
    bool prepare();
    // Prepared, or prepared now; see freshFailure.
    bool ready();
    bool run();
    void bindText(int index, QByteArray text);
    // The values bound, as the client library takes them (null for SQL's NULL).
    std::vector<const char*> boundTexts() const;
    const char* value(int column) const;

    pg_conn* handle = nullptr;
    QByteArray name;
    QByteArray text; // with its places numbered
    bool valid = false;
    // The values bound, as text, by place; a null array (an empty text, or a place
    // not bound since the last reset) is SQL's NULL.
    QList<QByteArray> values;
    pg_result* result = nullptr;
    int row = -1;
    int changes = 0;
    bool failed = false;
    // Its preparing failed as it was made, and it has not been run since.
    bool freshFailure = false;
};
