#include "base/ScheduleDateTools.h"
#include "support/StationFixture.h"

#include <gtest/gtest.h>

class ScheduledLogTest : public StationFixture {
protected:
    static ScheduleDate At(qint32 day, int hour) { return {day, float(hour * 3600)}; }
};

TEST_F(ScheduledLogTest, HoursAreReadBackItemByItemInOrder) {
    EXPECT_FALSE(db.FirstLogItem());
    EXPECT_FALSE(db.LastLogItem());
    const auto fourteen = Write(Day, 14, {180, 200, 240});
    const auto thirteen = Write(Day, 13, {100});
    const auto midnight = Write(Day + 1, 0, {60, 60});

    EXPECT_EQ(db.FirstLogItem()->Position, thirteen.front().Position);
    EXPECT_EQ(db.LastLogItem()->Position, midnight.back().Position);
    EXPECT_EQ(db.NextLogItem(thirteen.back().Position)->Position, fourteen.front().Position);
    EXPECT_EQ(db.PreviousLogItem(fourteen.front().Position)->Position, thirteen.back().Position);
    EXPECT_EQ(db.PreviousLogItem(midnight.front().Position)->Title, u"Item 3");
    EXPECT_FALSE(db.NextLogItem(midnight.back().Position));
    EXPECT_FALSE(db.PreviousLogItem(thirteen.front().Position));

    // Every item's position reads back as its hour's start; the hour start is found from any of them.
    for (const auto* hour : {&thirteen, &fourteen, &midnight}) {
        for (const LogItem& item : *hour) {
            EXPECT_EQ(StationDatabase::ScheduleDateFromDate(item.Position),
                      (ScheduleDate{hour->front().Date, hour->front().Time}));
            EXPECT_EQ(db.HourStartItem(item.Position)->Position, hour->front().Position);
            EXPECT_EQ(db.ItemAt(item.Position)->Title, item.Title);
        }
    }
    EXPECT_EQ(db.ItemAt(StationDatabase::LocateHour({Day, 50400 + 1234.5f}))->Type, ItemType::HourStart);
    EXPECT_FALSE(db.ItemAt(StationDatabase::LocateHour(At(Day, 15))));
    EXPECT_FALSE(db.HourStartItem(StationDatabase::LocateHour(At(Day, 15))));

    // The offered range after the log: the last hour's end, then one more hour.
    const ScheduleDate until = ScheduleDateTools::AddSeconds(
        StationDatabase::ScheduleDateFromDate(midnight.back().Position), 3599.99);
    EXPECT_EQ(until.Day, Day + 1);
    EXPECT_FLOAT_EQ(until.Seconds, 3599.99f);
}

TEST_F(ScheduledLogTest, WritingAnHourSetsItsTimesAndLengthAndNeverOverwrites) {
    const auto items = Write(Day, 14, {180, 200, -120, 240});
    ASSERT_EQ(items.size(), 5);
    EXPECT_FLOAT_EQ(items[0].HourLength, 740);
    EXPECT_FLOAT_EQ(items[1].Time, 50400);
    EXPECT_FLOAT_EQ(items[2].Time, 50580);
    EXPECT_FLOAT_EQ(items[3].Time, 50400 + 180); // the break keeps its own time (minute 3)
    EXPECT_FLOAT_EQ(items[4].Time, 50580 + 120);
    for (const LogItem& item : items)
        EXPECT_EQ(item.Date, Day);

    LogHour again = Hour(Day, 14, {10});
    EXPECT_FALSE(db.WriteHour(At(Day, 14), again));
    EXPECT_EQ(HourItems(Day, 14).size(), 5);
    LogHour empty;
    EXPECT_FALSE(db.WriteHour(At(Day, 15), empty));
}

TEST_F(ScheduledLogTest, AnHourThatFailsHalfWayLeavesNothing) {
    Exec(u"CREATE TRIGGER refuse BEFORE INSERT ON LogItems WHEN NEW.Title = 'FAIL' "
         u"BEGIN SELECT RAISE(ABORT, 'refused'); END"_s);
    LogHour hour = Hour(Day, 9, {60, 60, 60});
    hour.Item(3).Title = u"FAIL"_s;
    EXPECT_FALSE(db.WriteHour(At(Day, 9), hour));
    EXPECT_TRUE(HourItems(Day, 9).isEmpty());
    EXPECT_FALSE(db.FirstLogItem());
    hour.Item(3).Title = u"fine"_s;
    EXPECT_TRUE(db.WriteHour(At(Day, 9), hour));
    EXPECT_EQ(HourItems(Day, 9).size(), 4);
}

TEST_F(ScheduledLogTest, InsertedItemsStayOrderedWithinTheirHour) {
    Write(Day, 6, {60, -120, 60});
    const auto sevenBefore = Write(Day, 7, {60, 60});
    auto hour = HourItems(Day, 6);
    LogItem marker = hour[2];
    LogHour adverts;
    for (int i = 0; i < 5; ++i) {
        LogItem advert;
        advert.Type = ItemType::Advert;
        advert.State = 2;
        advert.Flags = 3;
        advert.Title = u"Advert %1"_s.arg(i + 1);
        adverts.AddItem(advert);
    }
    ASSERT_TRUE(db.InsertItemsAfter(marker, adverts));
    EXPECT_EQ(db.ItemAt(adverts.Item(5).Position)->Title, u"Advert 5");

    // Keep inserting right after the marker until the hour has to be laid out again.
    for (int round = 0; round < 300; ++round) {
        LogHour one;
        LogItem item;
        item.Title = u"Extra %1"_s.arg(round);
        one.AddItem(item);
        ASSERT_TRUE(db.InsertItemsAfter(marker, one)) << round;
        ASSERT_EQ(db.ItemAt(marker.Position)->Title, u"Advert Break");
        ASSERT_EQ(db.NextLogItem(marker.Position)->Title, item.Title);
    }
    hour = HourItems(Day, 6);
    ASSERT_EQ(hour.size(), 4 + 5 + 300);
    QStringList titles;
    for (qsizetype i = 0; i < hour.size(); ++i) {
        titles.append(hour[i].Title);
        EXPECT_EQ(StationDatabase::ScheduleDateFromDate(hour[i].Position), At(Day, 6));
        if (i > 0) {
            EXPECT_LT(hour[i - 1].Position, hour[i].Position);
        }
    }
    EXPECT_EQ(titles.mid(0, 4), QStringList({u"Hour 6"_s, u"Item 1"_s, u"Advert Break"_s, u"Extra 299"_s}));
    EXPECT_EQ(titles.mid(titles.size() - 6), QStringList({u"Advert 1"_s, u"Advert 2"_s, u"Advert 3"_s,
                                                          u"Advert 4"_s, u"Advert 5"_s, u"Item 3"_s}));
    const auto sevenAfter = HourItems(Day, 7);
    ASSERT_EQ(sevenAfter.size(), sevenBefore.size());
    for (qsizetype i = 0; i < sevenAfter.size(); ++i)
        EXPECT_EQ(sevenAfter[i].Position, sevenBefore[i].Position);

    LogItem gone;
    gone.Position = StationDatabase::LocateHour(At(Day, 20));
    EXPECT_FALSE(db.InsertItemsAfter(gone, adverts));
}

TEST_F(ScheduledLogTest, UpdatedItemsAndStartTimesAreStored) {
    auto hour = Write(Day, 10, {100, -120, 100});
    LogItem marker = hour[2];
    LogHour adverts;
    for (const float length : {30.0f, 40.0f}) {
        LogItem advert;
        advert.Type = ItemType::Advert;
        advert.State = 2;
        advert.Flags = 3;
        advert.Duration = length;
        advert.Time = marker.Time;
        adverts.AddItem(advert);
    }
    ASSERT_TRUE(db.InsertItemsAfter(marker, adverts));
    LogItem last = adverts.Item(2);
    last.Transition = 0;
    ASSERT_TRUE(db.UpdateItem(last.Position, last));
    LogItem start = hour[0];
    start.Flags |= ItemFlag::HasAdverts;
    ASSERT_TRUE(db.UpdateItem(start.Position, start));
    ASSERT_TRUE(db.UpdateStartTimes(start.Position));

    hour = HourItems(Day, 10);
    ASSERT_EQ(hour.size(), 6);
    EXPECT_EQ(hour[0].Flags & ItemFlag::HasAdverts, ItemFlag::HasAdverts);
    EXPECT_FLOAT_EQ(hour[0].HourLength, 100 + 30 + 40 + 100); // the fed break takes no time itself
    EXPECT_FLOAT_EQ(hour[3].Time, 36000 + 120);               // the adverts follow the break's own time
    EXPECT_FLOAT_EQ(hour[4].Time, 36000 + 150);
    EXPECT_EQ(hour[4].Transition, 0);
    EXPECT_FLOAT_EQ(hour[5].Time, 36000 + 190);
    EXPECT_FALSE(db.UpdateItem(StationDatabase::LocateHour(At(Day, 11)), last));
}

TEST_F(ScheduledLogTest, RangesAreRemovedByWholeHoursAndTypes) {
    for (int h = 8; h <= 12; ++h)
        Write(Day, h, {60, 60});
    // 09:30 to 10:15 covers the hours 9 and 10 whole.
    ASSERT_TRUE(db.RemoveLogRange({Day, 9 * 3600 + 1800}, {Day, 10 * 3600 + 900}, QString(168, u'Y')));
    EXPECT_EQ(HourItems(Day, 8).size(), 3);
    EXPECT_TRUE(HourItems(Day, 9).isEmpty());
    EXPECT_TRUE(HourItems(Day, 10).isEmpty());
    EXPECT_EQ(HourItems(Day, 11).size(), 3);
    EXPECT_FALSE(
        db.RemoveLogRange({Day, 9 * 3600}, {Day, 10 * 3600}, QString(168, u'Y'))); // nothing left there

    QString onlyType3(168, u'N');
    onlyType3[2] = u'Y';
    ASSERT_TRUE(db.RemoveLogRange({Day, 11 * 3600}, {Day, 12 * 3600}, onlyType3));
    EXPECT_EQ(HourItems(Day, 11).size(), 1);
    EXPECT_EQ(HourItems(Day, 11)[0].Type, ItemType::HourStart);

    ASSERT_TRUE(db.RemoveAllLogEntries());
    EXPECT_FALSE(db.FirstLogItem());
}

TEST_F(ScheduledLogTest, RemovingAdvertsKeepsTheBreaksAndUnmarksTheHours) {
    auto hour = Write(Day, 18, {60, -120, 60});
    Write(Day, 19, {60});
    LogItem marker = hour[2];
    LogHour adverts;
    LogItem advert;
    advert.Type = ItemType::Advert;
    advert.State = 2;
    advert.Flags = 3;
    advert.Duration = 30;
    adverts.AddItem(advert);
    adverts.AddItem(advert);
    ASSERT_TRUE(db.InsertItemsAfter(marker, adverts));
    LogItem start = hour[0];
    start.Flags |= ItemFlag::HasAdverts;
    ASSERT_TRUE(db.UpdateItem(start.Position, start));
    ASSERT_TRUE(db.UpdateStartTimes(start.Position));
    ASSERT_FLOAT_EQ(HourItems(Day, 18)[0].HourLength, 180);

    ASSERT_TRUE(db.RemoveAdvertRange({Day, 18 * 3600}, {Day, 19 * 3600}));
    hour = HourItems(Day, 18);
    ASSERT_EQ(hour.size(), 4);
    EXPECT_EQ(hour[0].Flags & ItemFlag::HasAdverts, 0);
    EXPECT_EQ(hour[2].Title, u"Advert Break");
    EXPECT_FLOAT_EQ(hour[0].HourLength, 240); // the empty break counts its placeholder again
    EXPECT_FALSE(db.RemoveAdvertRange({Day, 18 * 3600}, {Day, 19 * 3600}));
}

TEST_F(ScheduledLogTest, TheHoursHoldingAndWaitingForAdvertsAreEachOneQuery) {
    EXPECT_FALSE(db.LatestHourWithAdverts());
    for (int h = 8; h <= 11; ++h)
        Write(Day, h, {60, -120, 60});
    Write(Day, 12, {60}); // no break: nothing to wait for
    for (const int h : {8, 10}) {
        LogItem advert;
        advert.Type = ItemType::Advert;
        advert.State = 2;
        advert.Flags = 3;
        ASSERT_EQ(Fill(HourItems(Day, h)[0].Position, {{HourItems(Day, h)[2].Position, {advert}}}),
                  QString());
    }
    EXPECT_EQ(db.LatestHourWithAdverts(), At(Day, 10));
    EXPECT_EQ(db.HoursWaitingForAdverts(StationDatabase::LocateHour(At(Day, 8))),
              QList<ScheduleDate>({At(Day, 9), At(Day, 11)}));
    EXPECT_EQ(db.HoursWaitingForAdverts(StationDatabase::LocateHour({Day, 9 * 3600 + 1800})),
              QList<ScheduleDate>({At(Day, 9), At(Day, 11)})); // from the hour that holds the point
}
