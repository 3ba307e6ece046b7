#include "base/Windows1252.h"
#include "importers/MusicImportFixture.h"
#include "support/BusyNeighbour.h"

#include "base/ScheduleDateTools.h"

#include <QFile>
#include <gtest/gtest.h>

class MusicImportTest : public MusicImportFixture {};

TEST_F(MusicImportTest, ARangeAcrossMidnightSendsExactlyItsHours) {
    QList<int> all;
    for (int h = 0; h < 24; ++h)
        all.append(h);
    WriteDay(5, all);
    WriteDay(6, all);
    ASSERT_TRUE(Import(Nov(5), 14 * 3600, Nov(6), 2 * 3600 + 3599.99f));
    EXPECT_EQ(HoursInLog(),
              QStringList({u"5 14"_s, u"5 15"_s, u"5 16"_s, u"5 17"_s, u"5 18"_s, u"5 19"_s, u"5 20"_s,
                           u"5 21"_s, u"5 22"_s, u"5 23"_s, u"6 00"_s, u"6 01"_s, u"6 02"_s}));

    // The hour as written: its start, two songs from the cart store, the break at :15.
    const auto hour = db.Log().ItemsBetween(ScheduledLog::LocateHour({Nov(5), 50400}),
                                            ScheduledLog::LocateHour({Nov(5), 50400}));
    ASSERT_EQ(hour.size(), 4);
    EXPECT_EQ(hour[0].Title, u"Hour 14");
    EXPECT_EQ(hour[0].Description, u"Hour 14");
    EXPECT_FLOAT_EQ(hour[0].Parameter(1), 1);
    EXPECT_EQ(hour[0].Flags, 1);
    EXPECT_FLOAT_EQ(hour[0].HourLength, 180 + 180 + 120);
    EXPECT_EQ(hour[1].Title, u"Cart Title"); // an item without a title takes the cart's
    EXPECT_EQ(hour[1].Text1, u"Cart Artist");
    EXPECT_FLOAT_EQ(hour[1].Duration, 180);
    EXPECT_FLOAT_EQ(hour[1].HourStart, 50400);
    EXPECT_EQ(hour[1].Transition, 50);
    EXPECT_EQ(hour[1].PlayTransition, 50);
    EXPECT_EQ(hour[3].Type, 4);
    EXPECT_EQ(hour[3].State, 1);
    EXPECT_FLOAT_EQ(hour[3].Time, 50400 + 900);

    EXPECT_TRUE(
        progress.Calls.contains(u"Clear:Number of items missing audio:|Number of Underrunning Hours:"_s));
    EXPECT_EQ(progress.Calls.back(), u"Clear:|"); // a finished run clears the counters' titles
    EXPECT_EQ(progress.OverallPercents.back(), 100);
    EXPECT_TRUE(progress.Calls.contains(u"Overall:Sending Music Log for Friday, 5 November 2010"_s) ||
                progress.Calls.contains(u"Overall:Sending Music Log for Friday 5 November 2010"_s));
    EXPECT_TRUE(progress.Calls.contains(u"Process:Opening Log for 14:00"_s));
    EXPECT_TRUE(progress.Calls.contains(u"Process:Importing into 2010-11-06 02:00:00"_s));
    EXPECT_EQ(db.Value(u"Music.LastChangeBy"_s), u"Log Importer v0.0.0");
}

TEST_F(MusicImportTest, OnlyTheHoursAFileHoldsAreSentAndMissingDaysAreReported) {
    WriteDay(5, {10, 11});
    EXPECT_TRUE(Import(Nov(5), 9 * 3600, Nov(6), ScheduleDateTools::EndOfDay));
    EXPECT_EQ(HoursInLog(), QStringList({u"5 10"_s, u"5 11"_s}));
    const QString file = db.MusicLogFileName(Nov(5));
    const QStringList lines = AppLogLines();
    ASSERT_EQ(lines.size(), 14) << lines.join(u'\n').toStdString();
    EXPECT_EQ(lines[0], u"Music:2010-11-05 09:00:00 - is not in the Music Log '"_s + file +
                            u"': no header for it; the next header, at line 2, is for 2010-11-05 10:00:00"_s);
    EXPECT_EQ(lines[1], u"Music:2010-11-05 12:00:00 - is not in the Music Log '"_s + file +
                            u"': no header for it after line 9"_s);
    EXPECT_EQ(lines.last(), u"Music:Log for Saturday, 6 November 2010 ('"_s + db.MusicLogFileName(Nov(6)) +
                                u"') could not be found."_s);
    EXPECT_EQ(musicRun.HoursNotInFile().size(), 13);
    EXPECT_EQ(musicRun.Status(), RunOutcome::WithWarnings);
}

TEST_F(MusicImportTest, AnHourTheFileDoesNotGiveEndsTheRunWithWarningsThoughNothingWasWarned) {
    WriteDay(5, {10, 11}); // the day's file is there: only its 12:00 is missing
    Import(Nov(5), 10 * 3600, Nov(5), 12 * 3600);
    const RunOutcome& run = musicRun;
    EXPECT_EQ(run.Count(RunOutcome::Written), 2);
    EXPECT_EQ(run.HoursNotInFile(), QList<ScheduleDate>({{Nov(5), 12 * 3600}}));
    EXPECT_TRUE(run.Warnings().isEmpty());
    EXPECT_EQ(run.Status(), RunOutcome::WithWarnings);
}

TEST_F(MusicImportTest, AnEmptyDayFileIsToldAsEmptyNotAsMissing) {
    WriteDay(5, {10});
    WriteFile(db.MusicLogFileName(Nov(6)), QByteArray());
    EXPECT_FALSE(Import(Nov(6), 0, Nov(6), ScheduleDateTools::EndOfDay)); // nothing to write
    EXPECT_EQ(AppLogLines().value(0), u"Music:Log for Saturday, 6 November 2010 ('"_s +
                                          db.MusicLogFileName(Nov(6)) + u"') is empty."_s);
    EXPECT_TRUE(musicRun.Warnings().join(u'\n').contains(u"is empty"_s));
    EXPECT_EQ(musicRun.Status(), RunOutcome::WithWarnings);
}

TEST_F(MusicImportTest, AnHourWhoseHeaderTheSearchCannotReachIsToldWithWhy) {
    const QString song = SongLine(u"1001"_s, QString());
    const auto day = [&](int date, const QStringList& headers) {
        QStringList lines;
        for (const QString& header : headers)
            lines << u"+%1/11/10 %2"_s.arg(date, 2, 10, QLatin1Char('0')).arg(header) << song;
        WriteFile(db.MusicLogFileName(Nov(date)), (lines.join(u"\r\n"_s) + u"\r\n"_s).toLatin1());
    };
    day(5, {u"10:00 Ten"_s, u"12:00 Twelve"_s, u"11:00 Eleven"_s}); // out of order
    day(6, {u"13:00 One"_s, u"13:00 Again"_s, u"15:00 Three"_s});   // the second should have been 14
    day(7, {u"09:00 Nine"_s, u"25:00 Typo"_s, u"11:00 Eleven"_s});  // no such hour
    Import(Nov(5), 10 * 3600, Nov(5), 12 * 3600);
    Import(Nov(6), 13 * 3600, Nov(6), 15 * 3600);
    Import(Nov(7), 9 * 3600, Nov(7), 11 * 3600);
    // The header that cannot be read may have begun the 10th or stood among the 9th's
    // items: which hour the song after it is cannot be told, so the 9th is not written.
    EXPECT_EQ(HoursInLog(), QStringList({u"5 10"_s, u"5 12"_s, u"6 13"_s, u"6 15"_s, u"7 11"_s}));
    const QStringList missing = AppLogLines().filter(u"is not in the Music Log"_s);
    const auto told = [&](int date, const QString& hour, const QString& why) {
        return u"Music:2010-11-%1 %2 - is not in the Music Log '"_s.arg(date, 2, 10, QLatin1Char('0'))
                   .arg(hour) +
               db.MusicLogFileName(Nov(date)) + u"': "_s + why;
    };
    EXPECT_EQ(
        missing,
        QStringList(
            {told(5, u"11:00:00"_s,
                  u"its header at line 5 comes after the header of a later hour, and the log is "
                  u"read forward only"_s),
             told(6, u"14:00:00"_s, u"no header for it; the header at line 3 repeats an hour given before"_s),
             told(7, u"10:00:00"_s, u"no header for it; the header at line 3 cannot be read"_s)}))
        << missing.join(u'\n').toStdString();
    // The unreadable header is told once, with its file and line, and the run warns of it.
    EXPECT_EQ(op.MessageTexts(),
              QStringList{u"There was a problem reading the time from the Music Log and the "
                          u"error's description was reported as : \n\n\"line 3 of '"_s +
                          db.MusicLogFileName(Nov(7)) + u"': +07/11/10 25:00 Typo\""_s});
    const QString where = u"line 3 of '"_s + db.MusicLogFileName(Nov(7)) + u"'"_s;
    EXPECT_EQ(
        musicRun.Warnings(),
        QStringList({where + u": the hour header's hour is not one from 0 to 23"_s,
                     u"2010-11-07 09:00:00 was not written: one of the Log Items could not be added to the "
                     u"log: "_s +
                         where +
                         u" cannot be read (a header inside the hour: the hour header's hour is not one "
                         u"from 0 to 23)"_s}));
    EXPECT_EQ(musicRun.Status(), RunOutcome::WithWarnings);
}

TEST_F(MusicImportTest, AHeaderCutOffAtItsClockLineIsNotAnHourUntilTheFileIsWhole) {
    const QString cut = u"+05/11/10 10:00 Ten\r\n"_s + SongLine(u"1001"_s, QString()) +
                        u"\r\n+*************\r\nDate : 05/11/10\r\nHour : 11\r\nClock: Eleven"_s;
    WriteFile(db.MusicLogFileName(Nov(5)), cut.toLatin1());
    EXPECT_FALSE(importer.ScanLogFile(db, db.MusicLogFileName(Nov(5))));
    Import(Nov(5), 10 * 3600, Nov(5), 11 * 3600);
    EXPECT_EQ(HoursInLog(), QStringList{u"5 10"_s});
    EXPECT_TRUE(musicRun.Warnings().contains(u"line 3 of '"_s + db.MusicLogFileName(Nov(5)) +
                                             u"': the file ends inside the hour header"_s));
    EXPECT_TRUE(op.Messages.isEmpty()); // the end of a file is not the operator's to answer

    WriteFile(db.MusicLogFileName(Nov(5)), (cut + u"\r\n"_s + SongLine(u"1001"_s, QString())).toLatin1());
    ASSERT_TRUE(Import(Nov(5), 10 * 3600, Nov(5), 11 * 3600));
    EXPECT_EQ(HoursInLog(), QStringList({u"5 10"_s, u"5 11"_s})); // the whole file's hour, not an empty one
    EXPECT_EQ(db.Log()
                  .ItemsBetween(ScheduledLog::LocateHour({Nov(5), 11 * 3600}),
                                ScheduledLog::LocateHour({Nov(5), 11 * 3600}))
                  .size(),
              2);
}

TEST_F(MusicImportTest, LineEndsAndEncodingsOfEveryKindReadToTheSameItems) {
    const QString day = u"+05/11/10 09:00 Morning\n"_s + SongLine(u"1001"_s, u"Caf\u00e9 Cr\u00e8me"_s) +
                        u"\n"_s + Columns({{1, u":"_s}, {15, u"BREAK 00:15:00"_s}}) + u"\n"_s;
    const QList<std::pair<const char*, QByteArray>> forms = {
        {"CR LF", Windows1252::Encode(QString(day).replace(u"\n"_s, u"\r\n"_s))},
        {"LF", Windows1252::Encode(day)},
        {"CR", Windows1252::Encode(QString(day).replace(u'\n', u'\r'))},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + day.toUtf8()},
        {"UTF-8", day.toUtf8()}};
    QList<QStringList> read;
    for (const auto& [form, bytes] : forms) {
        db.Log().RemoveAllLogEntries();
        WriteFile(db.MusicLogFileName(Nov(5)), bytes);
        Import(Nov(5), 9 * 3600, Nov(5), 9 * 3600);
        QStringList items;
        for (const LogItem& item : db.Log().ItemsBetween(0, 1e6))
            items.append(u"%1|%2|%3|%4|%5"_s.arg(item.Type)
                             .arg(item.CartNumber, item.Title, item.Text1)
                             .arg(item.Time));
        EXPECT_EQ(items.size(), 3) << form;
        read.append(items);
    }
    EXPECT_EQ(read[0].value(1), u"3|1001|Caf\u00e9 Cr\u00e8me|Artist|32400"); // columns count characters
    for (qsizetype i = 1; i < read.size(); ++i)
        EXPECT_EQ(read[i], read[0]) << forms[i].first;
}
TEST_F(MusicImportTest, MissingAndSilentCartsAreCountedAndStillWritten) {
    Cart silent;
    silent.Number = u"1002"_s;
    silent.Title = u"No Audio"_s;
    ASSERT_TRUE(db.Carts().Save({silent}));
    WriteFile(db.MusicLogFileName(Nov(5)),
              (u"+05/11/10 09:00 Morning\r\n"_s + SongLine(u"1001"_s, u"1001"_s) + u"\r\n"_s +
               SongLine(u"1002"_s, u"Quiet One"_s) + u"\r\n"_s + SongLine(u"1003"_s, u"  Gone  "_s) +
               u"\r\n"_s)
                  .toLatin1());
    ASSERT_TRUE(Import(Nov(5), 9 * 3600, Nov(5), 9 * 3600));
    const auto hour = db.Log().ItemsBetween(0, 1e6);
    ASSERT_EQ(hour.size(), 4);
    EXPECT_EQ(hour[1].Title, u"Cart Title"); // a title equal to the cart number takes the cart's
    EXPECT_EQ(hour[2].Title, u"Quiet One");
    EXPECT_FLOAT_EQ(hour[2].Duration, 0);
    EXPECT_EQ(hour[3].CartNumber, u"1003");
    EXPECT_EQ(progress.Increments[1], 2);
    EXPECT_EQ(AppLogLines(),
              QStringList(
                  {u"Music:2010-11-05 09:00:00 - Cart 1002 ('Quiet One') has been scheduled to play, but has "
                   u"no audio"_s,
                   u"Music:2010-11-05 09:00:00 - Cart 1003 ('Gone') has been scheduled to play, but does not "
                   u"exist"_s}));
}

TEST_F(MusicImportTest, AShortHourIsWrittenAndCountedAsUnderrunning) {
    ASSERT_TRUE(db.Settings().SetValue(u"UnderrunThreshold"_s, u"3000"_s));
    WriteDay(5, {7}, {u"1001"_s, u"1001"_s, u"1001"_s});
    ASSERT_TRUE(Import(Nov(5), 7 * 3600, Nov(5), 7 * 3600));
    EXPECT_EQ(HoursInLog(), QStringList{u"5 07"_s});
    EXPECT_EQ(progress.Increments[2], 1);
    EXPECT_EQ(
        AppLogLines(),
        QStringList{u"Music:2010-11-05 07:00:00 - this hour is only 11:00 minutes long, so may underrun"_s});
}

TEST_F(MusicImportTest, RecentHistoryIsKeptBelowItsLimit) {
    const QString history = Path(u"Logs/Log Importer/RecentHistory.log"_s);
    WriteDay(5, {10});
    WriteFile(history, QByteArray(499999, 'x'));
    Import(Nov(5), 10 * 3600, Nov(5), 10 * 3600 + 3599.99f);
    EXPECT_GT(QFileInfo(history).size(), 499999);
    WriteFile(history, QByteArray(500000, 'x'));
    Import(Nov(5), 10 * 3600, Nov(5), 10 * 3600 + 3599.99f);
    EXPECT_EQ(HistoryLines(),
              QStringList({u"Begin send new entries, 2010-11-05 10:00:00 to 2010-11-05 10:59:59"_s,
                           u"Importing log into Station Database Test FM"_s}));
}

TEST_F(MusicImportTest, AutoPurgeRemovesWhatIsOlderThanItsDays) {
    Write(Nov(15), 10, {60});
    Write(Nov(16), 10, {60});
    WriteDay(22, {10});
    Import(Nov(22), 10 * 3600, Nov(22), 10 * 3600);
    EXPECT_EQ(HoursInLog(), QStringList({u"15 10"_s, u"16 10"_s, u"22 10"_s})); // AutoPurgeDays 0 keeps all

    ASSERT_TRUE(db.Settings().SetValue(u"AutoPurgeDays"_s, u"7"_s));
    QFile::remove(Path(u"Logs/Log Importer/RecentHistory.log"_s));
    Import(Nov(22), 10 * 3600, Nov(22), 10 * 3600);
    EXPECT_EQ(HoursInLog(), QStringList({u"16 10"_s, u"22 10"_s})); // today is the 23rd: the 15th goes
    EXPECT_EQ(HistoryLines().value(1),
              u"Purging older entries from Log, Log Start = Sat 1 January 2000 00:00:00, "
              u"Log End = Mon 15 November 2010 23:59:59");
}

TEST_F(MusicImportTest, BadLinesDropTheirHourAndJunkNeverHangsTheRun) {
    WriteFile(db.MusicLogFileName(Nov(5)), (HourLines(5, 8, {u"1001"_s}) + u"\r\n"_s +
                                            Columns({{1, u"L"_s}, {2, u"1001"_s}, {101, u"50%off"_s}}) +
                                            u"\r\n"_s + HourLines(5, 9, {u"1001"_s}) + u"\r\n"_s)
                                               .toLatin1());
    QByteArray junk;
    for (qint64 i = 0; i < 300000; ++i) {
        const char byte = char((i * 7919) % 251 + 1);
        junk.append(byte == '\n' ? 'x' : byte); // one line of binary junk, with no line end
    }
    WriteFile(db.MusicLogFileName(Nov(6)), "+06/11/10 03:00 Junk\r\n" + junk);
    EXPECT_TRUE(Import(Nov(5), 0, Nov(6), ScheduleDateTools::EndOfDay));
    EXPECT_EQ(HoursInLog().first(), u"5 09");
    EXPECT_EQ(AppLogLines()
                  .filter(u"Music:2010-11-05 08:00:00 - one of the Log Items could not be added to the log: "
                          u"line 4 of '"_s) // the note with a bad %-escape
                  .size(),
              1)
        << AppLogLines().join(u'\n').toStdString();
    // The file offered the hour: it is not written, not missing from the file.
    const ScheduleDate eight{Nov(5), 8 * 3600};
    EXPECT_EQ(musicRun.HourAt(eight)->Music, RunOutcome::Unreadable);
    EXPECT_TRUE(musicRun.HoursNotWritten().contains(eight));
    EXPECT_FALSE(musicRun.HoursNotInFile().contains(eight));
    EXPECT_EQ(musicRun.Status(), RunOutcome::WithWarnings);
    for (const LogItem& item : db.Log().ItemsBetween(0, 1e6))
        EXPECT_NE(ScheduledLog::ScheduleDateFromDate(item.Position), (ScheduleDate{Nov(5), 8 * 3600}));
}

TEST_F(MusicImportTest, ADatabaseBusyBeyondThePatienceStopsTheRunsWritingAndEveryLaterHourIsReported) {
    WriteDay(5, {10, 11, 12});
    db.SetPatience(300);
    BusyNeighbour playout(DatabasePath());
    playout.HoldFor(std::chrono::milliseconds(2000));
    EXPECT_FALSE(Import(Nov(5), 10 * 3600, Nov(5), 12 * 3600));
    playout.Stop();
    const RunOutcome& run = musicRun;
    EXPECT_EQ(run.Status(), RunOutcome::Incomplete);
    EXPECT_EQ(run.HoursNotWritten().size(), 3);
    EXPECT_EQ(run.Count(RunOutcome::Written), 0);
    const QStringList lines = AppLogLines();
    EXPECT_TRUE(lines.contains(u"Music:2010-11-05 10:00:00 - could not be written to the Log: the Station "
                               u"Database stayed busy for 0.3 s (database is locked)"_s))
        << lines.join(u'\n').toStdString();
    EXPECT_TRUE(lines.contains(u"Music:2010-11-05 12:00:00 - could not be written to the Log: the run "
                               u"stopped writing, as the Station Database stayed busy for 0.3 s (database "
                               u"is locked)"_s));
    EXPECT_FALSE(db.Log().FirstLogItem());
    EXPECT_FALSE(db.Value(u"Music.LastChangeBy"_s)); // no stamp for a run that gave up

    musicRun.Start(false, false); // the next run has its patience again
    ASSERT_TRUE(Import(Nov(5), 10 * 3600, Nov(5), 12 * 3600));
    EXPECT_EQ(musicRun.Count(RunOutcome::Written), 3);
    EXPECT_EQ(musicRun.Status(), RunOutcome::Complete);
}
