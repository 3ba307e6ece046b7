#include "stationdb/NativeStatement.h"

#include "stationdb/ServerStatement.h"
#include "stationdb/SqliteStatement.h"

std::unique_ptr<NativeStatement> NativeStatement::Prepare(const QSqlDatabase& connection,
                                                          const QString& sql) {
    if (ServerStatement::HandleOf(connection))
        return std::make_unique<ServerStatement>(connection, sql);
    return std::make_unique<SqliteStatement>(connection, sql);
}
