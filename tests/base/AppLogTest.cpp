#include "base/AppLog.h"

#include "base/Clock.h"
#include "base/GeneralTools.h"
#include "base/SystemTools.h"
#include "support/TempHome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

class AppLogTest : public TempHome {
protected:
    QString Folder() const { return Path(u"Logs/Log Importer"_s); }
    QString Named(const QString& day, const QString& suffix) const {
        return Folder() + u'/' + day + u'-' + SystemTools::ComputerName() + suffix + u".log"_s;
    }
};

TEST_F(AppLogTest, EachRunOnOneDayWritesAFileOfItsOwn) {
    ASSERT_TRUE(AppLog::OpenAppLog(Folder(), AppLog::Numbered | AppLog::ComputerName));
    EXPECT_EQ(AppLog::FileName(), Named(u"2010-11-23"_s, u"-001"_s));
    WriteAppLog(u"Music"_s, u"Importing log was abandoned."_s);
    WriteAppLog(QString(), u"no category"_s);
    EXPECT_EQ(LinesOf(AppLog::FileName()),
              QStringList({u"Music:Importing log was abandoned."_s, u"no category"_s}));

    AppLog::Reset(); // the next run of the tool
    ASSERT_TRUE(AppLog::OpenAppLog(Folder(), AppLog::Numbered | AppLog::ComputerName));
    EXPECT_EQ(AppLog::FileName(), Named(u"2010-11-23"_s, u"-002"_s));
}

TEST_F(AppLogTest, FollowingTheDateStartsANewFileOnALaterDay) {
    ASSERT_TRUE(AppLog::OpenAppLog(Folder(), AppLog::FollowDate));
    EXPECT_EQ(AppLog::FileName(), Folder() + u"/2010-11-23.log"_s);
    WriteAppLog(u"Music"_s, u"first day"_s);
    Clock::SetFixed(Now.addDays(1));
    WriteAppLog(u"Music"_s, u"second day"_s);
    EXPECT_EQ(LinesOf(Folder() + u"/2010-11-23.log"_s), QStringList{u"Music:first day"_s});
    EXPECT_EQ(LinesOf(Folder() + u"/2010-11-24.log"_s), QStringList{u"Music:second day"_s});
}

TEST_F(AppLogTest, ALogOnAFullDiskLosesItsLinesQuietlyAndWritesAgainWhenThereIsRoom) {
    if (!QFileInfo::exists(u"/dev/full"_s))
        GTEST_SKIP() << "no /dev/full here to stand for a full disk";
    GeneralTools::SetDebugLevel(5);
    ASSERT_TRUE(AppLog::OpenAppLog(Folder(), AppLog::FollowDate));
    ASSERT_TRUE(QDir().mkpath(Path(u"DebugFiles"_s)));
    ASSERT_TRUE(QFile::link(u"/dev/full"_s, Folder() + u"/2010-11-23.log"_s));
    ASSERT_TRUE(QFile::link(u"/dev/full"_s, Path(u"DebugFiles/logimporter.20101123.log"_s)));
    WriteAppLog(u"Music"_s, u"lost on a full disk"_s);
    EXPECT_EQ(Alerts, QStringList());

    Clock::SetFixed(Now.addDays(1)); // the next day's files are on a disk with room
    WriteAppLog(u"Music"_s, u"kept"_s);
    EXPECT_EQ(LinesOf(Folder() + u"/2010-11-24.log"_s), QStringList{u"Music:kept"_s});
    EXPECT_EQ(LinesOf(Path(u"DebugFiles/logimporter.20101124.log"_s)),
              QStringList{u"14:03:22 AppLog: Music:kept"_s});
}
