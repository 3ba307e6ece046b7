#include "support/OtherConnection.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

void ExecOnOtherConnection(const QString& databasePath, const QString& sql) {
    const QString name = QStringLiteral("other");
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        other.setDatabaseName(databasePath);
        ASSERT_TRUE(other.open());
        QSqlQuery query(other);
        EXPECT_TRUE(query.exec(sql)) << query.lastError().text().toStdString();
        other.close();
    }
    QSqlDatabase::removeDatabase(name);
}
