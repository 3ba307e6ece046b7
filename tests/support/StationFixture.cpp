#include "support/StationFixture.h"

#include "support/OtherConnection.h"
#include "support/ThrowawayServer.h"

std::string BackendName(const testing::TestParamInfo<Backend>& info) {
    return info.param == Backend::Sqlite ? "SQLite" : "PostgreSQL";
}

void StationFixture::SetUp() {
    TempHome::SetUp();
    location = DatabasePath();
    if (OnServer()) {
        ThrowawayServer& server = ThrowawayServer::Get();
        ASSERT_EQ(server.Problem(), QString());
        location = server.NewLocation();
    }
    QString problem;
    ASSERT_TRUE(StationDatabase::Create(location, u"Test FM"_s, &problem)) << problem.toStdString();
    ASSERT_EQ(db.OpenLocation(location), StationDatabase::Opened) << db.OpenProblem().toStdString();
}

void StationFixture::TearDown() {
    db.Close();
    TempHome::TearDown();
}

void StationFixture::Exec(const QString& sql) {
    ExecOnOtherConnection(location, sql);
}

void StationFixture::RefuseItemsWhere(const QString& condition, const QString& words) {
    if (!OnServer()) {
        Exec(u"CREATE TRIGGER refuse BEFORE INSERT ON LogItems WHEN %1 BEGIN SELECT RAISE(ABORT, '%2'); END"_s
                 .arg(condition, words));
        return;
    }
    Exec(
        u"CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN RAISE EXCEPTION '%1'; END $$"_s
            .arg(words));
    Exec(u"CREATE TRIGGER refuse BEFORE INSERT ON LogItems FOR EACH ROW WHEN (%1) EXECUTE FUNCTION refuse()"_s
             .arg(condition));
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
    EXPECT_TRUE(db.Log().WriteHour({day, float(hour * 3600)}, built));
    return HourItems(day, hour);
}

QList<LogItem> StationFixture::HourItems(qint32 day, int hour) {
    const double at = ScheduledLog::LocateHour({day, float(hour * 3600)});
    return db.Log().ItemsBetween(at, at);
}

QString StationFixture::Fill(double hour, const QList<BreakFill>& fills) {
    QString refusal;
    const auto change = ScheduledLog::PlanBreaks(db.Log().ItemsBetween(hour, hour), fills, refusal);
    if (!change)
        return refusal;
    return db.Log().ApplyHour(*change) ? QString() : db.LastWrite().Problem;
}
