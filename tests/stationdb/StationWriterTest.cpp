// Writes to a Station Database that another program keeps busy: each waits within
// the patience and then lands whole, or is reported as not written and leaves
// nothing behind.

#include "support/BusyNeighbour.h"
#include "support/StationFixture.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

class StationWriterTest : public StationFixture {
protected:
    void SetUp() override {
        StationFixture::SetUp();
        hour = {Day, 14 * 3600};
        marker = Write(Day, 13, {60, -120, 60})[2];
    }
    static LogItem Advert(float length) {
        LogItem advert;
        advert.Type = ItemType::Advert;
        advert.State = 2;
        advert.Flags = 3;
        advert.Duration = length;
        return advert;
    }
    QList<BreakFill> Fills() const { return {{marker.Position, {Advert(30), Advert(40)}}}; }

    ScheduleDate hour;
    LogItem marker;
    BusyNeighbour neighbour{DatabasePath()};
};

TEST_F(StationWriterTest, AWriterWaitsForABusyDatabaseAndItsHourAndBreakLandWhole) {
    db.SetPatience(10000);
    neighbour.HoldFor(400ms);
    LogHour built = Hour(Day, 14, {60, 60});
    ASSERT_TRUE(db.WriteHour(hour, built)) << db.LastWrite().Problem.toStdString();
    EXPECT_EQ(HourItems(Day, 14).size(), 3);

    neighbour.HoldFor(400ms);
    QList<BreakFill> fills = Fills();
    float length = 0;
    ASSERT_TRUE(db.FillBreaks(marker.Position, fills, length)) << db.LastWrite().Problem.toStdString();
    const auto filled = HourItems(Day, 13);
    ASSERT_EQ(filled.size(), 6);
    EXPECT_EQ(filled[0].Flags & ItemFlag::HasAdverts, ItemFlag::HasAdverts);
    EXPECT_FLOAT_EQ(length, 60 + 30 + 40 + 60);
    EXPECT_FLOAT_EQ(filled[0].HourLength, length);
    EXPECT_FLOAT_EQ(filled[4].Time, 13 * 3600 + 120 + 30); // the adverts follow the break's own time
    EXPECT_FLOAT_EQ(filled[5].Time, 13 * 3600 + 120 + 70);
    EXPECT_EQ(fills[0].Adverts[1].Position, filled[4].Position);
    EXPECT_EQ(neighbour.Writes(), 2);
}

TEST_F(StationWriterTest, ALockHeldLongerThanThePatienceLeavesTheWriteUndoneAndSaysSo) {
    db.SetPatience(300);
    neighbour.HoldFor(1500ms);
    LogHour built = Hour(Day, 14, {60, 60});
    EXPECT_FALSE(db.WriteHour(hour, built));
    EXPECT_EQ(db.LastWrite().Result, WriteOutcome::Busy);
    EXPECT_TRUE(db.LastWrite().Problem.startsWith(u"the Station Database stayed busy for 0.3 s"_s))
        << db.LastWrite().Problem.toStdString();
    QList<BreakFill> fills = Fills();
    float length = 0;
    EXPECT_FALSE(db.FillBreaks(marker.Position, fills, length));
    EXPECT_EQ(db.LastWrite().Result, WriteOutcome::Busy);
    neighbour.Stop();
    EXPECT_TRUE(HourItems(Day, 14).isEmpty());
    EXPECT_EQ(HourItems(Day, 13).size(), 4);
    EXPECT_EQ(HourItems(Day, 13)[0].Flags & ItemFlag::HasAdverts, 0);
}

TEST_F(StationWriterTest, AWriteTheDatabaseRefusesIsUndoneWithTheDatabasesOwnWords) {
    Exec(u"CREATE TRIGGER full BEFORE INSERT ON LogItems WHEN NEW.Duration = 40 "
         u"BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END"_s);
    QList<BreakFill> fills = Fills();
    float length = 0;
    EXPECT_FALSE(db.FillBreaks(marker.Position, fills, length));
    EXPECT_EQ(db.LastWrite().Result, WriteOutcome::Failed);
    EXPECT_EQ(db.LastWrite().Problem, u"database or disk is full");
    EXPECT_EQ(HourItems(Day, 13).size(), 4); // the first advert went with the second
    EXPECT_EQ(HourItems(Day, 13)[0].Flags & ItemFlag::HasAdverts, 0);

    LogHour again = Hour(Day, 13, {10});
    EXPECT_FALSE(db.WriteHour({Day, 13 * 3600}, again));
    EXPECT_EQ(db.LastWrite().Result, WriteOutcome::Refused);
    EXPECT_EQ(db.LastWrite().Problem, u"the hour is already in the Scheduled Log");
}

TEST_F(StationWriterTest, BreaksAreFilledOnlyInAnHourThatIsThereAndHoldsNoAdvertsYet) {
    QList<BreakFill> fills = Fills();
    float length = 0;
    ASSERT_TRUE(db.FillBreaks(marker.Position, fills, length));
    fills = Fills();
    EXPECT_FALSE(db.FillBreaks(marker.Position, fills, length));
    EXPECT_EQ(db.LastWrite().Problem, u"the hour already holds adverts");
    fills = {{marker.Position + 1e-9, {Advert(30)}}};
    EXPECT_FALSE(db.FillBreaks(StationDatabase::LocateHour({Day, 14 * 3600}), fills, length));
    EXPECT_EQ(db.LastWrite().Problem, u"the hour is no longer in the Scheduled Log");
    EXPECT_EQ(HourItems(Day, 13).size(), 6);
}
