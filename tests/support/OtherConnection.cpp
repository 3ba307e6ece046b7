#include "support/OtherConnection.h"

#include "stationdb/DatabaseLocation.h"

#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

QVariant run(const QString& location, const QString& sql) {
    const QString name = QStringLiteral("other");
    QVariant value;
    {
        QSqlDatabase other = DatabaseLocation::Parse(location).Connect(name);
        EXPECT_TRUE(other.isOpen()) << other.lastError().text().toStdString();
        QSqlQuery query(other);
        EXPECT_TRUE(query.exec(sql)) << query.lastError().text().toStdString();
        if (query.next())
            value = query.value(0);
        query.finish();
        other.close();
    }
    QSqlDatabase::removeDatabase(name);
    return value;
}

} // namespace

void ExecOnOtherConnection(const QString& location, const QString& sql) {
    run(location, sql);
}

QVariant ValueOnOtherConnection(const QString& location, const QString& sql) {
    return run(location, sql);
}
