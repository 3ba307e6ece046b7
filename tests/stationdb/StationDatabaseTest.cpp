#include "stationdb/DatabaseChooser.h"
#include "stationdb/StationSchema.h"
#include "support/OtherConnection.h"
#include "support/StationFixture.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>

class StationDatabaseTest : public StationFixture {};

TEST_F(StationDatabaseTest, OpeningRefusesWhatIsNotAStationDatabaseAndChangesNothing) {
    StationDatabase other;
    EXPECT_EQ(other.OpenLocation(Path(u"missing.sdb"_s)), StationDatabase::Missing);
    EXPECT_FALSE(QFileInfo::exists(Path(u"missing.sdb"_s)));

    const QByteArray text = "+23/11/10 14:00 Drive\r\nnot a database at all\r\n";
    WriteFile(Path(u"text.sdb"_s), text);
    EXPECT_EQ(other.OpenLocation(Path(u"text.sdb"_s)), StationDatabase::NotAStationDatabase);
    EXPECT_EQ(BytesOf(Path(u"text.sdb"_s)), text);
    EXPECT_FALSE(other.IsOpen());

    {
        QSqlDatabase plain = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"plain"_s);
        plain.setDatabaseName(Path(u"plain.sdb"_s));
        ASSERT_TRUE(plain.open());
        QSqlQuery(plain).exec(u"CREATE TABLE Something (A INTEGER)"_s);
        plain.close();
    }
    QSqlDatabase::removeDatabase(u"plain"_s);
    const QByteArray before = BytesOf(Path(u"plain.sdb"_s));
    EXPECT_EQ(other.OpenLocation(Path(u"plain.sdb"_s)), StationDatabase::NotAStationDatabase);
    EXPECT_EQ(BytesOf(Path(u"plain.sdb"_s)), before);

    Exec(u"UPDATE SchemaInfo SET Version = 99"_s);
    EXPECT_EQ(other.OpenLocation(DatabasePath()), StationDatabase::NewerSchema);
    EXPECT_TRUE(other.OpenProblem().contains(u"newer"_s));
}

TEST_F(StationDatabaseTest, EveryEarlierSchemaIsBroughtForwardOnOpen) {
    db.Close();
    for (int version = 1; version < StationSchema::CurrentVersion; ++version) {
        const QString old = Path(u"old%1.sdb"_s.arg(version));
        {
            QSqlDatabase made = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"old"_s);
            made.setDatabaseName(old);
            ASSERT_TRUE(made.open());
            ASSERT_TRUE(StationSchema::Migrate(made, 0, version));
            made.close();
        }
        QSqlDatabase::removeDatabase(u"old"_s);
        ASSERT_EQ(db.OpenLocation(old), StationDatabase::Opened) << version;
        EXPECT_TRUE(db.SetValue(u"Adverts.InfoLastUpdated"_s, u"now"_s)); // a table of step 2
        EXPECT_FALSE(db.Maintenance().Query(QString()).has_value());
        EXPECT_EQ(db.DatabaseInfo().Name, u"old%1"_s.arg(version));
        db.Close();
        EXPECT_EQ(ValueOnOtherConnection(old, u"SELECT Version FROM SchemaInfo"_s).toInt(),
                  StationSchema::CurrentVersion);
        EXPECT_EQ(ValueOnOtherConnection(old, u"SELECT count(*) FROM sqlite_master WHERE name = "
                                              u"'HoursWithAdverts'"_s)
                      .toInt(),
                  1); // the last step's index
    }
}

TEST_F(StationDatabaseTest, QtsSqliteAndOursMustBeOneLibrary) {
    EXPECT_TRUE(db.IsOpen()); // as it is in this build
    const QString mismatch = StationDatabase::LibraryMismatch(u"3.7.17"_s, u"elsewhere"_s);
    EXPECT_TRUE(mismatch.startsWith(u"Qt's SQLite driver runs SQLite 3.7.17, but"_s))
        << mismatch.toStdString();
}
