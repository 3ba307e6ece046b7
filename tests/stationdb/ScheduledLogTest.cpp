#include "base/ScheduleDateTools.h"
#include "support/StationFixture.h"

#include <gtest/gtest.h>

class ScheduledLogTest : public BackendFixture {
protected:
    static ScheduleDate At(qint32 day, int hour) { return {day, float(hour * 3600)}; }
};

TEST_P(ScheduledLogTest, WritingAnHourSetsItsTimesAndLengthAndNeverOverwrites) {
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
    EXPECT_FALSE(db.Log().WriteHour(At(Day, 14), again));
    EXPECT_EQ(HourItems(Day, 14).size(), 5);
    LogHour empty;
    EXPECT_FALSE(db.Log().WriteHour(At(Day, 15), empty));
}

TEST_P(ScheduledLogTest, AnHourThatFailsHalfWayLeavesNothing) {
    RefuseItemsWhere(u"NEW.Title = 'FAIL'"_s, u"refused"_s);
    LogHour hour = Hour(Day, 9, {60, 60, 60});
    hour.Item(3).Title = u"FAIL"_s;
    EXPECT_FALSE(db.Log().WriteHour(At(Day, 9), hour));
    EXPECT_TRUE(HourItems(Day, 9).isEmpty());
    EXPECT_FALSE(db.Log().FirstLogItem());
    hour.Item(3).Title = u"fine"_s;
    EXPECT_TRUE(db.Log().WriteHour(At(Day, 9), hour));
    EXPECT_EQ(HourItems(Day, 9).size(), 4);
}

TEST_P(ScheduledLogTest, RangesAreRemovedByWholeHoursAndTypes) {
    for (int h = 8; h <= 12; ++h)
        Write(Day, h, {60, 60});
    // 09:30 to 10:15 covers the hours 9 and 10 whole.
    ASSERT_TRUE(db.Log().RemoveLogRange({Day, 9 * 3600 + 1800}, {Day, 10 * 3600 + 900}, QString(168, u'Y')));
    EXPECT_EQ(HourItems(Day, 8).size(), 3);
    EXPECT_TRUE(HourItems(Day, 9).isEmpty());
    EXPECT_TRUE(HourItems(Day, 10).isEmpty());
    EXPECT_EQ(HourItems(Day, 11).size(), 3);
    EXPECT_FALSE(
        db.Log().RemoveLogRange({Day, 9 * 3600}, {Day, 10 * 3600}, QString(168, u'Y'))); // nothing left there

    QString onlyType3(168, u'N');
    onlyType3[2] = u'Y';
    ASSERT_TRUE(db.Log().RemoveLogRange({Day, 11 * 3600}, {Day, 12 * 3600}, onlyType3));
    EXPECT_EQ(HourItems(Day, 11).size(), 1);
    EXPECT_EQ(HourItems(Day, 11)[0].Type, ItemType::HourStart);

    ASSERT_TRUE(db.Log().RemoveAllLogEntries());
    EXPECT_FALSE(db.Log().FirstLogItem());
}

TEST_P(ScheduledLogTest, RemovingAdvertsKeepsTheBreaksAndUnmarksTheHours) {
    auto hour = Write(Day, 18, {60, -120, 60});
    Write(Day, 19, {60});
    LogItem advert;
    advert.Type = ItemType::Advert;
    advert.State = 2;
    advert.Flags = 3;
    advert.Duration = 30;
    ASSERT_EQ(Fill(hour[0].Position, {{hour[2].Position, {advert, advert}}}), QString());
    ASSERT_FLOAT_EQ(HourItems(Day, 18)[0].HourLength, 180);

    ASSERT_TRUE(db.Log().RemoveAdvertRange({Day, 18 * 3600}, {Day, 19 * 3600}));
    hour = HourItems(Day, 18);
    ASSERT_EQ(hour.size(), 4);
    EXPECT_EQ(hour[0].Flags & ItemFlag::HasAdverts, 0);
    EXPECT_EQ(hour[2].Title, u"Advert Break");
    EXPECT_FLOAT_EQ(hour[0].HourLength, 240); // the empty break counts its placeholder again
    EXPECT_FALSE(db.Log().RemoveAdvertRange({Day, 18 * 3600}, {Day, 19 * 3600}));
}

TEST_P(ScheduledLogTest, TheHoursHoldingAndWaitingForAdvertsAreEachOneQuery) {
    EXPECT_FALSE(db.Log().LatestHourWithAdverts());
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
    EXPECT_EQ(db.Log().LatestHourWithAdverts(), At(Day, 10));
    EXPECT_EQ(db.Log().HoursWaitingForAdverts(ScheduledLog::LocateHour(At(Day, 8))),
              QList<ScheduleDate>({At(Day, 9), At(Day, 11)}));
    EXPECT_EQ(db.Log().HoursWaitingForAdverts(ScheduledLog::LocateHour({Day, 9 * 3600 + 1800})),
              QList<ScheduleDate>({At(Day, 9), At(Day, 11)})); // from the hour that holds the point
}

ON_BOTH_BACKENDS(ScheduledLogTest);
