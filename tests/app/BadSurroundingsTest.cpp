// The unattended import in surroundings a station does not mean to give it: a
// database file that is damaged or read-only, a log folder it may not read, a full
// disk under its debug file. Each run says what is wrong and changes nothing.

#include "stationdb/StationDatabase.h"
#include "support/ChildProgram.h"
#include "support/TempHome.h"
#include "tools/demo/DemoStation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

class BadSurroundingsTest : public TempHome {
protected:
    void SetUp() override {
        TempHome::SetUp();
        ASSERT_TRUE(outside.isValid());
        QString problem;
        ASSERT_TRUE(DemoStation::Create(QDate(2010, 11, 24), 2, &problem)) << problem.toStdString();
        database = DemoStation::DatabasePath();
        StationDatabase db;
        ASSERT_EQ(db.OpenLocation(database), StationDatabase::Opened);
        musicFolder = db.Settings().MusicLogsDirectory();
    }

    int Import(const QStringList& more = {}) {
        return child.Run(QStringLiteral(LOGIMPORTER_EXE),
                         QStringList{u"/SCHEDULE"_s, u"/SILENT"_s, u"/QUIT"_s, u"/Profile=Demo"_s,
                                     u"/NOPREVCHECK"_s, u"/START=24/11/2010 00:00"_s,
                                     u"/END=25/11/2010 23:59"_s} +
                             more);
    }
    // The hour starts in the Scheduled Log, read as the station admin command reads them.
    int HoursInLog() {
        ChildProgram reader(Home(), outside.path());
        EXPECT_EQ(reader.Run(QStringLiteral(STATIONDB_EXE), {u"log"_s, database, u"--json"_s}), 0)
            << reader.Errors.toStdString();
        const QJsonArray log = QJsonDocument::fromJson(reader.Output.toUtf8()).array();
        return int(std::count_if(log.begin(), log.end(), [](const QJsonValue& item) {
            return item.toObject().value(u"Type"_s).toInt() == 98;
        }));
    }
    QString ApplicationLog() const {
        const qsizetype at = child.Output.indexOf(u"Application log: "_s);
        return at < 0 ? QString() : child.Output.mid(at + 17).section(u'\n', 0, 0);
    }

    QTemporaryDir outside;
    ChildProgram child{Home(), outside.path()};
    QString database;
    QString musicFolder;
};

TEST_F(BadSurroundingsTest, ADatabaseFileThatIsNotWholeIsRefusedWithWhyAndLeftAsItWas) {
    const QByteArray whole = BytesOf(database);
    const QList<std::pair<QByteArray, QString>> cases = {
        {QByteArray(), u"is empty"_s},
        {"+24/11/10 14:00 Drive\r\nnot a database at all\r\n", u"is not a database file"_s},
        {whole.left(whole.size() / 2),
         u"is cut short: it holds %1 of the %2 bytes"_s.arg(whole.size() / 2).arg(whole.size())},
        {whole.left(whole.size() - 4096), u"is cut short"_s},
    };
    for (const auto& [bytes, why] : cases) {
        WriteFile(database, bytes);
        EXPECT_EQ(Import(), 1) << why.toStdString();
        EXPECT_TRUE(child.Errors.contains(u"the Station Database could not be opened: '"_s + database +
                                          u"' "_s + why))
            << child.Errors.toStdString();
        EXPECT_EQ(BytesOf(database), bytes) << why.toStdString();
    }
}

TEST_F(BadSurroundingsTest, AReadOnlyDatabaseIsRefusedBeforeAnythingIsImported) {
    child.Unprivileged();
    const QByteArray before = BytesOf(database);
    ASSERT_TRUE(QFile::setPermissions(database, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                    QFileDevice::ReadOther));
    EXPECT_EQ(Import(), 1);
    EXPECT_TRUE(child.Errors.contains(u"the Station Database '"_s + database +
                                      u"' is read-only, so nothing can be imported into it"_s))
        << child.Errors.toStdString();
    EXPECT_EQ(BytesOf(database), before);
    EXPECT_EQ(HoursInLog(), 0);
}

TEST_F(BadSurroundingsTest, ADatabaseInAFolderThatCannotBeWrittenIsToldAsSuchNotAsAStrangeFile) {
    child.Unprivileged();
    const QString folder = QFileInfo(database).absolutePath();
    const QFileDevice::Permissions readAndEnter = QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                  QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                                  QFileDevice::ReadOther | QFileDevice::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(folder, readAndEnter));
    EXPECT_EQ(Import(), 1);
    QFile::setPermissions(folder, readAndEnter | QFileDevice::WriteOwner);
    EXPECT_TRUE(child.Errors.contains(u"'"_s + database + u"' cannot be read, as its folder '"_s + folder +
                                      u"' cannot be written to and the database keeps its journal there"_s))
        << child.Errors.toStdString();
    EXPECT_EQ(HoursInLog(), 0);
}

TEST_F(BadSurroundingsTest, AMusicFolderThatCannotBeReadIsReportedDayByDayAndNothingIsWritten) {
    child.Unprivileged();
    ASSERT_TRUE(QFile::setPermissions(musicFolder, {}));
    EXPECT_EQ(Import(), 5) << child.Errors.toStdString(); // a warning, not a success
    EXPECT_EQ(child.Errors.count(u"warning: no music log was found for "_s), 2) << child.Errors.toStdString();
    QFile::setPermissions(musicFolder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QStringList lines = LinesOf(ApplicationLog());
    EXPECT_TRUE(lines.contains(u"Music:Log for Wednesday, 24 November 2010 ('"_s + musicFolder +
                               u"/M101124.txt') could not be found."_s))
        << lines.join(u'\n').toStdString();
    EXPECT_TRUE(lines.contains(u"Music:Log for Thursday, 25 November 2010 ('"_s + musicFolder +
                               u"/M101125.txt') could not be found."_s));
    EXPECT_EQ(HoursInLog(), 0);
}
