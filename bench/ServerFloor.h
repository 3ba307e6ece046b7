#pragma once

#include <QString>

// The fastest the Scheduled Log's rows can be written to a PostgreSQL server with
// none of the tool's logic: the rows an import left in one station's schema,
// inserted again, in their order, into an empty LogItems table of the same make in
// a schema of its own, by one prepared statement, committing every `perTransaction`
// rows (0: one transaction for all). Through the server's client library (libpq),
// or through Qt's driver (QPSQL), to choose between them by measurement; or in
// bulk, the fastest libpq offers: each transaction's BEGIN, rows and COMMIT sent
// at once in pipeline mode, one round trip a transaction.
class ServerFloor {
public:
    enum Driver { ClientLibrary, QtDriver, Bulk };

    // The seconds the insert took, and the rows in `rows`.
    static double InsertRows(const QString& from, const QString& where, const QString& to, int perTransaction,
                             Driver driver, int* rows);
    // Drops the schema of a location, and all it holds.
    static void Drop(const QString& location);
};
