#include "importers/Readiness.h"
#include "importers/MusicImportFixture.h"
#include "importers/advert/AdvertLog_FN.h"
#include "importers/advert/cAdvertLogImporter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

class ReadinessTest : public MusicImportFixture {
protected:
    void SetUp() override {
        MusicImportFixture::SetUp();
        db.Settings().SetValue(u"AdvertLogsDirectory"_s, Path(u"adverts"_s));
        db.Settings().SetValue(u"UnderrunThreshold"_s, u"300"_s);
    }
    void AdvertLog(int day, const QStringList& times) {
        QStringList lines;
        for (const QString& time : times)
            lines.append(AdvertLog_FN::BuildAdvertLine(time, u"SPOT"_s, u"0034"_s, u"Spot"_s, u"REF"_s, 30,
                                                       false, {}));
        WriteFile(db.AdvertLogFileName(Nov(day)), (lines.join(u"\r\n"_s) + u"\r\n"_s).toLatin1());
    }
    QStringList States(const QList<HourReadiness>& hours) {
        QStringList states;
        for (const HourReadiness& hour : hours)
            states.append(HourReadiness::StateName(hour.Status()));
        return states;
    }

    cAdvertLogImporter adverts{[this] { return &db; }};
};

TEST_F(ReadinessTest, EachHourIsJudgedByWhatTheFilesOfferAndTheLogHolds) {
    WriteDay(5, {6, 7, 8, 9, 10}, {u"1001"_s, u"1001"_s});
    WriteFile(db.MusicLogFileName(Nov(6)), QByteArray());
    ASSERT_TRUE(Import(Nov(5), 6 * 3600, Nov(5), 8 * 3600)); // 09:00 and 10:00 stay in the file
    AdvertLog(5, {u"06:15:00"_s, u"06:15:00"_s});
    ScheduleDate start{Nov(5), 6 * 3600}, end{Nov(5), 6 * 3600};
    ASSERT_TRUE(adverts.ImportLogFiles(start, end, true)); // only 06:00 gets its adverts
    AdvertLog(5, {u"06:15:00"_s, u"06:15:00"_s, QString(), u"07:15:00"_s});
    // A short hour: its songs are not in the cart store, so it is the break alone.
    db.Settings().SetValue(u"UnderrunThreshold"_s, u"3000"_s);
    const QList<HourReadiness> hours = Readiness::Of(db, {Nov(5), 6 * 3600 + 1200}, 5);

    EXPECT_EQ(States(hours), QStringList({u"underrun"_s, u"adverts missing"_s, u"underrun"_s,
                                          u"not scheduled"_s, u"not scheduled"_s}));
    EXPECT_EQ(hours[0].Hour, (ScheduleDate{Nov(5), 6 * 3600}));
    EXPECT_EQ(hours[0].Breaks, 1);
    EXPECT_EQ(hours[0].AdvertsOffered, 2);
    EXPECT_EQ(hours[0].AdvertsInLog, 2);
    EXPECT_EQ(hours[0].EmptyBreaks, 0);
    EXPECT_EQ(hours[1].AdvertsOffered, 1);
    EXPECT_EQ(hours[1].AdvertsInLog, 0);
    EXPECT_EQ(hours[1].EmptyBreaks, 0);    // its log gives it an advert: missing, not empty
    EXPECT_EQ(hours[2].AdvertsOffered, 0); // no line at 08:15: an empty break is ready to go
    EXPECT_TRUE(hours[3].MusicOffered);
    EXPECT_FALSE(hours[3].Scheduled);
    EXPECT_FALSE(Readiness::AllReady(hours));

    db.Settings().SetValue(u"UnderrunThreshold"_s, u"0"_s);
    EXPECT_EQ(States(Readiness::Of(db, {Nov(5), 6 * 3600}, 3)),
              QStringList({u"ready"_s, u"adverts missing"_s, u"ready"_s}));
    EXPECT_TRUE(Readiness::AllReady(Readiness::Of(db, {Nov(5), 6 * 3600}, 1)));

    // A day whose adverts have not come yet: its hours with breaks hold music only.
    WriteDay(7, {6});
    ASSERT_TRUE(Import(Nov(7), 6 * 3600, Nov(7), 6 * 3600));
    const QList<HourReadiness> later = Readiness::Of(db, {Nov(7), 6 * 3600}, 1);
    EXPECT_EQ(States(later), QStringList{u"music only"_s});
    EXPECT_FALSE(later[0].AdvertLog);
    EXPECT_TRUE(Readiness::Table(later).contains(u"no advert log"_s));
}

TEST_F(ReadinessTest, TheTableAndTheJsonSayTheSameAsTheHours) {
    WriteDay(5, {6, 7});
    ASSERT_TRUE(Import(Nov(5), 6 * 3600, Nov(5), 6 * 3600));
    AdvertLog(5, {u"07:15:00"_s});
    db.Settings().SetValue(u"UnderrunThreshold"_s, u"0"_s);
    const QList<HourReadiness> hours = Readiness::Of(db, {Nov(5), 6 * 3600}, 2);
    const QString table = Readiness::Table(hours);
    EXPECT_TRUE(table.contains(u"\n2010-11-05 06:00:00  ready            yes         1      1  0/0\n"_s))
        << table.toStdString();
    // Not in the log, it holds no break yet, so no advert is counted for it.
    EXPECT_TRUE(table.contains(u"\n2010-11-05 07:00:00  not scheduled    yes         0      0  0/0\n"_s))
        << table.toStdString();
    EXPECT_TRUE(table.endsWith(u"Not ready: 1 of 2 hours (not scheduled 1).\n"_s)) << table.toStdString();

    ASSERT_TRUE(Readiness::Write(hours, Path(u"ready.json"_s), nullptr));
    const QJsonObject json = QJsonDocument::fromJson(BytesOf(Path(u"ready.json"_s))).object();
    EXPECT_FALSE(json[u"ready"_s].toBool());
    EXPECT_EQ(json[u"range"_s][u"start"_s].toString(), u"2010-11-05 06:00:00");
    const QJsonArray list = json[u"hours"_s].toArray();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0][u"state"_s].toString(), u"ready");
    EXPECT_EQ(list[1][u"state"_s].toString(), u"not scheduled");
    EXPECT_TRUE(list[1][u"musicOffered"_s].toBool());
}

TEST_F(ReadinessTest, TheAdvertFiguresAreThePushsOwnBreakByBreak) {
    WriteDay(5, {6, 7, 8});
    ASSERT_TRUE(Import(Nov(5), 6 * 3600, Nov(5), 8 * 3600));
    db.Settings().SetValue(u"UnderrunThreshold"_s, u"0"_s);
    db.Settings().SetValue(u"AdvertTypeFilter"_s, u"SPOT"_s);
    WriteFile(
        db.AdvertLogFileName(Nov(5)),
        (QStringList{AdvertLog_FN::BuildAdvertLine(u"06:15:00"_s, u"PROM"_s, u"0034"_s, u"Promo"_s, u"R"_s,
                                                   30, false, {}),
                     AdvertLog_FN::BuildAdvertLine(u"07:15:00"_s, u"SPOT"_s, {}, {}, u"R"_s, 30, false, {}),
                     AdvertLog_FN::BuildAdvertLine(u"08:15:00"_s, u"SPOT"_s, u"0034"_s, u"Spot"_s, u"R"_s, 30,
                                                   false, {})}
             .join(u"\r\n"_s) +
         u"\r\n"_s)
            .toLatin1());
    const QList<HourReadiness> hours = Readiness::Of(db, {Nov(5), 6 * 3600}, 3);
    // Only another type at its time: nothing is missing, the break is empty.
    EXPECT_EQ(hours[0].AdvertsOffered, 0);
    EXPECT_EQ(hours[0].EmptyBreaks, 1);
    // A line the push cannot read holds its hour back: that hour is not ready.
    EXPECT_EQ(hours[1].AdvertsOffered, 1);
    EXPECT_EQ(hours[1].EmptyBreaks, 0);
    EXPECT_EQ(States(hours), QStringList({u"ready"_s, u"adverts missing"_s, u"adverts missing"_s}));
    EXPECT_TRUE(AppLogLines().filter(u"AdLog:"_s).isEmpty()); // the check wrote nothing down
}
