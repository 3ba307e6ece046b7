#include "base/GeneralTools.h"
#include "base/ScheduleDateTools.h"
#include "importers/advert/AdvertLineLayout.h"
#include "importers/advert/AdvertLogImporter.h"
#include "importers/advert/AdvertPushFixture.h"
#include "support/Columns.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

class AdvertPushTest : public AdvertPushFixture {};

TEST_F(AdvertPushTest, AdvertsAtTheBreaksSecondGoInAndOthersGoNowhere) {
    MusicHours(5, {14});
    AdvertLog(5, {Advert(u"14:15:00"_s, u"0034"_s),
                  Advert(u"14:15:00"_s, u"0099"_s, u"Line Title"_s, u"SPOT"_s, u"Read this!"_s),
                  Advert(u"14:15:30"_s, u"0034"_s, u"Too late"_s)});
    ASSERT_TRUE(Push(Nov(5), 14 * 3600, Nov(5), 14 * 3600));
    const auto hour = Hour(5, 14);
    ASSERT_EQ(hour.size(), 5);
    EXPECT_EQ(hour[0].Flags, ItemFlag::Imported | ItemFlag::HasAdverts); // marked, keeping the music's bit
    EXPECT_EQ(hour[2].Title, u"Advert Break");
    const LogItem& first = hour[3];
    EXPECT_EQ(first.Type, 4);
    EXPECT_EQ(first.State, 2);
    EXPECT_EQ(first.Flags, 3);
    EXPECT_EQ(first.CartNumber, u"0034");
    EXPECT_EQ(first.Title, u"Cart Advert"); // no title in the line: the cart's
    EXPECT_FLOAT_EQ(first.Duration, 29.5f);
    EXPECT_FLOAT_EQ(first.HourStart, 14 * 3600 + 900);
    EXPECT_EQ(first.Reference, u"REF 0034");
    EXPECT_EQ(first.Description, u"REF 0034");
    EXPECT_EQ(first.Transition, 50);
    EXPECT_EQ(first.PlayTransition, 50);
    const LogItem& last = hour[4];
    EXPECT_EQ(last.Title, u"Line Title");
    EXPECT_EQ(last.Note, u"Read this!");
    EXPECT_EQ(last.Transition, 0); // the break ends with a stop
    EXPECT_EQ(last.PlayTransition, 0);
    EXPECT_FLOAT_EQ(last.Time, 14 * 3600 + 900 + 29.5f);
    EXPECT_FLOAT_EQ(hour[0].HourLength, 180 + 29.5f + 0);

    EXPECT_EQ(progress.Increments[1], 1); // cart 0099 does not exist
    EXPECT_TRUE(AdLines().contains(
        u"AdLog:2010-11-05 14:00:00 - Cart 0099 ('') has been scheduled to play, but does not exist"_s));
    EXPECT_TRUE(op.Messages.isEmpty()); // the run's closing box shows the summary, not the push
    EXPECT_EQ(HistoryLines().mid(HistoryLines().size() - 3),
              QStringList({u"Begin Advert Push, 2010-11-05 14:00:00 to 2010-11-05 14:00:00"_s,
                           u"Pushing Adverts into Station Database Test FM"_s,
                           u"Finish Advert Push, 2 adverts pushed into 1 ad break(s)"_s}));
}

TEST_F(AdvertPushTest, EmptyBreaksAreCountedAndARepeatRetriesOnlyThem) {
    MusicHours(5, {9, 10});
    AdvertLog(5, {Advert(u"09:15:00"_s, u"0034"_s), QString(), Advert(u"10:14:59"_s, u"0034"_s)});
    ASSERT_TRUE(Push(Nov(5), 9 * 3600, Nov(5), 10 * 3600));
    EXPECT_EQ(HistoryLines().last(),
              u"Finish Advert Push, 1 adverts pushed into 2 ad break(s) of which 1 break(s) "
              u"remained empty.");
    EXPECT_TRUE(
        AdLines().contains(u"AdLog:2010-11-05 10:00:00 - no adverts were pushed into the Scheduled Log"_s));

    AdvertLog(5, {Advert(u"09:15:00"_s, u"0034"_s), Advert(u"10:15:00"_s, u"0034"_s)});
    ASSERT_TRUE(Push(Nov(5), 9 * 3600, Nov(5), 10 * 3600));
    EXPECT_TRUE(AdLines().contains(
        u"AdLog:2010-11-05 09:00:00 - already had adverts in the Scheduled Log so was not re-sent"_s));
    EXPECT_EQ(Hour(5, 9).size(), 4);  // not pushed twice
    EXPECT_EQ(Hour(5, 10).size(), 4); // retried, and filled
    EXPECT_EQ(HistoryLines().last(), u"Finish Advert Push, 1 adverts pushed into 1 ad break(s)");
}

TEST_F(AdvertPushTest, AnHourMetAsAlreadyThereThatHadStartedKeepsItsBreaksWhileALaterOneIsFilled) {
    MusicHours(23, {14, 15}); // the clock stands at 14:03 on the 23rd
    AdvertLog(23, {Advert(u"14:15:00"_s, u"0034"_s), Advert(u"15:15:00"_s, u"0034"_s)});
    RunOutcome& run = musicRun; // one unattended run of both importers
    run.Start(false, false);
    Import(Nov(23), 14 * 3600, Nov(23), 15 * 3600);
    ASSERT_EQ(run.Count(RunOutcome::Skipped), 2); // its music met both hours as already there
    ASSERT_TRUE(adverts.Import(db, {{Nov(23), 14 * 3600}, {Nov(23), 15 * 3600}}, run));
    EXPECT_EQ(run.AdvertHoursTooLate(), QList<ScheduleDate>({{Nov(23), 14 * 3600}}));
    EXPECT_EQ(Hour(23, 14).size(), 3);
    EXPECT_EQ(run.HourAt({Nov(23), 15 * 3600})->Adverts, RunOutcome::Written);
    EXPECT_EQ(Hour(23, 15).size(), 4);
}

TEST_F(AdvertPushTest, TwoBreaksAtOneTimeShareARunOnlyWhenABlankLineSplitsIt) {
    const QString secondBreak = Columns({{1, u":"_s}, {15, u"BREAK 00:15:00"_s}}); // at the same time
    MusicHours(5, {8}, {secondBreak});
    AdvertLog(5, {Advert(u"08:15:00"_s, u"0034"_s), Advert(u"08:15:00"_s, u"0034"_s)});
    ASSERT_TRUE(Push(Nov(5), 8 * 3600, Nov(5), 8 * 3600));
    auto hour = Hour(5, 8);
    ASSERT_EQ(hour.size(), 6);
    EXPECT_EQ(hour[3].Type, 4);
    EXPECT_EQ(hour[3].State, 2); // both adverts went after the first marker
    EXPECT_EQ(hour[5].State, 1);

    MusicHours(6, {8}, {secondBreak});
    AdvertLog(6, {Advert(u"08:15:00"_s, u"0034"_s), QString(), Advert(u"08:15:00"_s, u"0034"_s)});
    ASSERT_TRUE(Push(Nov(6), 8 * 3600, Nov(6), 8 * 3600));
    hour = Hour(6, 8);
    ASSERT_EQ(hour.size(), 6);
    EXPECT_EQ(hour[3].State, 2);
    EXPECT_EQ(hour[4].State, 1);
    EXPECT_EQ(hour[5].State, 2); // the second run went after the second marker
}

TEST_F(AdvertPushTest, TheTypeFilterDropsOtherTypesAndEveryCRecord) {
    MusicHours(5, {7});
    db.Settings().SetValue(u"AdvertTypeFilter"_s, u" spot "_s);
    AdvertLog(5, {Advert(u"07:15:00"_s, u"0034"_s, u"Kept"_s),
                  Advert(u"07:15:00"_s, u"0034"_s, u"Dropped"_s, u"PROM"_s),
                  u"C0715:  0034Record Line               00:30    R"_s,
                  Advert(u"07:15:00"_s, u"0034"_s, u"Also"_s)});
    ASSERT_TRUE(Push(Nov(5), 7 * 3600, Nov(5), 7 * 3600));
    const auto hour = Hour(5, 7);
    ASSERT_EQ(hour.size(), 5);
    EXPECT_EQ(hour[3].Title, u"Kept");
    EXPECT_EQ(hour[4].Title, u"Also");
}

TEST_F(AdvertPushTest, InModeTwoTheStopKeepsItsPlayTransition) {
    WriteFile(db.MusicLogFileName(Nov(7)),
              (u"+07/11/10 06:00 Mode two\r\n"_s + Columns({{1, u":"_s}, {15, u"$AON"_s}}) + u"\r\n"_s +
               Columns({{1, u":"_s}, {15, u"BREAK 00:15:00"_s}}) + u"\r\n"_s)
                  .toLatin1());
    ASSERT_TRUE(Import(Nov(7), 0, Nov(7), ScheduleDateTools::EndOfDay));
    AdvertLog(7, {Advert(u"06:15:00"_s, u"0034"_s), Advert(u"06:15:00"_s, u"0034"_s)});
    ASSERT_TRUE(Push(Nov(7), 6 * 3600, Nov(7), 6 * 3600));
    const auto hour = Hour(7, 6);
    ASSERT_EQ(hour.size(), 4);
    EXPECT_EQ(hour[0].Flags & 0xC000, ItemFlag::HourFlag); // $AON marks the hour start, and nothing else
    EXPECT_EQ(hour[2].Transition, 50);
    EXPECT_EQ(hour[3].Transition, 0);
    EXPECT_EQ(hour[3].PlayTransition, 50);
}

TEST_F(AdvertPushTest, RangesRunHourByHourAcrossMidnightAndSkipMissingDays) {
    MusicHours(5, {22, 23});
    MusicHours(6, {0, 1, 2});
    MusicHours(8, {0});
    AdvertLog(5, {Advert(u"22:15:00"_s, u"0034"_s), Advert(u"23:15:00"_s, u"0034"_s)});
    AdvertLog(6, {Advert(u"00:15:00"_s, u"0034"_s), Advert(u"01:15:00"_s, u"0034"_s),
                  Advert(u"02:15:00"_s, u"0034"_s)});
    AdvertLog(8, {Advert(u"00:15:00"_s, u"0034"_s)});
    ASSERT_TRUE(Push(Nov(5), 23 * 3600 + 1800, Nov(6), 3600 + 600)); // 23:30 to 01:10
    EXPECT_EQ(Hour(5, 22).size(), 3);
    EXPECT_EQ(Hour(5, 23).size(), 4);
    EXPECT_EQ(Hour(6, 0).size(), 4);
    EXPECT_EQ(Hour(6, 1).size(), 4);
    EXPECT_EQ(Hour(6, 2).size(), 3);

    ASSERT_TRUE(Push(Nov(7), 0, Nov(8), 0));
    EXPECT_TRUE(AdLines().contains(u"AdLog:Log for Sunday, 7 November 2010 ('"_s +
                                   db.AdvertLogFileName(Nov(7)) + u"') could not be found."_s));
    EXPECT_EQ(Hour(8, 0).size(), 4);
}

TEST_F(AdvertPushTest, ACorruptLineHoldsBackOnlyItsHourAndIsNamedWithItsFileAndLine) {
    using Fate = RunOutcome::BreakFate;
    TwoBreakHours(5, {10, 11, 12});
    const QString noCartNoTitle =
        AdvertLineLayout::BuildAdvertLine(u"10:45:00"_s, u"SPOT"_s, {}, {}, u"R"_s, 30, false, {});
    const QString badEscape = Advert(u"12:15:00"_s, u"0034"_s) +
                              QString(99 - Advert(u"12:15:00"_s, u"0034"_s).size(), u' ') + u"|100%"_s;
    AdvertLog(5, {Advert(u"10:15:00"_s, u"0034"_s), Advert(u"10:15:00"_s, u"0034"_s), noCartNoTitle,
                  Advert(u"11:15:00"_s, u"0034"_s), Advert(u"11:45:00"_s, u"0034"_s), badEscape,
                  Advert(u"12:45:00"_s, u"0034"_s)});
    ASSERT_TRUE(Push(Nov(5), 10 * 3600, Nov(5), 12 * 3600));

    for (const int held : {10, 12}) { // written with none of their adverts, and left to a later run
        EXPECT_EQ(Hour(5, held).size(), 5);
        EXPECT_EQ(Hour(5, held)[0].Flags & ItemFlag::HasAdverts, 0);
    }
    EXPECT_EQ(Fates(5, 10), QList<Fate>({Fate::HeldBack, Fate::Corrupt}));
    EXPECT_EQ(Fates(5, 11), QList<Fate>({Fate::Filled, Fate::Filled}));
    EXPECT_EQ(Fates(5, 12), QList<Fate>({Fate::Corrupt, Fate::HeldBack}));
    EXPECT_EQ(Hour(5, 11).size(), 7);
    const RunOutcome& run = advertRun;
    const QString log = db.AdvertLogFileName(Nov(5));
    EXPECT_EQ(run.HourAt({Nov(5), 10 * 3600})->Breaks[1].Why,
              u"line 3 of '%1': it has neither a cart nor a title"_s.arg(log));
    EXPECT_EQ(run.HourAt({Nov(5), 12 * 3600})->Breaks[0].Why,
              u"line 6 of '%1': its notes hold a %-escape that cannot be decoded"_s.arg(log));
    EXPECT_EQ(run.Status(), RunOutcome::WithWarnings); // not "all is well"
    EXPECT_EQ(run.Warnings().filter(u"line 3 of '"_s + log).size(), 1);
    EXPECT_EQ(HistoryLines().last(), u"Finish Advert Push, 2 adverts pushed into 6 ad break(s). Breaks not "
                                     u"filled: 4 in hours with a corrupt line.");
    EXPECT_TRUE(AdLines().contains(u"AdLog:2010-11-05 10:00:00 - Advert log was corrupt (line 3 of '"_s +
                                   log + u"': it has neither a cart nor a title)"_s))
        << AdLines().join(u'\n').toStdString();

    // Once the file is mended, a later run fills the held hours whole.
    AdvertLog(5, {Advert(u"10:15:00"_s, u"0034"_s), Advert(u"10:45:00"_s, u"0034"_s),
                  Advert(u"12:15:00"_s, u"0034"_s), Advert(u"12:45:00"_s, u"0034"_s)});
    ASSERT_TRUE(Push(Nov(5), 10 * 3600, Nov(5), 12 * 3600));
    EXPECT_EQ(Hour(5, 10).size(), 7);
    EXPECT_EQ(Hour(5, 12).size(), 7);
}

TEST_F(AdvertPushTest, ABreakWhoseLinesTheFilterLeavesOutIsFilteredNotEmpty) {
    TwoBreakHours(5, {10});
    ASSERT_TRUE(db.Settings().SetValue(u"AdvertTypeFilter"_s, u"SPOT"_s));
    AdvertLog(5, {Advert(u"10:15:00"_s, u"0034"_s), Advert(u"10:45:00"_s, u"0034"_s, {}, u"PROM"_s)});
    ASSERT_TRUE(Push(Nov(5), 10 * 3600, Nov(5), 10 * 3600));
    EXPECT_EQ(Fates(5, 10),
              QList<RunOutcome::BreakFate>({RunOutcome::BreakFate::Filled, RunOutcome::BreakFate::Filtered}));
    EXPECT_EQ(HistoryLines().last(), u"Finish Advert Push, 1 adverts pushed into 2 ad break(s). Breaks not "
                                     u"filled: 1 with only lines of other types than the filter's."_s);
    EXPECT_EQ(advertRun.Adverts().Empty, 0);
}

TEST_F(AdvertPushTest, WithATimeWindowLinesNearABreakGoInInFileOrderAndOneTooFarIsNamed) {
    TwoBreakHours(5, {10});
    ASSERT_TRUE(db.Settings().SetValue(u"AdvertTimeWindow"_s, u"30"_s));
    ASSERT_TRUE(db.Settings().SetValue(u"AdvertTypeFilter"_s, u"SPOT"_s));
    // A line of another type than the filter's is no advert of this station's, placed or not.
    AdvertLog(5, {Advert(u"10:14:50"_s, u"0034"_s, u"First"_s), Advert(u"10:15:20"_s, u"0034"_s, u"Second"_s),
                  Advert(u"10:16:00"_s, u"0034"_s, u"Third"_s),
                  Advert(u"10:30:00"_s, u"0034"_s, {}, u"PROM"_s)});
    ASSERT_TRUE(Push(Nov(5), 10 * 3600, Nov(5), 10 * 3600));
    const auto hour = Hour(5, 10);
    ASSERT_EQ(hour.size(), 7);
    EXPECT_EQ(hour[3].Title, u"First");
    EXPECT_EQ(hour[4].Title, u"Second");
    EXPECT_FLOAT_EQ(hour[3].HourStart, 10 * 3600 + 900); // they keep the break's time

    const RunOutcome& run = advertRun;
    ASSERT_EQ(run.UnplacedLines().size(), 1);
    const RunOutcome::UnplacedLine& third = run.UnplacedLines()[0];
    EXPECT_EQ(third.Line, 3);
    EXPECT_EQ(third.File, db.AdvertLogFileName(Nov(5)));
    EXPECT_FLOAT_EQ(third.NearestBreak, 10 * 3600 + 900);
    EXPECT_FLOAT_EQ(third.Distance, 60);
    EXPECT_EQ(run.Status(), RunOutcome::WithWarnings);
    EXPECT_TRUE(run.Summary().contains(u"advert lines unplaced:    1"_s));
    EXPECT_TRUE(AdLines().contains(u"AdLog:2010-11-05 10:00:00 - line 3 of '"_s +
                                   db.AdvertLogFileName(Nov(5)) +
                                   u"': the advert line at 10:16:00 went into no break: the nearest, at "
                                   u"10:15:00, is 60 s away"_s))
        << AdLines().join(u'\n').toStdString();
}

TEST_F(AdvertPushTest, BreaksCloserThanTwiceTheWindowEachTakeTheirNearestLinesAndATieGoesToTheEarlier) {
    MusicHours(5, {10}, {Columns({{1, u":"_s}, {15, u"BREAK 00:16:00"_s}})}); // breaks at 10:15 and 10:16
    ASSERT_TRUE(db.Settings().SetValue(u"AdvertTimeWindow"_s, u"40"_s));
    AdvertLog(5, {Advert(u"10:14:40"_s, u"0034"_s, u"Early"_s), Advert(u"10:15:30"_s, u"0034"_s, u"Tie"_s),
                  Advert(u"10:15:40"_s, u"0034"_s, u"Late"_s), Advert(u"10:16:30"_s, u"0034"_s, u"Last"_s)});
    ASSERT_TRUE(Push(Nov(5), 10 * 3600, Nov(5), 10 * 3600));
    QStringList order; // the hour's breaks and adverts as they stand
    for (const LogItem& item : Hour(5, 10)) {
        if (item.Type == ItemType::Advert)
            order.append(item.State == ItemState::Marker ? u"break"_s : item.Title);
    }
    EXPECT_EQ(order, QStringList({u"break"_s, u"Early"_s, u"Tie"_s, u"break"_s, u"Late"_s, u"Last"_s}));
    EXPECT_TRUE(advertRun.UnplacedLines().isEmpty());
}

TEST_F(AdvertPushTest, ACsvAdvertLogReadThroughTheStationsFormatFillsTheBreaksAsTheNativeLogDoes) {
    MusicHours(5, {10});
    MusicHours(6, {10, 11});
    AdvertLog(5, {Advert(u"10:15:00"_s, u"0034"_s, u"Sofas, chairs"_s, u"SPOT"_s, u"Read by Sam"_s),
                  Advert(u"10:15:00"_s, u"0099"_s, {}, u"SPOT"_s)});
    ASSERT_TRUE(Push(Nov(5), 10 * 3600, Nov(5), 10 * 3600));

    ASSERT_TRUE(QDir().mkpath(Path(u"ProgramData/Kestrane/Ostrel v3/Formats"_s)));
    WriteFile(Path(u"ProgramData/Kestrane/Ostrel v3/Formats/traffic-csv.format"_s),
              "kind = delimited\nheader = yes\ntime = Time\ntype = Type\ncart = Cart\ntitle = Title\n"
              "length = Length\nreference = Ref\nnotes = Notes\n");
    ASSERT_TRUE(db.Settings().SetValue(u"AdvertLogFormat"_s, u"traffic-csv"_s));
    WriteFile(db.AdvertLogFileName(Nov(6)), "Time,Type,Cart,Title,Length,Ref,Notes\r\n"
                                            "10:15:00,SPOT,0034,\"Sofas, chairs\",30,REF 0034,Read by Sam\r\n"
                                            "10:15:00,SPOT,0099,,30,REF 0099,\r\n"
                                            "11:15:00,SPOT,0034,,30,REF 0034,\r\n"
                                            "11:45:00,SPOT,\"0034,30,REF,\r\n");
    ASSERT_TRUE(Push(Nov(6), 10 * 3600, Nov(6), 11 * 3600));
    const QList<LogItem> native = Hour(5, 10), csv = Hour(6, 10);
    ASSERT_EQ(csv.size(), native.size());
    for (qsizetype i = 0; i < csv.size(); ++i) {
        EXPECT_EQ(csv[i].CartNumber, native[i].CartNumber) << i;
        EXPECT_EQ(csv[i].Title, native[i].Title) << i;
        EXPECT_EQ(csv[i].Reference, native[i].Reference) << i;
        EXPECT_EQ(csv[i].Note, native[i].Note) << i;
        EXPECT_FLOAT_EQ(csv[i].Time - csv[0].Time, native[i].Time - native[0].Time) << i;
    }
    // The line it cannot read is named with its line and holds back the hour it
    // stands among, as a native line would; the run ends with a warning.
    const RunOutcome& run = advertRun;
    EXPECT_EQ(run.Status(), RunOutcome::WithWarnings);
    ASSERT_EQ(run.Warnings().size(), 1);
    EXPECT_EQ(run.Warnings()[0],
              u"line 5 of '"_s + db.AdvertLogFileName(Nov(6)) +
                  u"': the advert line cannot be read, as the advert log format cannot read "
                  u"it: a quote that is not closed at character 15; its hour 2010-11-06 "
                  u"11:00:00 was not pushed"_s);
    EXPECT_EQ(run.HourAt({Nov(6), 11 * 3600})->Adverts, RunOutcome::Unreadable);
    EXPECT_EQ(Hour(6, 11).size(), 3); // its break waits for the mended log

    // A format that cannot be found stops the push before it reads anything.
    ASSERT_TRUE(db.Settings().SetValue(u"AdvertLogFormat"_s, u"gone"_s));
    EXPECT_FALSE(adverts.CheckReady(db, advertRun));
    EXPECT_TRUE(op.Messages.last().Text.startsWith(
        u"The advert log format named in AdvertLogFormat cannot be used: no advert log format 'gone'"_s))
        << op.Messages.last().Text.toStdString();
}

TEST_F(AdvertPushTest, AnHourTooFullToHoldItsAdvertsStillCountsItsBreaksAndIsTestedForUnderrun) {
    TwoBreakHours(5, {10});
    ASSERT_TRUE(db.Settings().SetValue(u"UnderrunThreshold"_s, u"3600"_s));
    QStringList lines{Advert(u"10:15:00"_s, u"0034"_s)};
    for (int i = 0; i < 800; ++i)
        lines.append(Advert(u"10:45:00"_s, u"0034"_s));
    AdvertLog(5, lines);
    ASSERT_TRUE(Push(Nov(5), 10 * 3600, Nov(5), 10 * 3600));
    EXPECT_EQ(Hour(5, 10).size(), 5);
    const RunOutcome& run = advertRun;
    EXPECT_EQ(run.Status(), RunOutcome::Incomplete);
    EXPECT_EQ(run.HourAt({Nov(5), 10 * 3600})->AdvertsReason, u"the hour cannot hold so many items");
    EXPECT_EQ(HistoryLines().last(), u"Finish Advert Push, 0 adverts pushed into 2 ad break(s). Breaks not "
                                     u"filled: 2 not written."_s);
    EXPECT_TRUE(run.HourAt({Nov(5), 10 * 3600})->Underruns); // tested on what is stored
    EXPECT_EQ(AdLines().filter(u"so may underrun"_s).size(), 1);
}

TEST_F(AdvertPushTest, AdvertInformationHoldsTheCartsOfEveryPushedAdvertFromTodayOn) {
    MusicHours(24, {10, 11});
    Cart other;
    other.Number = u"0777"_s;
    other.Title = u"Other"_s;
    other.Length = 20;
    ASSERT_TRUE(db.Carts().Save({other}));
    AdvertLog(24, {Advert(u"10:15:00"_s, u"0777"_s), Advert(u"11:15:00"_s, u"0034"_s)});
    ASSERT_TRUE(Push(Nov(24), 10 * 3600, Nov(24), 10 * 3600));
    Exec(u"DELETE FROM AdvertInfo"_s); // as a push stopped before its refresh leaves it
    ASSERT_TRUE(Push(Nov(24), 11 * 3600, Nov(24), 11 * 3600));
    auto rows = db.Maintenance().Query(QString());
    ASSERT_TRUE(rows);
    QStringList references;
    for (const InfoRow* row = rows->First(); row; row = rows->Next())
        references.append(row->HDReference);
    references.sort();
    EXPECT_EQ(references, QStringList({u"0034"_s, u"0777"_s}));
}

TEST_F(AdvertPushTest, AdvertInformationKeepsOneRowPerCart) {
    MusicHours(5, {10, 11});
    Cart other;
    other.Number = u"0777"_s;
    other.Title = u"Other"_s;
    other.Length = 20;
    ASSERT_TRUE(db.Carts().Save({other}));
    DatabaseMaintenance table = db.Maintenance();
    InfoRow existing;
    existing.ItemType = 4;
    existing.ItemSource = 1;
    existing.HDReference = u"0777"_s;
    existing.LastUpdated = Now.addDays(-30);
    ASSERT_TRUE(table.Save(0, existing));
    InfoRow stale = existing;
    stale.HDReference = u"0555"_s;
    stale.ItemSource = 2;
    ASSERT_TRUE(table.Save(0, stale));
    InfoRow recent = stale;
    recent.HDReference = u"0556"_s;
    recent.LastUpdated = Now.addDays(-6);
    ASSERT_TRUE(table.Save(0, recent));

    AdvertLog(5, {Advert(u"10:15:00"_s, u"0034"_s), Advert(u"10:15:00"_s, u"0777"_s),
                  Advert(u"11:15:00"_s, u"0034"_s)});
    ASSERT_TRUE(Push(Nov(5), 10 * 3600, Nov(5), 11 * 3600));
    auto rows = table.Query(QString());
    ASSERT_TRUE(rows);
    QStringList references;
    for (const InfoRow* row = rows->First(); row; row = rows->Next()) {
        references.append(row->HDReference);
        if (row->HDReference == u"0034") {
            EXPECT_EQ(row->CartNumber, 34);
            EXPECT_EQ(row->ItemSource, 2);
            EXPECT_EQ(row->Title, u"Cart Advert");
            EXPECT_FLOAT_EQ(row->AudioLength, 29.5f);
            EXPECT_EQ(row->LastUpdated, Now);
        }
        if (row->HDReference == u"0777") {
            EXPECT_EQ(row->ItemSource, 2); // an existing row is taken over
        }
    }
    references.sort();
    EXPECT_EQ(references, QStringList({u"0034"_s, u"0556"_s, u"0777"_s})); // 0555 was older than a week
    EXPECT_TRUE(db.Value(u"Adverts.InfoLastUpdated"_s).has_value());
}

TEST_F(AdvertPushTest, TheScanTakesItsDaysFromNamesAndItsEndFromTheLastLine) {
    AdvertLog(1, {Advert(u"06:00:00"_s, u"1"_s)});
    AdvertLog(2, {Advert(u"06:00:00"_s, u"1"_s)});
    AdvertLog(3, {Advert(u"18:45:00"_s, u"1"_s), Advert(u"07:00:00"_s, u"1"_s)});
    auto range = adverts.ScanLogFiles(db);
    ASSERT_TRUE(range);
    EXPECT_EQ(range->From, (ScheduleDate{Nov(1), 0}));
    EXPECT_EQ(range->To, (ScheduleDate{Nov(3), 18 * 3600 + 2700}));

    AdvertLog(3, {QString(), QString()});
    range = adverts.ScanLogFiles(db);
    ASSERT_TRUE(range);
    EXPECT_EQ(range->To, ScheduleDateTools::ShiftSeconds(3600, Nov(3)));

    QFile::remove(db.AdvertLogFileName(Nov(1)));
    QFile::remove(db.AdvertLogFileName(Nov(3)));
    AdvertLog(2, {Advert(u"06:00:00"_s, u"1"_s), Advert(u"23:45:00"_s, u"1"_s)});
    range = adverts.ScanLogFiles(db);
    ASSERT_TRUE(range);
    EXPECT_EQ(range->From, (ScheduleDate{Nov(2), 0}));
    EXPECT_EQ(range->To, (ScheduleDate{Nov(2), 23 * 3600 + 2700}));

    db.Settings().SetValue(u"AdvertFileNameFormat"_s, QString());
    EXPECT_FALSE(adverts.ScanLogFiles(db));
}

TEST_F(AdvertPushTest, ABreakTooFullForItsGapLaysTheHourOutAgainAndTheNextBreakIsStillFilled) {
    MusicHours(5, {14}, {SongLine(u"1001"_s, QString()), Columns({{1, u":"_s}, {15, u"BREAK 00:45:00"_s}})});
    const auto before = Hour(5, 14);
    ASSERT_EQ(before.size(), 5);
    ASSERT_EQ(before[4].Title, u"Advert Break");
    const int early = 200; // more than fit between the break and the next song
    QStringList lines;
    for (int i = 0; i < early; ++i)
        lines.append(Advert(u"14:15:00"_s, u"0034"_s, u"Early %1"_s.arg(i)));
    lines.append(Advert(u"14:45:00"_s, u"0034"_s, u"Late"_s));
    AdvertLog(5, lines);
    ASSERT_TRUE(Push(Nov(5), 14 * 3600, Nov(5), 14 * 3600));

    const auto hour = Hour(5, 14);
    ASSERT_EQ(hour.size(), 5 + early + 1);
    EXPECT_NE(hour[early + 4].Position, before[4].Position); // the hour was laid out again
    EXPECT_EQ(hour[2].Title, u"Advert Break");
    for (int i = 0; i < early; ++i)
        EXPECT_EQ(hour[3 + i].Title, u"Early %1"_s.arg(i));
    EXPECT_EQ(hour[early + 3].CartNumber, u"1001");
    EXPECT_EQ(hour[early + 4].Title, u"Advert Break");
    EXPECT_EQ(hour[early + 5].Title, u"Late");
    for (qsizetype i = 1; i < hour.size(); ++i)
        EXPECT_LT(hour[i - 1].Position, hour[i].Position);
    EXPECT_EQ(AdLines().filter(u"no adverts"_s), QStringList());
}

TEST_F(AdvertPushTest, OnlyCommittedAdvertsAreCountedAndAnHourTheDatabaseRefusesIsNamedWithItsReason) {
    MusicHours(5, {9, 10});
    AdvertLog(5, {Advert(u"09:15:00"_s, u"0034"_s), Advert(u"09:15:00"_s, u"0034"_s),
                  Advert(u"10:15:00"_s, u"0034"_s, u"Refused"_s)});
    Exec(u"CREATE TRIGGER full BEFORE INSERT ON LogItems WHEN NEW.Title = 'Refused' "
         u"BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END"_s);
    ASSERT_TRUE(Push(Nov(5), 9 * 3600, Nov(5), 10 * 3600));
    EXPECT_EQ(HistoryLines().last(),
              u"Finish Advert Push, 2 adverts pushed into 2 ad break(s). Breaks not filled: 1 not written.");
    EXPECT_TRUE(AdLines().contains(u"AdLog:2010-11-05 10:00:00 - could not be written to the Scheduled Log: "
                                   u"database or disk is full"_s))
        << AdLines().join(u'\n').toStdString();
    EXPECT_EQ(Hour(5, 10).size(), 3); // nothing of it was kept
    EXPECT_EQ(Hour(5, 10)[0].Flags & ItemFlag::HasAdverts, 0);
    const RunOutcome& run = advertRun;
    EXPECT_EQ(run.Adverts().Adverts, 2);
    EXPECT_EQ(run.AdvertHoursNotWritten(), QList<ScheduleDate>({{Nov(5), 10 * 3600}}));
    EXPECT_EQ(run.Status(), RunOutcome::Incomplete);
    EXPECT_FALSE(run.GaveUp()); // a refusal is not a busy database: the run goes on writing
}

TEST_F(AdvertPushTest, ABreakAtMidnightTakesItsLinesLikeAnyOther) {
    WriteFile(db.MusicLogFileName(Nov(5)),
              (u"+05/11/10 00:00 Midnight\r\n"_s + Columns({{1, u":"_s}, {15, u"BREAK 00:00:00"_s}}) +
               u"\r\n"_s + SongLine(u"1001"_s, QString()) + u"\r\n"_s +
               Columns({{1, u":"_s}, {15, u"BREAK 00:15:00"_s}}) + u"\r\n"_s)
                  .toLatin1());
    ASSERT_TRUE(Import(Nov(5), 0, Nov(5), 0));
    AdvertLog(5, {Advert(u"00:00:00"_s, u"0034"_s, u"On the stroke"_s),
                  Advert(u"00:00:00"_s, u"0034"_s, u"Second"_s),
                  Advert(u"00:15:00"_s, u"0034"_s, u"Quarter past"_s)});
    ASSERT_TRUE(Push(Nov(5), 0, Nov(5), 0));
    QStringList titles;
    for (const LogItem& item : Hour(5, 0))
        titles.append(item.Title);
    EXPECT_EQ(titles, QStringList({u"Midnight"_s, u"Advert Break"_s, u"On the stroke"_s, u"Second"_s,
                                   u"Cart Title"_s, u"Advert Break"_s, u"Quarter past"_s}));
    EXPECT_EQ(HistoryLines().last(), u"Finish Advert Push, 3 adverts pushed into 2 ad break(s)");
}

TEST_F(AdvertPushTest, ALineOnTheStrokeOfAnHourBelongsToThatHourNotTheOneBefore) {
    WriteFile(db.MusicLogFileName(Nov(5)),
              (HourLines(5, 10, {u"1001"_s}) + u"\r\n+05/11/10 11:00 Eleven\r\n"_s +
               Columns({{1, u":"_s}, {15, u"BREAK 00:00:00"_s}}) + u"\r\n"_s +
               SongLine(u"1001"_s, QString()) + u"\r\n"_s)
                  .toLatin1());
    ASSERT_TRUE(Import(Nov(5), 10 * 3600, Nov(5), 11 * 3600));
    AdvertLog(5, {Advert(u"10:15:00"_s, u"0034"_s, u"Quarter past ten"_s),
                  Advert(u"11:00:00"_s, u"0034"_s, u"On the stroke of eleven"_s)});
    ASSERT_TRUE(Push(Nov(5), 10 * 3600, Nov(5), 11 * 3600));
    EXPECT_TRUE(advertRun.UnplacedLines().isEmpty());
    QStringList titles;
    for (const LogItem& item : Hour(5, 11))
        titles.append(item.Title);
    EXPECT_EQ(titles,
              QStringList({u"Eleven"_s, u"Advert Break"_s, u"On the stroke of eleven"_s, u"Cart Title"_s}));
}
