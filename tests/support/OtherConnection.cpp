#include "support/OtherConnection.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

QVariant run(const QString& databasePath, const QString& sql) {
    const QString name = QStringLiteral("other");
    QVariant value;
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        other.setDatabaseName(databasePath);
        EXPECT_TRUE(other.open());
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

void ExecOnOtherConnection(const QString& databasePath, const QString& sql) {
    run(databasePath, sql);
}

QVariant ValueOnOtherConnection(const QString& databasePath, const QString& sql) {
    return run(databasePath, sql);
}
