#include "stationdb/DatabaseError.h"
#include "stationdb/MaintenanceFilter.h"
#include "support/StationFixture.h"

#include <gtest/gtest.h>

class DatabaseMaintenanceTest : public BackendFixture {
protected:
    InfoRow Row(const QString& reference, int source, const QDateTime& updated) {
        InfoRow row;
        row.LastUpdated = updated;
        row.ItemType = 4;
        row.ItemSource = source;
        row.HDReference = reference;
        row.CartNumber = reference.toInt();
        row.Title = u"  untrimmed "_s;
        return row;
    }
};

TEST(MaintenanceFilter, RefusesEverythingElse) {
    const char16_t* refused[] = {
        u"[HDReference]='x' OR '1'='1'",
        u"[HDReference]='12'34'",
        u"ItemType=4",
        u"[ItemType]=4; DROP TABLE Carts",
        u"[Nope]=1",
        u"[ItemType]==4",
        u"[ItemType]=4 AND",
        u"[HDReference]='open",
        u"[LastUpdated]<=#13-45-2011#",
        u"[ItemType] LIKE 4",
        u"[ItemType]=4x",
        u"[ItemType]=(SELECT 1)",
    };
    for (const char16_t* filter : refused) {
        QString problem;
        EXPECT_FALSE(MaintenanceFilter::Parse(QString::fromUtf16(filter), &problem))
            << QString::fromUtf16(filter).toStdString();
        EXPECT_FALSE(problem.isEmpty());
    }
}

TEST_P(DatabaseMaintenanceTest, RowsAreQueriedSavedAndDeleted) {
    DatabaseMaintenance table = db.Maintenance();
    const QDateTime old(QDate(2011, 3, 1), QTime(12, 0));
    ASSERT_TRUE(table.Save(0, Row(u"0034"_s, 2, old)));
    ASSERT_TRUE(table.Save(0, Row(u"0034"_s, 1, old)));
    ASSERT_TRUE(table.Save(0, Row(u"0099"_s, 2, QDateTime(QDate(2011, 3, 9), QTime(8, 0)))));

    auto rows = table.Query(u"[ItemType]=4 AND [HDReference]='0034'"_s, true);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->Count(), 2);
    InfoRow first = *rows->First();
    EXPECT_EQ(first.CartNumber, 34);
    EXPECT_EQ(first.Title, u"  untrimmed ");
    first.ItemSource = 2;
    first.LastUpdated = QDateTime(QDate(2011, 3, 10), QTime(9, 30));
    ASSERT_TRUE(table.Save(first.ID, first));
    EXPECT_EQ(table.Query(u"[ID]="_s + QString::number(first.ID))->First()->LastUpdated, first.LastUpdated);

    auto purge = table.Query(u"[ItemType]=4 AND [ItemSource]=2 AND [LastUpdated]<=#03-07-2011#"_s, 3);
    EXPECT_FALSE(purge); // the old source-2 row was just updated
    ASSERT_TRUE(table.Save(0, Row(u"0500"_s, 2, QDateTime(QDate(2011, 3, 7), QTime(0, 0)))));
    purge = table.Query(u"[ItemType]=4 AND [ItemSource]=2 AND [LastUpdated]<=#03-07-2011#"_s, 3);
    ASSERT_TRUE(purge);
    ASSERT_EQ(purge->Count(), 1); // midnight counts as "not later"
    EXPECT_TRUE(table.Delete(purge->First()->ID));
    EXPECT_FALSE(table.Delete(purge->First()->ID));

    EXPECT_TRUE(table.EmptyDatabase());
    EXPECT_FALSE(table.Query(QString()));
}

TEST_P(DatabaseMaintenanceTest, AQuoteInACartNumberNeitherBreaksNorWidensTheQuery) {
    DatabaseMaintenance table = db.Maintenance();
    ASSERT_TRUE(table.Save(0, Row(u"0034"_s, 2, Now)));
    ASSERT_TRUE(table.Save(0, Row(u"12'34"_s, 2, Now)));
    for (const QString& number : {u"x' OR '1'='1"_s, u"12'34"_s, u"'"_s}) {
        try {
            const auto rows = table.Query(u"[ItemType]=4 AND [HDReference]='"_s + number + u"'"_s, true);
            EXPECT_FALSE(rows.has_value()) << number.toStdString();
        } catch (const DatabaseError& error) {
            EXPECT_TRUE(error.Message().contains(u"refused"_s));
        }
    }
    // Quoted as the grammar wants, it finds exactly its own row.
    const auto rows = table.Query(u"[HDReference]='12''34'"_s);
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->Count(), 1);
    EXPECT_EQ(table.Query(QString())->Count(), 2);
}

TEST_P(DatabaseMaintenanceTest, AStampKeepsOneRowPerCartAndGoesWithTheChangeAroundIt) {
    DatabaseMaintenance table = db.Maintenance();
    const QDateTime old(QDate(2011, 3, 1), QTime(12, 0));
    ASSERT_TRUE(table.Save(0, Row(u"0034"_s, 2, old)));
    ASSERT_TRUE(table.Save(0, Row(u"0034"_s, 1, old)));

    InfoRow stamped = Row(u"0034"_s, 2, Now);
    stamped.Title = u"Stamped"_s;
    ASSERT_TRUE(table.Stamp(stamped)); // both of the cart's rows take its values
    auto rows = table.Query(u"[HDReference]='0034'"_s);
    ASSERT_EQ(rows->Count(), 2);
    for (const InfoRow* row = rows->First(); row; row = rows->Next()) {
        EXPECT_EQ(row->Title, u"Stamped");
        EXPECT_EQ(row->LastUpdated, Now);
    }
    ASSERT_TRUE(table.Stamp(Row(u"0077"_s, 2, Now)));
    ASSERT_TRUE(table.Stamp(Row(u"0077"_s, 2, Now)));
    EXPECT_EQ(table.Query(u"[HDReference]='0077'"_s)->Count(), 1);

    // Stamped in a change that gives up, nothing of it is kept.
    EXPECT_FALSE(db.Change([&](QString& refusal) {
        EXPECT_TRUE(table.Stamp(Row(u"0088"_s, 2, Now)));
        refusal = u"given up"_s;
        return false;
    }));
    EXPECT_FALSE(table.Query(u"[HDReference]='0088'"_s));
}

ON_BOTH_BACKENDS(DatabaseMaintenanceTest);
