#include "importers/MusicImportFixture.h"

#include "base/GeneralTools.h"
#include "base/ScheduleDateTools.h"

#include <gtest/gtest.h>

class MusicScanTest : public MusicImportFixture {
protected:
    bool Scan() {
        const auto range = importer.ScanLogFiles(db);
        start = range ? range->From : ScheduleDate{};
        end = range ? range->To : ScheduleDate{};
        return range.has_value();
    }
    ScheduleDate start, end;
};

TEST_F(MusicScanTest, TheRangeRunsFromTheFirstFilesFirstHourToTheLastFilesLastHour) {
    QList<int> morning, evening;
    for (int h = 6; h < 24; ++h)
        evening.append(h);
    for (int h = 12; h >= 0; --h) // out of order: the earliest and latest headers still win
        morning.append(h);
    WriteDay(1, evening);
    for (int day = 2; day <= 4; ++day)
        WriteFile(db.MusicLogFileName(Nov(day)), "not even read");
    WriteDay(5, morning);
    WriteFile(MusicFolder() + u"/101103.bak"_s, "a sixth name");
    WriteFile(MusicFolder() + u"/000000.txt"_s, "a date of value 0");
    WriteFile(MusicFolder() + u"/.101107"_s, "hidden");
    ASSERT_TRUE(Scan());
    EXPECT_EQ(start, (ScheduleDate{Nov(1), 6 * 3600}));
    EXPECT_EQ(end.Day, Nov(5));
    EXPECT_FLOAT_EQ(end.Seconds, 12 * 3600 + 3599.99f);
}

TEST_F(MusicScanTest, ALastFileWithoutHeadersEndsAnHourFromItsMidnight) {
    WriteDay(1, {10});
    WriteFile(db.MusicLogFileName(Nov(3)), "; nothing scheduled\r\n");
    ASSERT_TRUE(Scan());
    EXPECT_EQ(start, (ScheduleDate{Nov(1), 10 * 3600}));
    EXPECT_EQ(end, (ScheduleDate{Nov(3), 3600}));
    // A first file without headers gives the file scan's unset start.
    WriteFile(db.MusicLogFileName(Nov(1)), "; nothing here either\r\n");
    WriteDay(3, {5});
    ASSERT_TRUE(Scan());
    EXPECT_EQ(start, ScheduleDate{});
    EXPECT_EQ(end, (ScheduleDate{Nov(3), 5 * 3600 + 3599.99f}));
}

TEST_F(MusicScanTest, AnUnknownFormatOrNoFilesFindNoRange) {
    GeneralTools::SetDebugLevel(5);
    EXPECT_FALSE(Scan()); // the folder does not even exist
    WriteDay(1, {10});
    db.Settings().SetValue(u"MusicFileNameFormat"_s, u"yymmdd"_s);
    ASSERT_TRUE(Scan());
    // Settings may hold a format this program does not know: the search stops before the day counts.
    Exec(u"UPDATE StationSettings SET Value = 'yyyymm' WHERE Name = 'MusicFileNameFormat'"_s);
    db.Close();
    ASSERT_EQ(db.OpenLocation(DatabasePath()), StationDatabase::Opened);
    EXPECT_FALSE(Scan());
    const QStringList trace = LinesOf(Path(u"DebugFiles/logimporter.20101123.log"_s));
    EXPECT_EQ(trace.back(), u"14:03:22 Exiting ScanLogFilesForDateRanges as no range found");
    EXPECT_TRUE(
        trace.contains(u"14:03:22     Finding first matching file - "_s + MusicFolder() + u"/??????*"_s));
}

TEST_F(MusicScanTest, ScanningOneFileReadsItsHeadersToTheEnd) {
    GeneralTools::SetDebugLevel(5);
    WriteDay(7, {9, 10});
    const auto range = importer.ScanLogFile(db, db.MusicLogFileName(Nov(7)));
    ASSERT_TRUE(range);
    EXPECT_EQ(range->From, (ScheduleDate{Nov(7), 9 * 3600}));
    EXPECT_EQ(range->To, (ScheduleDate{Nov(7), 10 * 3600 + 3599.99f}));
    EXPECT_TRUE(LinesOf(Path(u"DebugFiles/logimporter.20101123.log"_s))
                    .contains(u"14:03:22     Found hour 2010-11-07 10:00:00, Name - Hour 10"_s));
    EXPECT_FALSE(importer.ScanLogFile(db, Path(u"missing.txt"_s)));
}
