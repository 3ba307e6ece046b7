// The station the README sets up from the command line, checked before and after
// its carts arrive.

#include "base/ScheduleDateTools.h"
#include "importers/advert/AdvertLineLayout.h"
#include "playout/PlayoutGeneral.h"
#include "support/Columns.h"
#include "support/ProgramHome.h"
#include "support/ReadmeInstalling.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

class ReadmeStationTest : public ProgramHome {
protected:
    int Stationdb(const QStringList& arguments) { return Run(QStringLiteral(STATIONDB_EXE), arguments); }
    int Logimporter(const QStringList& arguments) { return Run(QStringLiteral(LOGIMPORTER_EXE), arguments); }
    // The table's line of an hour of the day: its state and what to look at.
    QString Line(int hour) const {
        const QString start =
            ScheduleDateTools::FormatScheduleDate({ScheduleDateTools::DaySerial(day), float(hour * 3600)}, 4);
        const qsizetype at = Output.indexOf(start);
        return at < 0 ? QString() : Output.mid(at, Output.indexOf(u'\n', at) - at);
    }

    // Tomorrow's logs: two hours of fourteen songs (carts 1000-1013) and a break at
    // minute 15 sold four adverts (carts 5000-5003) of 30 s.
    void WriteLogs() {
        QStringList music;
        QStringList adverts;
        for (const int hour : {6, 7}) {
            music.append(
                u"+%1 %2:00 Breakfast"_s.arg(day.toString(u"dd/MM/yy"_s)).arg(hour, 2, 10, QLatin1Char('0')));
            for (int song = 0; song < 14; ++song)
                music.append(Columns({{1, u"L"_s}, {2, QString::number(1000 + song)}, {80, u"X"_s}}));
            music.append(Columns({{1, u":"_s}, {15, u"BREAK 00:15:00"_s}}));
            for (int n = 0; n < 4; ++n)
                adverts.append(AdvertLineLayout::BuildAdvertLine(
                    u"%1:15:00"_s.arg(hour, 2, 10, QLatin1Char('0')), u"SPOT"_s, QString::number(5000 + n),
                    {}, u"REF"_s, 30, false, {}));
        }
        QDir().mkpath(Path(u"logs/music"_s));
        QDir().mkpath(Path(u"logs/adverts"_s));
        WriteFile(Path(u"logs/music/M"_s + day.toString(u"yyMMdd"_s) + u".txt"_s),
                  (music.join(u"\r\n"_s) + u"\r\n"_s).toLatin1());
        WriteFile(Path(u"logs/adverts/AD"_s + day.toString(u"ddMMyy"_s) + u".txt"_s),
                  (adverts.join(u"\r\n"_s) + u"\r\n"_s).toLatin1());
    }

    const QDate day = QDate::currentDate().addDays(1);
};

TEST_F(ReadmeStationTest, WithoutItsCartsTheCheckNamesMissingAudioAndOnceTheyAreImportedTheHoursAreReady) {
    PlayoutGeneral playout;
    const QString db = playout.Folder(PlayoutGeneral::StationDatabases) + u"/Hub FM.sdb"_s;
    // The README's lines, as a reader copies them: each works, and none warns.
    const QStringList lines = ReadmeInstalling::Lines();
    ASSERT_EQ(lines.filter(QRegularExpression(u"^as stationdb (create|profile|settings) "_s)).size(), 3)
        << lines.join(u'\n').toStdString();
    ASSERT_EQ(Run(u"/bin/bash"_s,
                  {u"-c"_s, ReadmeInstalling::Script(Home(), Path(u"logs"_s),
                                                     QFileInfo(QStringLiteral(STATIONDB_EXE)).path())}),
              0)
        << Errors.toStdString();
    EXPECT_EQ(Errors, QString());
    WriteLogs();
    const QString date = day.toString(u"dd/MM/yyyy"_s);
    ASSERT_EQ(Logimporter({u"/SCHEDULE"_s, u"/SILENT"_s, u"/QUIT"_s, u"/Profile=Studio1"_s, u"/NOPREVCHECK"_s,
                           u"/START="_s + date + u" 06:00"_s, u"/END="_s + date + u" 07:59"_s}),
              0)
        << Errors.toStdString() << Output.toStdString();
    EXPECT_TRUE(Output.contains(u"items missing audio:      36"_s)) << Output.toStdString();

    const QStringList check{u"/CHECK"_s, u"/SILENT"_s, u"/Profile=Studio1"_s, u"/NOPREVCHECK"_s};
    EXPECT_EQ(Logimporter(check), 6);
    EXPECT_TRUE(Line(6).contains(u"  missing audio  "_s)) << Output.toStdString();
    EXPECT_TRUE(Line(7).endsWith(u"no audio: 1000 1001 1002 1003 1004 1005 1006 1007 1008 1009 1010 1011 "
                                 u"1012 1013 5000 5001 5002 5003"_s))
        << Line(7).toStdString();

    QStringList carts{u"Number,Title,Type,Length,AudioLength"_s};
    for (int song = 0; song < 14; ++song)
        carts.append(u"%1,Song %1,3,240,240"_s.arg(1000 + song));
    for (int n = 0; n < 4; ++n)
        carts.append(u"%1,Advert %1,4,30,30"_s.arg(5000 + n));
    WriteFile(Path(u"carts.csv"_s), (carts.join(u'\n') + u'\n').toUtf8());
    ASSERT_EQ(Stationdb({u"carts"_s, u"import"_s, db, Path(u"carts.csv"_s)}), 0) << Errors.toStdString();
    EXPECT_EQ(Logimporter(check), 6); // the hours of the 48 that no log gives
    EXPECT_TRUE(Line(6).contains(u"  ready  "_s)) << Output.toStdString();
    EXPECT_TRUE(Line(7).contains(u"  ready  "_s)) << Output.toStdString();
    EXPECT_FALSE(Output.contains(u"missing audio"_s));
}
