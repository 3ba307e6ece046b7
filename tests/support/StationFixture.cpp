#include "support/StationFixture.h"

#include "support/OtherConnection.h"

void StationFixture::SetUp() {
    TempHome::SetUp();
    QString problem;
    ASSERT_TRUE(StationDatabase::Create(DatabasePath(), u"Test FM"_s, &problem)) << problem.toStdString();
    ASSERT_EQ(db.OpenLocation(DatabasePath()), StationDatabase::Opened) << db.OpenProblem().toStdString();
}

void StationFixture::TearDown() {
    db.Close();
    TempHome::TearDown();
}

void StationFixture::Exec(const QString& sql) {
    ExecOnOtherConnection(DatabasePath(), sql);
}

LogHour StationFixture::Hour(qint32 day, int hour, const QList<double>& items) {
    LogHour built;
    LogItem start;
    start.Type = ItemType::HourStart;
    start.Date = day;
    start.Time = float(hour * 3600);
    start.Title = u"Hour %1"_s.arg(hour);
    start.State = 2;
    built.AddItem(start);
    int n = 0;
    for (const double duration : items) {
        LogItem item;
        item.Title = u"Item %1"_s.arg(++n);
        item.State = 2;
        item.Type = 3;
        item.Duration = float(std::abs(duration));
        if (duration < 0) { // an advert break at the minute given by its position
            item.Type = ItemType::Advert;
            item.State = 1;
            item.Title = u"Advert Break"_s;
            item.Time = float(hour * 3600 + n * 60);
        }
        built.AddItem(item);
    }
    return built;
}

QList<LogItem> StationFixture::Write(qint32 day, int hour, const QList<double>& items) {
    LogHour built = Hour(day, hour, items);
    EXPECT_TRUE(db.WriteHour({day, float(hour * 3600)}, built));
    return HourItems(day, hour);
}

QList<LogItem> StationFixture::HourItems(qint32 day, int hour) {
    const double at = StationDatabase::LocateHour({day, float(hour * 3600)});
    return db.ItemsBetween(at, at);
}

QString StationFixture::Fill(double hour, const QList<BreakFill>& fills) {
    QString refusal;
    const auto change = StationDatabase::PlanBreaks(db.ItemsBetween(hour, hour), fills, refusal);
    if (!change)
        return refusal;
    return db.ApplyHour(*change) ? QString() : db.LastWrite().Problem;
}
