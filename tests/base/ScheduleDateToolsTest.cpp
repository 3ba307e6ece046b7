#include "base/ScheduleDateTools.h"

#include "support/TempHome.h"

#include <gtest/gtest.h>

namespace {
constexpr qint32 nov23 = 40505; // 23 November 2010

ScheduleDate at(qint32 day, double seconds) {
    return {day, float(seconds)};
}
} // namespace

TEST(ScheduleDateTools, AddSecondsCarriesAcrossMidnightBothWays) {
    const struct {
        ScheduleDate from;
        double add;
        ScheduleDate expected;
    } cases[] = {
        {at(nov23, 82800), 3600, at(nov23 + 1, 0)},
        {at(nov23, 86000), 1000, at(nov23 + 1, 600)},
        {at(nov23, 600), -1200, at(nov23 - 1, 85800)},
        {at(nov23, 0), -0.5, at(nov23 - 1, 86399.5)},
        {at(nov23, 3600), 3 * 86400 + 60, at(nov23 + 3, 3660)},
        {at(nov23, 3600), -2 * 86400, at(nov23 - 2, 3600)},
        {at(nov23, 0), 86399.99, at(nov23, ScheduleDateTools::EndOfDay)},
        {at(nov23, 46800), 3599.99, at(nov23, 50399.99)},
    };
    for (const auto& c : cases) {
        const ScheduleDate got = ScheduleDateTools::AddSeconds(c.from, c.add);
        EXPECT_EQ(got.Day, c.expected.Day) << c.from.Seconds << " + " << c.add;
        EXPECT_FLOAT_EQ(got.Seconds, c.expected.Seconds) << c.from.Seconds << " + " << c.add;
        EXPECT_GE(got.Seconds, 0.0f);
        EXPECT_LT(got.Seconds, 86400.0f);
    }
    EXPECT_EQ(ScheduleDateTools::ShiftSeconds(3600, nov23), at(nov23, 3600));
}

TEST(ScheduleDateTools, ComparesAndMeasuresPoints) {
    const ScheduleDate a = at(nov23, 86399.99);
    const ScheduleDate b = at(nov23 + 1, 0);
    EXPECT_TRUE(ScheduleDateTools::IsBefore(a, b));
    EXPECT_FALSE(ScheduleDateTools::IsBefore(b, a));
    EXPECT_TRUE(ScheduleDateTools::IsAfter(b, a));
    EXPECT_TRUE(ScheduleDateTools::IsNotBefore(a, a));
    EXPECT_FALSE(ScheduleDateTools::IsNotBefore(a, b));
    EXPECT_NEAR(ScheduleDateTools::Difference(b, a), 0.01, 0.005); // 86399.99 as a float
    EXPECT_DOUBLE_EQ(ScheduleDateTools::Difference(at(nov23 + 1, 3600), at(nov23, 7200)), 82800);
    EXPECT_TRUE(ScheduleDateTools::IsSameHour(at(nov23, 50400), at(nov23, 53999.99)));
    EXPECT_FALSE(ScheduleDateTools::IsSameHour(at(nov23, 50400), at(nov23, 54000)));
    EXPECT_FALSE(ScheduleDateTools::IsSameHour(at(nov23, 50400), at(nov23 + 1, 50400)));
}

TEST(ScheduleDateTools, FormattedDatesReadBackAsTheSamePoint) {
    const ScheduleDate points[] = {at(nov23, 50400), at(nov23, 0), at(nov23 + 40, 86399), at(36526, 3723)};
    for (const ScheduleDate& point : points) {
        for (const int style : {4, 14}) {
            const QString text = ScheduleDateTools::FormatScheduleDate(point, style);
            EXPECT_EQ(ScheduleDateTools::ParseDate(text), point) << text.toStdString();
        }
    }
    EXPECT_EQ(ScheduleDateTools::FormatScheduleDate(at(nov23, 50400), 4), u"2010-11-23 14:00:00");
    EXPECT_EQ(ScheduleDateTools::FormatScheduleDate(at(nov23, 50400), 14), u"Tue 23 November 2010 14:00:00");
    EXPECT_EQ(ScheduleDateTools::ParseDate(u"not a date"), ScheduleDate{});
}

class ScheduleDateToday : public TempHome {};
