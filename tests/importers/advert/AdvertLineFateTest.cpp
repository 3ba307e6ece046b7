// Every line of an advert log has one fate, and no line can hide the lines after it.

#include "importers/RunReport.h"
#include "importers/advert/AdvertPushFixture.h"

#include <QDir>
#include <QJsonObject>

using Fate = RunOutcome::BreakFate;
using LineFate = RunOutcome::LineFate;

class AdvertLineFateTest : public AdvertPushFixture {
protected:
    // Music hours of a day, each with one break at the given minute and second.
    void HoursWithBreaks(int day, const QList<std::pair<int, QString>>& hoursAndBreaks) {
        QStringList lines;
        for (const auto& [hour, at] : hoursAndBreaks)
            lines << HourLines(day, hour, {u"1001"_s}).split(u"\r\n"_s).first()
                  << SongLine(u"1001"_s, QString()) << Columns({{1, u":"_s}, {15, u"BREAK 00:"_s + at}});
        WriteFile(db.MusicLogFileName(Nov(day)), (lines.join(u"\r\n"_s) + u"\r\n"_s).toLatin1());
        ASSERT_TRUE(Import(Nov(day), 0, Nov(day), ScheduleDateTools::EndOfDay));
    }
    const RunOutcome& Run() const { return advertRun; }
    RunOutcome::Fate AdvertsOf(int hour) const { return Run().HourAt({Nov(5), float(hour * 3600)})->Adverts; }
    int Pushed(int hour) {
        int count = 0;
        for (const LogItem& item : Hour(5, hour))
            count += item.Type == ItemType::Advert && item.State == ItemState::Ready;
        return count;
    }
};

TEST_F(AdvertLineFateTest, ALineThatCannotBeReadHoldsBackOnlyTheHourItStandsAmongAndIsNamed) {
    const QString nul = u"10:15:00|SPOT|    0034|Ti"_s + QChar(0) + u"tle"_s;
    const struct {
        QString line;
        QString why;
        Fate itsBreak; // a line with a time spoils its break; one without holds back its hour
    } cases[] = {
        {Advert(u"25:15:00"_s, u"0034"_s), u"its time '25:15:00' is not a time of the day (hh:mm:ss)"_s,
         Fate::HeldBack},
        {Advert(u"aa:bb:cc"_s, u"0034"_s), u"its time 'aa:bb:cc' is not a time of the day (hh:mm:ss)"_s,
         Fate::HeldBack},
        {Advert(u"24:00:00"_s, u"0034"_s), u"its time '24:00:00' is not a time of the day (hh:mm:ss)"_s,
         Fate::HeldBack},
        {Advert(u"10:60:00"_s, u"0034"_s), u"its time '10:60:00' is not a time of the day (hh:mm:ss)"_s,
         Fate::HeldBack},
        // Near no break: it holds back its hour, and spoils no break.
        {Advert(u"10:30:00"_s, u"-5007"_s), u"its cart '-5007' is not a cart number"_s, Fate::HeldBack},
        {Advert(u"10:15:00"_s, u"-5007"_s), u"its cart '-5007' is not a cart number"_s, Fate::Corrupt},
        {Advert(u"10:15:00"_s, u"50x9"_s), u"its cart '50x9' is not a cart number"_s, Fate::Corrupt},
        {Advert(u"10:15:00"_s, u"0x1387"_s), u"its cart '0x1387' is not a cart number"_s, Fate::Corrupt},
        {Advert(u"10:15:00"_s, u"5007 OR1"_s), u"its cart '5007 OR1' is not a cart number"_s, Fate::Corrupt},
        {nul, u"it holds a control character (code 0)"_s, Fate::Corrupt},
    };
    MusicHours(5, {9, 10, 11});
    const QString log = db.AdvertLogFileName(Nov(5));
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.line.toStdString());
        db.Log().RemoveAdvertRange({Nov(5), 0}, {Nov(5), ScheduleDateTools::EndOfDay});
        StartRecorded(advertRun);
        AdvertLog(5, {Advert(u"09:15:00"_s, u"0034"_s), Advert(u"10:15:00"_s, u"0034"_s), bad.line,
                      Advert(u"11:15:00"_s, u"0034"_s)});
        ASSERT_TRUE(Push(Nov(5), 0, Nov(5), ScheduleDateTools::EndOfDay));

        EXPECT_EQ(Pushed(9), 1);
        EXPECT_EQ(Pushed(11), 1); // the lines after it are placed as without it
        EXPECT_EQ(Pushed(10), 0);
        EXPECT_EQ(AdvertsOf(10), RunOutcome::Unreadable);
        EXPECT_EQ(Fates(5, 10), QList<Fate>{bad.itsBreak});
        EXPECT_FALSE(Hour(5, 10)[0].Flags & ItemFlag::HasAdverts); // a run after the mend fills it
        ASSERT_EQ(Run().RejectedLines().size(), 1);
        EXPECT_EQ(Run().RejectedLines()[0].Line, 3);
        EXPECT_EQ(Run().RejectedLines()[0].Reason, u"the advert log is corrupt here: "_s + bad.why);
        EXPECT_TRUE(Run().Warnings().first().startsWith(
            u"line 3 of '%1': the advert line cannot be read, as "_s.arg(log) + bad.why));
        EXPECT_EQ(Run().Status(), RunOutcome::WithWarnings);
        EXPECT_EQ(Run().AdvertLines(LineFate::Placed), 3);
        EXPECT_EQ(Run().AdvertLines(LineFate::Unreadable), 1);
        EXPECT_EQ(Run().Adverts().Adverts, 2);
    }
}

TEST_F(AdvertLineFateTest, ALineOutOfTimeOrderIsPlacedByItsTimeAndHidesNothing) {
    MusicHours(5, {10, 11, 12});
    AdvertLog(5, {Advert(u"11:15:00"_s, u"0034"_s), Advert(u"10:15:00"_s, u"0034"_s),
                  Advert(u"12:15:00"_s, u"0034"_s), Advert(u"23:59:59"_s, u"0034"_s),
                  Advert(u"12:15:00"_s, u"0034"_s)});
    ASSERT_TRUE(Push(Nov(5), 10 * 3600, Nov(5), 12 * 3600));
    EXPECT_EQ(Pushed(10), 1);
    EXPECT_EQ(Pushed(11), 1);
    EXPECT_EQ(Pushed(12), 2);
    EXPECT_EQ(Run().AdvertLines(LineFate::Placed), 4);
    EXPECT_EQ(Run().AdvertLines(LineFate::NotWalked), 1); // 23:59:59: outside the range
    EXPECT_EQ(Run().Status(), RunOutcome::Complete);
    const QJsonObject fates = RunReport::Json(Run())[u"lineFates"_s].toObject();
    EXPECT_EQ(fates[u"placed"_s].toInt(), 4);
    EXPECT_EQ(fates[u"notWalked"_s].toInt(), 1);
}

TEST_F(AdvertLineFateTest, TheWindowIsADistanceInTimeThatReachesIntoTheNeighbouringHour) {
    db.Settings().SetValue(u"AdvertTimeWindow"_s, u"30"_s);
    HoursWithBreaks(5, {{10, u"59:50"_s}, {11, u"15:00"_s}});
    AdvertLog(5, {Advert(u"10:59:50"_s, u"0034"_s), Advert(u"11:00:20"_s, u"0034"_s, u"Near"_s),
                  Advert(u"11:14:50"_s, u"0034"_s)});
    // The range ends with hour 10: the line of 11:00:20, the whole window away, still goes into its break.
    StartRecorded(advertRun);
    ASSERT_TRUE(Push(Nov(5), 10 * 3600, Nov(5), 10 * 3600));
    EXPECT_EQ(Pushed(10), 2);
    EXPECT_EQ(Hour(5, 10).last().Title, u"Near");
    EXPECT_EQ(Run().AdvertLines(LineFate::Placed), 2);
    EXPECT_EQ(Run().AdvertLines(LineFate::NotWalked), 1);
    EXPECT_TRUE(Run().UnplacedLines().isEmpty());

    // Beyond the window, the line is named with the nearest break, in whichever hour.
    db.Log().RemoveAdvertRange({Nov(5), 0}, {Nov(5), ScheduleDateTools::EndOfDay});
    AdvertLog(5, {Advert(u"11:00:45"_s, u"0034"_s)});
    StartRecorded(advertRun);
    ASSERT_TRUE(Push(Nov(5), 10 * 3600, Nov(5), 11 * 3600));
    ASSERT_EQ(Run().UnplacedLines().size(), 1);
    EXPECT_EQ(Run().UnplacedLines()[0].Why(),
              u"the advert line at 11:00:45 went into no break: the nearest, at 10:59:50, is 55 s away"_s);
    EXPECT_EQ(Run().Status(), RunOutcome::WithWarnings);
}

TEST_F(AdvertLineFateTest, ALineNearTheEndOfItsHourGoesToTheNextHoursBreakWhenThatIsNearer) {
    db.Settings().SetValue(u"AdvertTimeWindow"_s, u"30"_s);
    HoursWithBreaks(5, {{10, u"15:00"_s}, {11, u"00:05"_s}});
    AdvertLog(5, {Advert(u"10:59:55"_s, u"0034"_s)});
    StartRecorded(advertRun);
    ASSERT_TRUE(Push(Nov(5), 10 * 3600, Nov(5), 11 * 3600));
    EXPECT_EQ(Pushed(10), 0);
    EXPECT_EQ(Pushed(11), 1);
    EXPECT_EQ(Run().Status(), RunOutcome::Complete);
}

TEST_F(AdvertLineFateTest, ADescriptionThatReadsNoLineIsNamedOnceAndItsBreaksAreNotEmpty) {
    MusicHours(5, {10, 11});
    ASSERT_TRUE(QDir().mkpath(Path(u"ProgramData/Kestrane/Ostrel v3/Formats"_s)));
    WriteFile(Path(u"ProgramData/Kestrane/Ostrel v3/Formats/traffic-csv.format"_s),
              "kind = delimited\nheader = yes\ntime = Time\ncart = Cart\n");
    ASSERT_TRUE(db.Settings().SetValue(u"AdvertLogFormat"_s, u"traffic-csv"_s));
    // Written by a program that quotes the time: the description reads none of it.
    WriteFile(db.AdvertLogFileName(Nov(5)), "Time,Cart\r\n\"10:15:00,0034\r\n\"11:15:00,0034\r\n");
    StartRecorded(advertRun);
    ASSERT_TRUE(Push(Nov(5), 10 * 3600, Nov(5), 11 * 3600));
    ASSERT_EQ(Run().Warnings().size(), 1);
    EXPECT_TRUE(Run().Warnings()[0].startsWith(u"the advert log format 'traffic-csv' read no line of '"_s +
                                               db.AdvertLogFileName(Nov(5)) +
                                               u"' (line 2: the advert log format "_s))
        << Run().Warnings()[0].toStdString();
    EXPECT_TRUE(Run().Warnings()[0].contains(u"; line 3: "_s));
    EXPECT_EQ(Fates(5, 10), QList<Fate>{Fate::HeldBack});
    EXPECT_EQ(Fates(5, 11), QList<Fate>{Fate::HeldBack});
    EXPECT_EQ(Run().Adverts().Empty, 0);
    EXPECT_EQ(Run().Adverts().Corrupt, 2);
    EXPECT_EQ(Run().AdvertLines(LineFate::Unreadable), 2);
    EXPECT_EQ(Run().RejectedLines().size(), 2);
    EXPECT_EQ(Run().Status(), RunOutcome::WithWarnings);
}

TEST_F(AdvertLineFateTest, SettingsStoredByAnotherProgramAreCheckedWhereTheyAreRead) {
    MusicHours(5, {10});
    AdvertLog(5, {Advert(u"10:15:00"_s, u"0034"_s)});
    const struct {
        QString name, value, must;
    } stored[] = {
        {u"AdvertTimeWindow"_s, u"-5"_s, u"must be a whole number of seconds from 0 to 3600"_s},
        {u"AdvertLogFormat"_s, u"../../../../elsewhere/evil"_s, u"is part of a file name"_s},
        {u"AdvertCartOffset"_s, u"x"_s, u"must be a whole number"_s},
    };
    for (const auto& setting : stored) {
        SCOPED_TRACE(setting.name.toStdString());
        db.Close();
        Exec(u"UPDATE StationSettings SET Value = '%1' WHERE Name = '%2'"_s.arg(setting.value, setting.name));
        ASSERT_EQ(db.OpenLocation(Location()), StationDatabase::Opened);
        EXPECT_FALSE(adverts.CheckReady(db, advertRun));
        EXPECT_TRUE(op.Messages.last().Text.contains(
            u"the Station Database holds %1='%2', which cannot be used: "_s.arg(setting.name, setting.value)))
            << op.Messages.last().Text.toStdString();
        EXPECT_TRUE(op.Messages.last().Text.contains(setting.must));
        StartRecorded(advertRun);
        EXPECT_FALSE(Push(Nov(5), 10 * 3600, Nov(5), 10 * 3600)); // nor does a push go on without the check
        EXPECT_EQ(Pushed(10), 0);
        db.Close();
        Exec(u"UPDATE StationSettings SET Value = '0' WHERE Name = '%1'"_s.arg(setting.name));
        Exec(u"UPDATE StationSettings SET Value = '' WHERE Name = 'AdvertLogFormat'"_s);
        ASSERT_EQ(db.OpenLocation(Location()), StationDatabase::Opened);
    }
}

TEST_F(AdvertLineFateTest, OnlyTheCartsOfHoursWrittenAreReportedMissing) {
    MusicHours(5, {10, 11});
    AdvertLog(5, {Advert(u"10:15:00"_s, u"0099"_s), Advert(u"10:15:00"_s, u"-5007"_s),
                  Advert(u"11:15:00"_s, u"0099"_s)});
    StartRecorded(advertRun);
    ASSERT_TRUE(Push(Nov(5), 10 * 3600, Nov(5), 11 * 3600));
    EXPECT_EQ(AdvertsOf(10), RunOutcome::Unreadable);
    ASSERT_EQ(Run().Carts().size(), 1); // 10:00 was held back: nothing of it is missing
    EXPECT_FLOAT_EQ(Run().Carts()[0].Hour.Seconds, 11 * 3600);
}

TEST_F(AdvertLineFateTest, AWaitingHoursUnplacedLineIsToldAgainOnlyWhenItsLinesChange) {
    MusicHours(5, {9, 10});
    const auto night = [this](const QString& early) {
        AdvertLog(5, {Advert(early, u"0034"_s), Advert(u"10:15:00"_s, u"0034"_s)});
        db.Log().RemoveAdvertRange({Nov(5), 10 * 3600}, {Nov(5), ScheduleDateTools::EndOfDay});
        StartRecorded(advertRun);
        EXPECT_TRUE(
            adverts.CatchUp(db, {{Nov(5), 9 * 3600}}, {{Nov(5), 10 * 3600}, {Nov(5), 10 * 3600}}, advertRun));
        const RunOutcome::Hour* waiting = Run().HourAt({Nov(5), 9 * 3600});
        EXPECT_NE(waiting, nullptr); // in the report's hours, with its fate
        return std::pair(Run().Status(), waiting ? waiting->AdvertsReason : QString());
    };
    EXPECT_EQ(night(u"09:40:00"_s), std::pair(RunOutcome::WithWarnings, u"still waiting for its adverts"_s));
    EXPECT_EQ(Run().UnplacedLines().size(), 1);
    EXPECT_EQ(
        night(u"09:40:00"_s),
        std::pair(RunOutcome::Complete,
                  u"still waiting for its adverts: its advert lines are as they were when last told"_s));
    EXPECT_TRUE(Run().UnplacedLines().isEmpty());
    EXPECT_EQ(Run().AdvertLines(LineFate::NotWalked), 1);
    EXPECT_EQ(night(u"09:41:00"_s).first, RunOutcome::WithWarnings); // its file changed: told again
    EXPECT_EQ(Pushed(10), 1);
}
