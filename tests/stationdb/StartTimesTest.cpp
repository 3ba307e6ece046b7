#include "stationdb/StartTimes.h"

#include <gtest/gtest.h>

namespace {
LogItem item(int type, int state, float duration, float time = 0, int flags = 0) {
    LogItem made;
    made.Type = type;
    made.State = state;
    made.Duration = duration;
    made.Time = time;
    made.Flags = flags;
    return made;
}
} // namespace

TEST(StartTimes, ItemsFollowEachOtherAndFixedTimesHold) {
    const float hour = 7200;
    QList<LogItem> items = {
        item(98, 2, 0, hour),
        item(3, 2, 200),
        item(1, 2, 10, hour + 600), // a timed event at 02:10: a gap before it
        item(3, 2, 100),
        item(14, 2, 120, hour + 650), // a split inside the item before: the clock goes back
        item(4, 1, 120, hour + 5000), // a break outside the hour keeps no time of its own
        item(3, 2, 50, hour + 9999),  // an ordinary item's own time is not kept
    };
    const float length = StartTimes::Apply(items, hour);
    EXPECT_FLOAT_EQ(items[1].Time, hour);
    EXPECT_FLOAT_EQ(items[2].Time, hour + 600);
    EXPECT_FLOAT_EQ(items[3].Time, hour + 610);
    EXPECT_FLOAT_EQ(items[4].Time, hour + 650);
    EXPECT_FLOAT_EQ(items[5].Time, hour + 770);
    EXPECT_FLOAT_EQ(items[6].Time, hour + 890);
    EXPECT_FLOAT_EQ(length, 200 + 10 + 100 + 120 + 120 + 50);

    // A timed event at the very start of the hour holds its time after what plays first.
    QList<LogItem> top = {item(98, 2, 0, hour), item(2, 2, 8), item(1, 2, 0, hour)};
    StartTimes::Apply(top, hour);
    EXPECT_FLOAT_EQ(top[2].Time, hour);
}

TEST(StartTimes, AFedBreakTakesNoTimeButItsAdvertsDo) {
    QList<LogItem> items = {item(98, 2, 0, 0),
                            item(4, 1, 120, 900),
                            item(4, 2, 30, 900, 3),
                            item(4, 2, 45, 900, 3),
                            item(4, 2, 20, 0, 0) /* a music advert, not pushed */,
                            item(4, 1, 120, 1800)};
    EXPECT_FLOAT_EQ(StartTimes::Apply(items, 0), 30 + 45 + 20 + 120);
    EXPECT_FLOAT_EQ(items[2].Time, 900);
    EXPECT_FLOAT_EQ(items[3].Time, 930);
    EXPECT_FLOAT_EQ(items[4].Time, 975);
    EXPECT_FLOAT_EQ(items[5].Time, 1800);
}
