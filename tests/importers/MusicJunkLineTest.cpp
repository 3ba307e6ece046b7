// Lines of a music log that cannot be read: the hour that holds one is not written,
// and is named with the file, the line and why, while the hours around it are.

#include "importers/MusicImportFixture.h"
#include "support/BusyNeighbour.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <random>

namespace {

QString withCart(const QString& kind, const QString& cart) {
    return Columns({{1, kind}, {2, cart}, {10, u"Title"_s}, {44, u"Artist"_s}, {80, u"X"_s}});
}

QString withControl(const QString& line, int column, char16_t control) {
    return line.left(column - 1) + QChar(control) + line.mid(column);
}

// What an item holds once written, in one text to compare.
QString shown(const LogItem& item) {
    return u"%1|%2|%3|%4|%5|%6|%7|%8|%9"_s.arg(item.Type)
        .arg(item.CartNumber, item.Title, item.Text1, item.Text2, item.Note)
        .arg(item.Time)
        .arg(item.Duration)
        .arg(item.Transition);
}

} // namespace

class MusicJunkLineTest : public MusicImportFixture {
protected:
    void SetUp() override {
        MusicImportFixture::SetUp();
        musicRun.Start(false, true); // a run that keeps its rejected lines
    }

    // Hours 8, 9 and 10 of the 5th, with `line` among hour 9's items, after a song whose
    // cart the store lacks. Gives the line's number in the file.
    int WriteWithLineInNine(const QString& line) {
        QStringList lines{u"; a day with one odd line"_s};
        lines += HourLines(5, 8, {u"1001"_s, u"1001"_s}).split(u"\r\n"_s);
        lines += HourLines(5, 9, {u"1001"_s, u"4444"_s}).split(u"\r\n"_s);
        const int at = int(lines.size()); // before hour 9's break note
        lines.insert(at - 1, line);
        lines += HourLines(5, 10, {u"1001"_s, u"1001"_s}).split(u"\r\n"_s);
        lines += SongLine(u"1001"_s, QString());
        WriteFile(db.MusicLogFileName(Nov(5)), (lines.join(u"\r\n"_s) + u"\r\n"_s).toLatin1());
        return at;
    }

    // A fresh run over hours 8 to 10 of a day that holds `line` in hour 9; gives the
    // line's number in the file.
    int ImportWithLineInNine(const QString& line) {
        db.Log().RemoveAllLogEntries();
        musicRun.Start(false, true);
        const int at = WriteWithLineInNine(line);
        logStart = AppLogLines().size();
        Import(Nov(5), 8 * 3600, Nov(5), 10 * 3600);
        return at;
    }
    QStringList RunLogLines() const { return AppLogLines().mid(logStart); }

    // Hour 9 was not written and is named at the line; hours 8 and 10 were written
    // whole, and the carts of hour 9 are not reported.
    void ExpectNineSpoiltAt(int line) {
        const QString where = u"line %1 of '%2'"_s.arg(line).arg(db.MusicLogFileName(Nov(5)));
        const RunOutcome& run = musicRun;
        const ScheduleDate nine{Nov(5), 9 * 3600};
        EXPECT_EQ(HoursInLog(), QStringList({u"5 08"_s, u"5 10"_s}));
        EXPECT_EQ(HourItems(Nov(5), 10).size(), 5);
        EXPECT_EQ(run.Count(RunOutcome::Written), 2);
        ASSERT_TRUE(run.HourAt(nine));
        EXPECT_EQ(run.HourAt(nine)->Music, RunOutcome::Unreadable);
        EXPECT_TRUE(run.HourAt(nine)->MusicReason.contains(where))
            << run.HourAt(nine)->MusicReason.toStdString();
        EXPECT_EQ(RunLogLines().filter(u"Music:2010-11-05 09:00:00 - "_s).filter(where).size(), 1)
            << RunLogLines().join(u'\n').toStdString();
        EXPECT_EQ(run.Warnings().filter(u"2010-11-05 09:00:00 was not written"_s).filter(where).size(), 1)
            << run.Warnings().join(u'\n').toStdString();
        const auto named = std::count_if(run.RejectedLines().begin(), run.RejectedLines().end(),
                                         [&](const RunOutcome::RejectedLine& rejected) {
                                             return rejected.File == db.MusicLogFileName(Nov(5)) &&
                                                    rejected.Line == line &&
                                                    rejected.Reason.startsWith(u"2010-11-05 09:00:00: "_s);
                                         });
        EXPECT_EQ(named, 1);
        EXPECT_EQ(run.Status(), RunOutcome::WithWarnings);
        EXPECT_EQ(run.MissingCarts(), 0);
        EXPECT_TRUE(RunLogLines().filter(u"has been scheduled to play"_s).isEmpty());
    }

    qsizetype logStart = 0;
};

TEST_F(MusicJunkLineTest, AnItemLineWithJunkInItsColumnsSpoilsOnlyItsHour) {
    const struct {
        const char* name;
        QString line;
        const char* why; // a word of the reason the hour gives
    } junk[] = {
        {"letters for a cart", u"#abc"_s, "abc"},
        {"a negative cart", u"#-5"_s, "-5"},
        {"a cart with a point", u"#10.09"_s, "10.09"},
        {"no cart where the cart gives the type", u"#"_s, "cart"},
        {"no cart on a featured line", u"@        Featured"_s, "cart"},
        {"letters inside a song's cart", withCart(u"L"_s, u"10a1"_s), "10a1"},
        {"a blank inside a jingle's cart", withCart(u"C"_s, u"10 01"_s), "10 01"},
        {"a NUL in a title", withControl(withCart(u"L"_s, u"1001"_s), 14, 0), "control"},
        {"an escape in an artist", withControl(withCart(u"A"_s, u"1001"_s), 50, 0x1B), "control"},
        {"a bell in a note", withCart(u"W"_s, u"1001"_s).leftJustified(100) + QChar(7), "control"},
    };
    for (const auto& c : junk) {
        SCOPED_TRACE(c.name);
        ExpectNineSpoiltAt(ImportWithLineInNine(c.line));
        const auto* nine = musicRun.HourAt({Nov(5), 9 * 3600});
        ASSERT_TRUE(nine);
        EXPECT_TRUE(nine->MusicReason.contains(QString::fromLatin1(c.why)))
            << nine->MusicReason.toStdString();
    }
}

TEST_F(MusicJunkLineTest, ItemLinesThatHoldWhatTheirColumnsMayHoldAreWritten) {
    const struct {
        const char* name;
        QString line;
    } fine[] = {
        {"a sweeper without a cart", u"S"_s},
        {"a song without a cart", Columns({{1, u"L"_s}, {10, u"Live in the studio"_s}})},
        {"a tab inside the title", Columns({{1, u"L"_s}, {2, u"1001"_s}, {10, u"Left\tRight"_s}})},
        {"a cart with leading zeros", withCart(u"C"_s, u"0034"_s)},
        {"a cart filling its column", withCart(u"#"_s, u"1234567"_s)},
    };
    for (const auto& c : fine) {
        SCOPED_TRACE(c.name);
        ImportWithLineInNine(c.line);
        EXPECT_EQ(musicRun.Count(RunOutcome::Written), 3);
        EXPECT_EQ(HourItems(Nov(5), 9).size(), 5);
    }
}

TEST_F(MusicJunkLineTest, ASweeperLineOfNulBytesIsNoSweeper) {
    const QByteArray day = "+05/11/10 09:00 Nine\r\n" + SongLine(u"1001"_s, QString()).toLatin1() + "\r\n" +
                           QByteArray("S\0\0\0", 4) + "\r\n" + SongLine(u"1001"_s, QString()).toLatin1() +
                           "\r\n+05/11/10 10:00 Ten\r\n" + SongLine(u"1001"_s, QString()).toLatin1() + "\r\n";
    ASSERT_EQ(day.count('\0'), 3);
    WriteFile(db.MusicLogFileName(Nov(5)), day);
    Import(Nov(5), 9 * 3600, Nov(5), 10 * 3600);
    EXPECT_EQ(HoursInLog(), QStringList{u"5 10"_s});
    for (const LogItem& item : db.Log().ItemsBetween(0, 1e6))
        EXPECT_NE(item.Type, ItemType::Sweeper);
    const auto* nine = musicRun.HourAt({Nov(5), 9 * 3600});
    ASSERT_TRUE(nine);
    EXPECT_EQ(nine->Music, RunOutcome::Unreadable);
    EXPECT_TRUE(nine->MusicReason.contains(u"line 3 of '"_s + db.MusicLogFileName(Nov(5)) + u"'"_s))
        << nine->MusicReason.toStdString();
    EXPECT_EQ(musicRun.Status(), RunOutcome::WithWarnings);
}

TEST_F(MusicJunkLineTest, AHeaderThatCannotBeReadInsideAnHourSpoilsIt) {
    const struct {
        const char* name;
        QString header;
        const char* why;
    } headers[] = {
        {"an hour past 23", u"+05/11/10 25:00 Typo"_s, "not one from 0 to 23"},
        {"a day that no month has", u"+31/02/10 09:00 Typo"_s, "date"},
    };
    QStringList twenty;
    for (int song = 0; song < 20; ++song)
        twenty.append(u"1001"_s);
    for (const auto& c : headers) {
        SCOPED_TRACE(c.name);
        db.Log().RemoveAllLogEntries();
        musicRun.Start(false, true);
        QStringList lines = HourLines(5, 9, twenty).split(u"\r\n"_s); // 21 items and the hour start
        lines.insert(3, c.header);                                    // after two of them
        lines += HourLines(5, 10, {u"1001"_s}).split(u"\r\n"_s);
        WriteFile(db.MusicLogFileName(Nov(5)), (lines.join(u"\r\n"_s) + u"\r\n"_s).toLatin1());
        Import(Nov(5), 9 * 3600, Nov(5), 10 * 3600);

        EXPECT_EQ(HoursInLog(), QStringList{u"5 10"_s});
        const RunOutcome& run = musicRun;
        EXPECT_EQ(run.Count(RunOutcome::Written), 1);
        const auto* nine = run.HourAt({Nov(5), 9 * 3600});
        ASSERT_TRUE(nine);
        EXPECT_EQ(nine->Music, RunOutcome::Unreadable);
        EXPECT_TRUE(nine->MusicReason.contains(u"line 4 of '"_s + db.MusicLogFileName(Nov(5)) + u"'"_s))
            << nine->MusicReason.toStdString();
        EXPECT_TRUE(nine->MusicReason.contains(QString::fromLatin1(c.why)))
            << nine->MusicReason.toStdString();
        EXPECT_EQ(run.Warnings().filter(u"2010-11-05 09:00:00 was not written"_s).size(), 1)
            << run.Warnings().join(u'\n').toStdString();
        EXPECT_EQ(run.Status(), RunOutcome::WithWarnings);
    }
}

TEST_F(MusicJunkLineTest, TheCartsOfAnHourTheDatabaseRefusesAreNotReported) {
    WriteDay(5, {10}, {u"1001"_s, u"4444"_s});
    db.SetPatience(300);
    BusyNeighbour playout(DatabasePath());
    playout.HoldFor(std::chrono::milliseconds(2000));
    EXPECT_FALSE(Import(Nov(5), 10 * 3600, Nov(5), 10 * 3600));
    playout.Stop();
    EXPECT_EQ(musicRun.HourAt({Nov(5), 10 * 3600})->Music, RunOutcome::NotWritten);
    EXPECT_EQ(musicRun.MissingCarts(), 0);
    EXPECT_TRUE(AppLogLines().filter(u"has been scheduled to play"_s).isEmpty())
        << AppLogLines().join(u'\n').toStdString();

    // Written, the same hour reports its missing cart.
    musicRun.Start(false, true);
    ASSERT_TRUE(Import(Nov(5), 10 * 3600, Nov(5), 10 * 3600));
    EXPECT_EQ(musicRun.MissingCarts(), 1);
    EXPECT_EQ(AppLogLines().filter(u"Cart 4444 ('') has been scheduled to play, but does not exist"_s).size(),
              1);
}

// Junk lines of every kind, dropped at random into good hours of a generated day,
// spoil exactly the hours they are in: every other hour is written as it is without them.
class MusicJunkPropertyTest : public MusicJunkLineTest {
protected:
    using Entry = QStringList; // the lines of one item, a note or a header
    using Hour = QList<Entry>;

    // A good hour of items of every kind, some continued over lines, some carts missing.
    static Hour GoodHour(std::mt19937& random, int hour) {
        const auto pick = [&random](int n) { return int(random() % unsigned(n)); };
        const QStringList carts{u"1001"_s, u"1002"_s, u"4444"_s, u"0034"_s};
        Hour lines{{u"+05/11/10 %1:00 Hour %1"_s.arg(hour, 2, 10, QLatin1Char('0'))}};
        const int items = 2 + pick(6);
        for (int n = 0; n < items; ++n) {
            const QString cart = carts[pick(int(carts.size()))];
            switch (pick(5)) {
            case 0:
                lines.append({Columns({{1, u"@"_s}, {2, cart}, {10, u"Featured %1"_s.arg(n)}}),
                              Columns({{44, u"Second text"_s}}), Columns({{10, u"Third line note"_s}})});
                break;
            case 1:
                lines.append({Columns({{1, u":"_s}, {15, u"BREAK 00:%1:00"_s.arg(10 + n)}})});
                break;
            case 2:
                lines.append({u"; a comment"_s});
                break;
            default:
                lines.append({Columns({{1, u"LCS#W"_s.mid(pick(5), 1)},
                                       {2, cart},
                                       {10, u"Song\t%1"_s.arg(n)},
                                       {44, u"Artist"_s},
                                       {80, u"X"_s},
                                       {101, u"Note+%1"_s.arg(n)}})});
                break;
            }
        }
        return lines;
    }

    static QString JunkLine(std::mt19937& random) {
        const auto pick = [&random](int n) { return int(random() % unsigned(n)); };
        const QString kinds = u"@#ACSLW"_s;
        const QString kind = kinds.mid(pick(int(kinds.size())), 1);
        switch (pick(4)) {
        case 0: { // a character that is not a digit among the cart's
            QString cart = QString::number(1000 + pick(9000));
            cart.insert(pick(int(cart.size()) + 1), u"abz.-+/:x"_s[pick(9)]);
            return withCart(kind, cart);
        }
        case 1: { // a control character anywhere after the kind, but a line end or a tab
            static const QList<char16_t> controls = {0, 1, 7, 8, 11, 12, 27, 31};
            return withControl(withCart(kind, u"1001"_s).leftJustified(110), 2 + pick(109),
                               controls[pick(int(controls.size()))]);
        }
        case 2: // no cart on a line whose type its cart gives
            return Columns({{1, u"@#"_s.mid(pick(2), 1)}, {10, u"Untitled"_s}});
        default: // a header that cannot be read
            return pick(2) ? u"+05/11/10 %1:00 Typo"_s.arg(24 + pick(70)) : u"+31/02/10 12:00 Typo"_s;
        }
    }

    static QString Text(const QList<Hour>& hours) {
        QStringList lines{u"; a generated day"_s};
        for (const Hour& hour : hours) {
            for (const Entry& entry : hour)
                lines += entry;
        }
        return lines.join(u"\r\n"_s) + u"\r\n"_s;
    }

    // The items of each hour of the day that the Scheduled Log holds, by hour.
    QMap<int, QStringList> Written() {
        QMap<int, QStringList> hours;
        for (int hour = 0; hour < 24; ++hour) {
            for (const LogItem& item : HourItems(Nov(5), hour))
                hours[hour].append(shown(item));
        }
        return hours;
    }

    void SetUp() override {
        MusicJunkLineTest::SetUp();
        Cart silent;
        silent.Number = u"1002"_s;
        silent.Title = u"No Audio"_s;
        ASSERT_TRUE(db.Carts().Save({silent}));
    }
};

TEST_F(MusicJunkPropertyTest, JunkLinesSpoilExactlyTheHoursTheyAreIn) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 random(seed);
        QList<Hour> hours;
        for (int hour = 6; hour < 18; ++hour)
            hours.append(GoodHour(random, hour));

        db.Log().RemoveAllLogEntries();
        musicRun.Start(false, true);
        WriteFile(db.MusicLogFileName(Nov(5)), Text(hours).toLatin1());
        ASSERT_TRUE(Import(Nov(5), 6 * 3600, Nov(5), 17 * 3600));
        ASSERT_EQ(musicRun.Count(RunOutcome::Written), 12);
        const QMap<int, QStringList> clean = Written();

        QMap<int, int> junkAt; // hour: the junk's entry
        for (int n = 1 + int(random() % 3); n > 0; --n) {
            const int hour = int(random() % 12);
            if (junkAt.contains(hour + 6))
                continue;
            const int entry = 1 + int(random() % unsigned(hours[hour].size()));
            hours[hour].insert(entry, {JunkLine(random)});
            junkAt.insert(hour + 6, entry);
        }
        db.Log().RemoveAllLogEntries();
        musicRun.Start(false, true);
        WriteFile(db.MusicLogFileName(Nov(5)), Text(hours).toLatin1());
        Import(Nov(5), 6 * 3600, Nov(5), 17 * 3600);

        const QMap<int, QStringList> written = Written();
        int line = 1;
        for (int hour = 6; hour < 18; ++hour) {
            const Hour& lines = hours[hour - 6];
            const auto* fate = musicRun.HourAt({Nov(5), float(hour * 3600)});
            ASSERT_TRUE(fate);
            if (junkAt.contains(hour)) {
                int junkLine = line;
                for (int entry = 0; entry < junkAt[hour]; ++entry)
                    junkLine += int(lines[entry].size());
                junkLine += 1;
                EXPECT_EQ(fate->Music, RunOutcome::Unreadable)
                    << hour << ": " << lines.value(junkAt[hour]).join(u'|').toStdString();
                EXPECT_TRUE(fate->MusicReason.contains(u"line %1 of"_s.arg(junkLine)))
                    << hour << ": " << fate->MusicReason.toStdString();
                EXPECT_FALSE(written.contains(hour)) << hour;
            } else {
                EXPECT_EQ(fate->Music, RunOutcome::Written)
                    << hour << ": " << fate->MusicReason.toStdString();
                EXPECT_EQ(written.value(hour), clean.value(hour)) << hour;
            }
            for (const Entry& entry : lines)
                line += int(entry.size());
        }
        EXPECT_EQ(musicRun.Count(RunOutcome::Written), 12 - junkAt.size());
        for (const RunOutcome::MissingCart& cart : musicRun.Carts())
            EXPECT_FALSE(junkAt.contains(int(cart.Hour.Seconds / 3600))) << cart.Cart.toStdString();
        EXPECT_EQ(musicRun.Status(), RunOutcome::WithWarnings);
    }
}
