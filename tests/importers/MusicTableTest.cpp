// A music log a scheduler exports as a table, read through the station's description.

#include "importers/MusicImportFixture.h"
#include "importers/MusicTableFormat.h"

#include <QDir>
#include <gtest/gtest.h>

class MusicTableTest : public MusicImportFixture {
protected:
    void SetUp() override {
        MusicImportFixture::SetUp();
        ASSERT_TRUE(QDir().mkpath(Path(u"ProgramData/Kestrane/Ostrel v3/Formats"_s)));
        WriteFile(
            Path(u"ProgramData/Kestrane/Ostrel v3/Formats/music-table.format"_s),
            "kind = table\nheader = yes\ndate = Date\ndate form = dd/mm/yyyy\nhour = Hour\n"
            "hour name = Clock\nitem = Type\nsong = MUS, SONG\njingle = JIN\nsweeper = SWP\nlink = LNK\n"
            "break = BRK\nnote = NOTE\ncart = Cart\ntitle = Title\nartist = Artist\nlength = Length\n"
            "break time = Time\n");
    }
    // An hour of every kind of item, in the native format.
    static QStringList NativeHour(int day, int hour) {
        return {u"+%1/11/10 %2:00 Breakfast"_s.arg(day, 2, 10, QLatin1Char('0')).arg(hour),
                Columns({{1, u"L"_s}, {2, u"1001"_s}, {10, u"First"_s}, {44, u"Artist, The"_s}}),
                Columns({{1, u"C"_s}, {2, u"2000"_s}}),
                Columns({{1, u":"_s}, {15, u"BREAK 00:15:00"_s}}),
                Columns({{1, u":"_s}, {15, u"Sports"_s}, {64, u"3001"_s}}),
                Columns({{1, u":"_s}, {15, u"Read the weather"_s}, {70, u"01:30"_s}}),
                Columns({{1, u":"_s}, {15, u"$C Remember"_s}}),
                Columns({{1, u"S"_s}, {2, u"2001"_s}})};
    }
    // The same hour as rows of the table.
    static QStringList TableHour(int day, int hour) {
        const QString at = u"%1/11/2010,%2,Breakfast,"_s.arg(day, 2, 10, QLatin1Char('0')).arg(hour);
        return {at + u"MUS,1001,First,\"Artist, The\",,"_s,
                at + u"jin,2000,,,,"_s,
                at + u"BRK,,,,,%1:15:00"_s.arg(hour),
                at + u"LNK,3001,Sports,,,"_s,
                at + u"LNK,,Read the weather,,90,"_s,
                at + u"NOTE,,Remember,,,"_s,
                at + u"SWP,2001,,,,"_s};
    }
    void WriteLog(int day, const QStringList& lines) {
        WriteFile(db.MusicLogFileName(Nov(day)), (lines.join(u"\r\n"_s) + u"\r\n"_s).toUtf8());
    }
};

TEST_F(MusicTableTest, ATableOfTwoDaysBuildsTheHoursTheNativeLogBuilds) {
    WriteLog(5, NativeHour(5, 10) + NativeHour(5, 11));
    WriteLog(6, NativeHour(6, 10));
    ASSERT_TRUE(Import(Nov(5), 10 * 3600, Nov(6), 10 * 3600));
    ASSERT_TRUE(db.Settings().SetValue(u"MusicLogFormat"_s, u"music-table"_s));
    const QString header = u"Date,Hour,Clock,Type,Cart,Title,Artist,Length,Time"_s;
    WriteLog(7, QStringList{header} + TableHour(7, 10) + TableHour(7, 11));
    WriteLog(8, QStringList{header} + TableHour(8, 10));
    ASSERT_TRUE(Import(Nov(7), 10 * 3600, Nov(8), 10 * 3600));
    for (const auto& [day, hour] : {std::pair{7, 10}, std::pair{7, 11}, std::pair{8, 10}})
        EXPECT_EQ(musicRun.HourAt({Nov(day), float(hour * 3600)})->Music, RunOutcome::Written);
    EXPECT_TRUE(musicRun.Warnings().filter(u"format"_s).isEmpty());

    for (const auto& [native, table] :
         {std::pair{std::pair{5, 10}, std::pair{7, 10}}, std::pair{std::pair{5, 11}, std::pair{7, 11}},
          std::pair{std::pair{6, 10}, std::pair{8, 10}}}) {
        const QList<LogItem> expected = HourItems(Nov(native.first), native.second);
        const QList<LogItem> got = HourItems(Nov(table.first), table.second);
        ASSERT_EQ(got.size(), expected.size());
        ASSERT_EQ(got.size(), 8);
        for (qsizetype i = 0; i < got.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(got[i].Type, expected[i].Type);
            EXPECT_EQ(got[i].State, expected[i].State);
            EXPECT_EQ(got[i].CartNumber, expected[i].CartNumber);
            EXPECT_EQ(got[i].Title, expected[i].Title);
            EXPECT_EQ(got[i].Text1, expected[i].Text1);
            EXPECT_EQ(got[i].Description, expected[i].Description);
            EXPECT_FLOAT_EQ(got[i].Duration, expected[i].Duration);
            EXPECT_FLOAT_EQ(got[i].Time - got[0].Time, expected[i].Time - expected[0].Time);
        }
    }
}

TEST_F(MusicTableTest, ARowTheTableCannotReadSpoilsItsHourAndIsNamed) {
    ASSERT_TRUE(db.Settings().SetValue(u"MusicLogFormat"_s, u"music-table"_s));
    QStringList rows{u"Date,Hour,Clock,Type,Cart,Title,Artist,Length,Time"_s};
    rows += TableHour(9, 10);
    rows += TableHour(9, 11);
    rows[10] = u"09/11/2010,11,Breakfast,PROMO,1001,,,,"_s; // a kind word the description does not give
    WriteLog(9, rows);
    ASSERT_TRUE(Import(Nov(9), 10 * 3600, Nov(9), 11 * 3600));
    EXPECT_EQ(HoursInLog(), QStringList{u"9 10"_s});
    const RunOutcome& run = musicRun;
    EXPECT_EQ(run.Status(), RunOutcome::WithWarnings);
    EXPECT_EQ(run.HourAt({Nov(9), 11 * 3600})->Music, RunOutcome::Unreadable);
    EXPECT_TRUE(
        run.HourAt({Nov(9), 11 * 3600})
            ->MusicReason.endsWith(u"line 11 of '"_s + db.MusicLogFileName(Nov(9)) +
                                   u"' cannot be read (the kind word 'PROMO' is not one the description "
                                   u"gives)"_s))
        << run.HourAt({Nov(9), 11 * 3600})->MusicReason.toStdString();
}

TEST_F(MusicTableTest, ABadTableDescriptionIsRefusedWithItsKeyAndWhy) {
    const auto refusal = [](const char* text) {
        QString problem;
        EXPECT_FALSE(MusicTableFormat::Parse(QString::fromLatin1(text), u"bad.format"_s, &problem));
        return problem;
    };
    EXPECT_EQ(refusal("kind = table\nhour = 2\nitem = 3\nsong = MUS\n"),
              u"bad.format: the date's column is missing");
    EXPECT_EQ(refusal("kind = table\ndate = 1\nhour = 2\nitem = 3\n"),
              u"bad.format: no kind word is given (song = ..., break = ...)");
    EXPECT_EQ(refusal("kind = table\ndate = 1\nhour = 2\nitem = 2\nsong = MUS\n"),
              u"bad.format: the hour and the item are one column");
    EXPECT_EQ(refusal("kind = table\ndate = 1\nhour = 2\nitem = 3\nsong = MUS\njingle = mus\n"),
              u"bad.format: line 6, key 'jingle': the word 'mus' is given to two kinds");
    EXPECT_EQ(refusal("kind = table\ndate = 1\nhour = 2\nitem = 3\nvideo = VID\n"),
              u"bad.format: line 5, key 'video': an unknown key");
    EXPECT_EQ(refusal("kind = columns\n"),
              u"bad.format: line 1, key 'kind': an unknown kind 'columns': table");
    EXPECT_EQ(refusal("kind = table\ndate = 1\ndate form = dd/mm\n"),
              u"bad.format: line 3, key 'date form': dd, mm and yyyy (or yy) with a separator or none");
}
