#include "importers/Readiness.h"
#include "importers/MusicImportFixture.h"
#include "importers/advert/AdvertLineLayout.h"
#include "importers/advert/AdvertLogImporter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

class ReadinessTest : public MusicImportFixture {
protected:
    void SetUp() override {
        MusicImportFixture::SetUp();
        AdvertStation(30); // cart 0034, 30 s
        db.Settings().SetValue(u"UnderrunThreshold"_s, u"300"_s);
        db.Settings().SetValue(u"BreakLengthTolerance"_s, u"0"_s); // weighed by its own test
    }
    void AdvertLog(int day, const QStringList& times) {
        QList<std::pair<QString, int>> lines;
        for (const QString& time : times)
            lines.append({time, 30});
        AdvertLog(day, lines);
    }
    // Lines of cart 0034, each at its time and sold for its seconds.
    void AdvertLog(int day, const QList<std::pair<QString, int>>& spots) {
        QStringList lines;
        for (const auto& [time, sold] : spots)
            lines.append(time.isEmpty()
                             ? QString()
                             : AdvertLineLayout::BuildAdvertLine(time, u"SPOT"_s, u"0034"_s, u"Spot"_s,
                                                                 u"REF"_s, sold, false, {}));
        WriteFile(db.AdvertLogFileName(Nov(day)), (lines.join(u"\r\n"_s) + u"\r\n"_s).toLatin1());
    }
    QStringList States(const QList<HourReadiness>& hours) {
        QStringList states;
        for (const HourReadiness& hour : hours)
            states.append(HourReadiness::StateName(hour.Status()));
        return states;
    }
    bool PushAdverts(int day, int fromHour, int toHour) {
        RunOutcome run;
        return adverts.Import(db, {{Nov(day), float(fromHour * 3600)}, {Nov(day), float(toHour * 3600)}},
                              run);
    }
    Cart Song(const QString& number, float audio) {
        Cart song;
        song.Number = number;
        song.Title = u"Song "_s + number;
        song.Length = audio;
        song.AudioLength = audio;
        return song;
    }

    AdvertLogImporter adverts;
};

TEST_F(ReadinessTest, EachHourIsJudgedByWhatTheFilesOfferAndTheLogHolds) {
    WriteDay(5, {6, 7, 8, 9, 10}, {u"1001"_s, u"1001"_s});
    WriteFile(db.MusicLogFileName(Nov(6)), QByteArray());
    ASSERT_TRUE(Import(Nov(5), 6 * 3600, Nov(5), 8 * 3600)); // 09:00 and 10:00 stay in the file
    AdvertLog(5, {u"06:15:00"_s, u"06:15:00"_s});
    ASSERT_TRUE(PushAdverts(5, 6, 6)); // only 06:00 gets its adverts
    AdvertLog(5, {u"06:15:00"_s, u"06:15:00"_s, QString(), u"07:15:00"_s});
    // Short hours: two songs and a break are far from 3000 s.
    db.Settings().SetValue(u"UnderrunThreshold"_s, u"3000"_s);
    const QList<HourReadiness> hours = Readiness::Of(db, {Nov(5), 6 * 3600 + 1200}, 5);

    EXPECT_EQ(States(hours), QStringList({u"short"_s, u"adverts missing"_s, u"short"_s, u"not scheduled"_s,
                                          u"not scheduled"_s}));
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

    db.Settings().SetValue(u"UnderrunThreshold"_s, u"300"_s);
    EXPECT_EQ(States(Readiness::Of(db, {Nov(5), 6 * 3600}, 3)),
              QStringList({u"ready"_s, u"adverts missing"_s, u"ready"_s}));
    EXPECT_TRUE(Readiness::AllReady(Readiness::Of(db, {Nov(5), 6 * 3600}, 1)));

    // A day whose adverts have not come yet: its hours with breaks hold music only.
    WriteDay(7, {6});
    ASSERT_TRUE(Import(Nov(7), 6 * 3600, Nov(7), 6 * 3600));
    const QList<HourReadiness> later = Readiness::Of(db, {Nov(7), 6 * 3600}, 1);
    EXPECT_EQ(States(later), QStringList{u"music only"_s});
    EXPECT_FALSE(later[0].AdvertLog);
    EXPECT_EQ(later[0].EmptyBreaks, 0); // its breaks wait for a log: none is empty yet
    EXPECT_TRUE(Readiness::Table(later).contains(u"no advert log"_s));
}

TEST_F(ReadinessTest, TheTableAndTheJsonSayTheSameAsTheHours) {
    WriteDay(5, {6, 7});
    ASSERT_TRUE(Import(Nov(5), 6 * 3600, Nov(5), 6 * 3600));
    AdvertLog(5, {u"07:15:00"_s});
    const QList<HourReadiness> hours = Readiness::Of(db, {Nov(5), 6 * 3600}, 2);
    const QString table = Readiness::Table(hours);
    EXPECT_TRUE(table.contains(u"\n2010-11-05 06:00:00  ready                yes         1      1  0/0\n"_s))
        << table.toStdString();
    // Not in the log, it holds no break yet, so no advert is counted for it.
    EXPECT_TRUE(table.contains(u"\n2010-11-05 07:00:00  not scheduled        yes         0      0  0/0\n"_s))
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
    db.Settings().SetValue(u"AdvertTypeFilter"_s, u"SPOT"_s);
    WriteFile(db.AdvertLogFileName(Nov(5)),
              (QStringList{
                   AdvertLineLayout::BuildAdvertLine(u"06:15:00"_s, u"PROM"_s, u"0034"_s, u"Promo"_s, u"R"_s,
                                                     30, false, {}),
                   AdvertLineLayout::BuildAdvertLine(u"07:15:00"_s, u"SPOT"_s, {}, {}, u"R"_s, 30, false, {}),
                   AdvertLineLayout::BuildAdvertLine(u"08:15:00"_s, u"SPOT"_s, u"0034"_s, u"Spot"_s, u"R"_s,
                                                     30, false, {})}
                   .join(u"\r\n"_s) +
               u"\r\n"_s)
                  .toLatin1());
    const QList<HourReadiness> hours = Readiness::Of(db, {Nov(5), 6 * 3600}, 3);
    // Only another type at its time: nothing is missing, the break is empty.
    EXPECT_EQ(hours[0].AdvertsOffered, 0);
    EXPECT_EQ(hours[0].EmptyBreaks, 1);
    // A line the push cannot read holds its hour back: that hour is not ready, and
    // the line is counted apart from the adverts offered.
    EXPECT_EQ(hours[1].AdvertsOffered, 0);
    EXPECT_EQ(hours[1].UnreadableLines, 1);
    EXPECT_EQ(hours[1].EmptyBreaks, 0);
    EXPECT_EQ(States(hours), QStringList({u"ready"_s, u"adverts missing"_s, u"adverts missing"_s}));
    EXPECT_TRUE(AppLogLines().filter(u"AdLog:"_s).isEmpty()); // the check wrote nothing down
}

TEST_F(ReadinessTest, AnHourWhoseCartsAreMissingOrSilentIsNotReadyUntilTheyAreLoaded) {
    ASSERT_TRUE(db.Carts().Save({Song(u"1002"_s, 0)})); // in the store, without audio
    WriteDay(5, {6, 7}, {u"1099"_s, u"1001"_s, u"1002"_s, u"1099"_s});
    ASSERT_TRUE(Import(Nov(5), 6 * 3600, Nov(5), 6 * 3600));
    AdvertLog(5, {u"06:15:00"_s});
    ASSERT_TRUE(PushAdverts(5, 6, 6));
    ASSERT_TRUE(db.Carts().Save({Song(u"0034"_s, 0)}));        // the advert's audio went after the push
    db.Settings().SetValue(u"UnderrunThreshold"_s, u"3000"_s); // short too: missing audio comes first

    const QList<HourReadiness> hours = Readiness::Of(db, {Nov(5), 6 * 3600}, 1);
    EXPECT_EQ(States(hours), QStringList{u"missing audio"_s});
    EXPECT_EQ(hours[0].SilentItems, 4);
    EXPECT_EQ(hours[0].SilentCarts, QStringList({u"1099"_s, u"1002"_s, u"0034"_s}));
    EXPECT_FLOAT_EQ(hours[0].Length, 180); // what plays: one song
    EXPECT_TRUE(Readiness::Table(hours).contains(u"missing audio        yes         1      0  1/1"
                                                 u"               no audio: 1099 1002 0034\n"_s))
        << Readiness::Table(hours).toStdString();
    EXPECT_TRUE(hours[0].Figures().contains(u"4 item(s) without audio, carts 1099, 1002, 0034."_s));
    const QJsonObject json = Readiness::Json(hours)[u"hours"_s].toArray()[0].toObject();
    EXPECT_EQ(json[u"state"_s].toString(), u"missing audio");
    EXPECT_EQ(json[u"silentItems"_s].toInt(), 4);
    EXPECT_EQ(json[u"silentCarts"_s].toArray().size(), 3);

    // The carts loaded since the import: what will play is judged now, not at the import.
    ASSERT_TRUE(db.Carts().Save({Song(u"1099"_s, 1200), Song(u"1002"_s, 1200), Song(u"0034"_s, 30)}));
    const QList<HourReadiness> loaded = Readiness::Of(db, {Nov(5), 6 * 3600}, 1);
    EXPECT_EQ(States(loaded), QStringList{u"ready"_s});
    EXPECT_FLOAT_EQ(loaded[0].Length, 180 + 3 * 1200 + 30);
}

TEST_F(ReadinessTest, AnHourIsShortUnderTheThresholdOrWithoutOneUnderHalfAnHour) {
    WriteDay(5, {6});                             // two songs and a break: 480 s
    WriteDay(6, {6}, QStringList(10, u"1001"_s)); // ten songs and a break: 1920 s
    ASSERT_TRUE(Import(Nov(5), 6 * 3600, Nov(6), 6 * 3600));
    AdvertLog(5, QStringList());
    AdvertLog(6, QStringList());
    const auto judged = [this] {
        return States(Readiness::Of(db, {Nov(5), 6 * 3600}, 1)) +
               States(Readiness::Of(db, {Nov(6), 6 * 3600}, 1));
    };
    db.Settings().SetValue(u"UnderrunThreshold"_s, u"0"_s);
    EXPECT_EQ(judged(), QStringList({u"short"_s, u"ready"_s}));
    const HourReadiness hour = Readiness::Of(db, {Nov(5), 6 * 3600}, 1)[0];
    EXPECT_FLOAT_EQ(hour.Length, 480);
    EXPECT_FLOAT_EQ(hour.ShortLimit, 1800);
    EXPECT_EQ(hour.Detail(), u"8:00 of 30:00 minutes");

    db.Settings().SetValue(u"UnderrunThreshold"_s, u"3000"_s);
    EXPECT_EQ(judged(), QStringList({u"short"_s, u"short"_s}));
    ASSERT_TRUE(db.Carts().Save({Song(u"1001"_s, 300)})); // longer audio, loaded since
    EXPECT_EQ(judged(), QStringList({u"short"_s, u"ready"_s}));
}

TEST_F(ReadinessTest, ABreakWhoseAdvertsRunPastItsLengthByMoreThanTheToleranceIsNamed) {
    WriteDay(5, {6, 7, 8, 9}, QStringList(4, u"1001"_s)); // breaks of 120 s
    AdvertLog(5, {u"06:15:00"_s, u"06:15:00"_s, u"06:15:00"_s, u"06:15:00"_s, u"06:15:00"_s, u"06:15:00"_s,
                  u"07:15:00"_s, u"07:15:00"_s, u"07:15:00"_s, u"07:15:00"_s, u"07:15:00"_s, u"08:15:00"_s,
                  u"08:15:00"_s, u"09:15:00"_s, u"09:15:00"_s, u"09:15:00"_s});
    ASSERT_TRUE(Import(Nov(5), 6 * 3600, Nov(5), 9 * 3600));
    db.Settings().SetValue(u"BreakLengthTolerance"_s, u"30"_s);

    // Before the push the fit is weighed on what the log would put in; adverts missing comes first.
    const QList<HourReadiness> planned = Readiness::Of(db, {Nov(5), 8 * 3600}, 1);
    EXPECT_EQ(States(planned), QStringList{u"adverts missing"_s});
    EXPECT_EQ(planned[0].UnderfullBreaks.size(), 1);

    ASSERT_TRUE(PushAdverts(5, 6, 9));
    const QList<HourReadiness> hours = Readiness::Of(db, {Nov(5), 6 * 3600}, 4);
    // 180 s, 150 s, 60 s and 90 s of adverts in 120 s breaks.
    EXPECT_EQ(States(hours), QStringList({u"overfilled"_s, u"ready"_s, u"underfilled"_s, u"ready"_s}));
    ASSERT_EQ(hours[0].OverfullBreaks.size(), 1);
    EXPECT_FLOAT_EQ(hours[0].OverfullBreaks[0].Time, 6 * 3600 + 900);
    EXPECT_FLOAT_EQ(hours[0].OverfullBreaks[0].Length, 120);
    EXPECT_FLOAT_EQ(hours[0].OverfullBreaks[0].Adverts, 180);
    EXPECT_EQ(hours[2].Detail(), u"08:15:00 (adverts 60 s in 120 s)");
    const QJsonObject json = Readiness::Json(hours)[u"hours"_s].toArray()[2].toObject();
    EXPECT_EQ(json[u"underfilledBreaks"_s].toArray()[0][u"adverts"_s].toDouble(), 60);

    db.Settings().SetValue(u"BreakLengthTolerance"_s, u"0"_s); // the check off
    EXPECT_TRUE(Readiness::AllReady(Readiness::Of(db, {Nov(5), 6 * 3600}, 4)));
}

TEST_F(ReadinessTest, ABreakFitsUpToItsToleranceExactlyAndNotAFractionOfASecondPast) {
    WriteDay(5, {6}); // its break: 120 s
    ASSERT_TRUE(Import(Nov(5), 6 * 3600, Nov(5), 6 * 3600));
    AdvertLog(5, QList<std::pair<QString, int>>{{u"06:15:00"_s, 0}}); // one advert, sold for no length
    ASSERT_TRUE(PushAdverts(5, 6, 6));
    db.Settings().SetValue(u"BreakLengthTolerance"_s, u"30"_s);
    // The advert's audio as loaded since the push, against 120 s give or take 30 s.
    const struct {
        float audio;
        QString state;
    } cases[] = {{150, u"ready"_s}, {150.25f, u"overfilled"_s}, {90, u"ready"_s}, {89.75f, u"underfilled"_s}};
    for (const auto& [audio, state] : cases) {
        ASSERT_TRUE(db.Carts().Save({Song(u"0034"_s, audio)}));
        EXPECT_EQ(States(Readiness::Of(db, {Nov(5), 6 * 3600}, 1)), QStringList{state}) << audio;
    }
}

TEST_F(ReadinessTest, AnAdvertWhoseAudioIsNotTheLengthItWasSoldForIsNamed) {
    WriteDay(5, {6, 7, 8});
    ASSERT_TRUE(Import(Nov(5), 6 * 3600, Nov(5), 8 * 3600));
    // Cart 0034 holds 30 s: sold for 32 s, 31 s, and for no length given.
    AdvertLog(5,
              QList<std::pair<QString, int>>{{u"06:15:00"_s, 32}, {u"07:15:00"_s, 31}, {u"08:15:00"_s, 0}});
    ASSERT_TRUE(PushAdverts(5, 6, 8));
    const QList<HourReadiness> hours = Readiness::Of(db, {Nov(5), 6 * 3600}, 3);
    EXPECT_EQ(States(hours), QStringList({u"copy length differs"_s, u"ready"_s, u"ready"_s}));
    ASSERT_EQ(hours[0].CopyLengths.size(), 1);
    EXPECT_EQ(hours[0].CopyLengths[0].Cart, u"0034");
    EXPECT_FLOAT_EQ(hours[0].CopyLengths[0].Audio, 30);
    EXPECT_FLOAT_EQ(hours[0].CopyLengths[0].Sold, 32);
    EXPECT_TRUE(Readiness::Table(hours).contains(u"cart 0034 at 06:15:00 (audio 30 s, sold 32 s)\n"_s));
}
