#include "importers/MusicImportFixture.h"

#include "base/AppLog.h"
#include "base/Clock.h"
#include "base/ScheduleDateTools.h"

#include <QLocale>

void MusicImportFixture::SetUp() {
    WithOperator::SetUp();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    ASSERT_TRUE(db.Settings().SetValue(u"MusicLogsDirectory"_s, MusicFolder()));
    ASSERT_TRUE(db.SaveSettings(db.Settings()));
    Cart song;
    song.Number = u"1001"_s;
    song.Title = u"Cart Title"_s;
    song.Text1 = u" Cart Artist "_s;
    song.Length = 180;
    song.AudioLength = 180;
    ASSERT_TRUE(db.Carts().Save({song}));
    AppLog::OpenAppLog(Path(u"Logs/Log Importer"_s), AppLog::Numbered | AppLog::ComputerName);
    importer.SetProgressCallback(&progress);
}

void MusicImportFixture::TearDown() {
    QLocale::setDefault(QLocale::system());
    WithOperator::TearDown();
}

QString MusicImportFixture::SongLine(const QString& cart, const QString& title) {
    return Columns({{1, u"L"_s}, {2, cart}, {10, title}, {44, u"Artist"_s}, {80, u"X"_s}});
}

void MusicImportFixture::StartRecorded(RunOutcome& run) {
    Clock::SetFixed(QDateTime(QDate(2010, 11, 1), QTime(0, 0)));
    run.Start(false, true);
    Clock::SetFixed(Now);
}

void MusicImportFixture::AdvertStation(float audioLength) {
    db.Settings().SetValue(u"AdvertLogsDirectory"_s, Path(u"adverts"_s));
    Cart advert;
    advert.Number = u"0034"_s;
    advert.Title = u"Cart Advert"_s;
    advert.Length = 30;
    advert.AudioLength = audioLength;
    ASSERT_TRUE(db.Carts().Save({advert}));
}

QString MusicImportFixture::HourLines(int day, int hour, const QStringList& carts) {
    QStringList lines{
        u"+%1/11/10 %2:00 Hour %2"_s.arg(day, 2, 10, QLatin1Char('0')).arg(hour, 2, 10, QLatin1Char('0'))};
    for (const QString& cart : carts)
        lines.append(SongLine(cart, QString()));
    lines.append(Columns({{1, u":"_s}, {15, u"BREAK 00:15:00"_s}}));
    return lines.join(u"\r\n"_s);
}

void MusicImportFixture::WriteDay(int day, const QList<int>& hours, const QStringList& carts) {
    QStringList blocks{u"; Music log for %1 November 2010"_s.arg(day)};
    for (const int hour : hours)
        blocks.append(HourLines(day, hour, carts));
    WriteFile(db.MusicLogFileName(Nov(day)), (blocks.join(u"\r\n"_s) + u"\r\n"_s).toLatin1());
}

QStringList MusicImportFixture::HoursInLog() {
    QStringList hours;
    for (auto item = db.Log().FirstLogItem(); item; item = db.Log().NextLogItem(item->Position)) {
        if (item->Type == ItemType::HourStart)
            hours.append(
                u"%1 %2"_s.arg(item->Date - 40482).arg(int(item->Time / 3600), 2, 10, QLatin1Char('0')));
    }
    return hours;
}

QStringList MusicImportFixture::AppLogLines() const {
    return LinesOf(AppLog::FileName());
}

QStringList MusicImportFixture::HistoryLines() const {
    return LinesOf(Path(u"Logs/Log Importer/RecentHistory.log"_s));
}

bool MusicImportFixture::Import(qint32 fromDay, float fromSeconds, qint32 toDay, float toSeconds) {
    return importer.Import(db, {{fromDay, fromSeconds}, {toDay, toSeconds}}, musicRun);
}
