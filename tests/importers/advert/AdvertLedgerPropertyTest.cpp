// The push's ledger against what the Scheduled Log holds afterwards, over advert
// logs made at random: lines at and off their breaks' times, other types under a
// filter, corrupt lines, missing carts, and hours already holding adverts.

#include "base/ScheduleDateTools.h"
#include "importers/MusicImportFixture.h"
#include "importers/RunReport.h"
#include "importers/advert/AdvertLineLayout.h"
#include "importers/advert/AdvertLogImporter.h"
#include "stationdb/StartTimes.h"
#include "support/Columns.h"

#include <QJsonObject>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <numeric>

namespace {

constexpr int hours = 4;      // 10:00 to 13:00 of one day
constexpr int firstHour = 10; // each with breaks at minutes 15 and 45
const int breakMinutes[] = {15, 45};

int pushedAfter(const QList<LogItem>& hour, qsizetype marker) {
    int count = 0;
    for (qsizetype i = marker + 1; i < hour.size() && hour[i].Type == ItemType::Advert && hour[i].State == 2;
         ++i)
        ++count;
    return count;
}

} // namespace

class AdvertLedgerPropertyTest : public MusicImportFixture {
protected:
    void SetUp() override {
        MusicImportFixture::SetUp();
        AdvertStation(30);
        QStringList lines;
        for (int hour = firstHour; hour < firstHour + hours; ++hour)
            lines << HourLines(5, hour, {u"1001"_s}) << SongLine(u"1001"_s, QString())
                  << Columns({{1, u":"_s}, {15, u"BREAK 00:45:00"_s}});
        WriteFile(db.MusicLogFileName(Nov(5)), (lines.join(u"\r\n"_s) + u"\r\n"_s).toLatin1());
        ASSERT_TRUE(Import(Nov(5), 0, Nov(5), ScheduleDateTools::EndOfDay));
    }

    // One line of a random advert log at a time of the hour.
    QString line(QRandomGenerator& random, int hour, int minute, int second) {
        const QString time = u"%1:%2:%3"_s.arg(hour, 2, 10, QLatin1Char('0'))
                                 .arg(minute, 2, 10, QLatin1Char('0'))
                                 .arg(second, 2, 10, QLatin1Char('0'));
        switch (random.bounded(8)) {
        case 0: // neither cart nor title
            return AdvertLineLayout::BuildAdvertLine(time, u"SPOT"_s, {}, {}, u"R"_s, 30, false, {});
        case 1: // another type than the filter's
            return AdvertLineLayout::BuildAdvertLine(time, u"PROM"_s, u"0034"_s, {}, u"R"_s, 30, false, {});
        case 2: // a cart that does not exist
            return AdvertLineLayout::BuildAdvertLine(time, u"SPOT"_s, u"0099"_s, {}, u"R"_s, 30, false, {});
        default:
            return AdvertLineLayout::BuildAdvertLine(time, u"SPOT"_s, u"0034"_s, {}, u"R"_s, 30, false, {});
        }
    }
    QStringList randomLog(QRandomGenerator& random) {
        QStringList lines;
        for (int hour = firstHour; hour < firstHour + hours; ++hour) {
            for (const int minute : breakMinutes) {
                const int count = random.bounded(4);     // none to three at the break's time
                const bool off = random.bounded(4) == 0; // or a few seconds off it
                for (int i = 0; i < count; ++i)
                    lines.append(line(random, hour, minute, off ? 20 : 0));
            }
        }
        return lines;
    }
    // Clears the pushed adverts, then marks some hours as holding adverts already.
    void resetHours(QRandomGenerator& random, QSet<int>& marked) {
        db.Log().RemoveAdvertRange({Nov(5), 0},
                                   {Nov(5), ScheduleDateTools::EndOfDay}); // False when none were there
        marked.clear();
        for (int hour = firstHour; hour < firstHour + hours; ++hour) {
            if (random.bounded(5) != 0)
                continue;
            auto start = *db.Log().HourStartItem(ScheduledLog::LocateHour({Nov(5), float(hour * 3600)}));
            start.Flags |= ItemFlag::HasAdverts;
            ASSERT_TRUE(db.Log().UpdateItem(start.Position, start));
            marked.insert(hour);
        }
    }
};

TEST_F(AdvertLedgerPropertyTest, TheLedgerSaysWhatTheScheduledLogHoldsAndEveryFigureAgrees) {
    QRandomGenerator random(20261207); // seeded: a failing case comes again
    QMap<RunOutcome::BreakFate, int> seen;
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        QSet<int> marked;
        resetHours(random, marked);
        db.Settings().SetValue(u"AdvertTypeFilter"_s, random.bounded(2) ? u"SPOT"_s : QString());
        const QStringList log = randomLog(random);
        WriteFile(db.AdvertLogFileName(Nov(5)), (log.join(u"\r\n"_s) + u"\r\n"_s).toLatin1());

        RunOutcome run;
        ASSERT_TRUE(AdvertLogImporter().Import(
            db, {{Nov(5), firstHour * 3600.0f}, {Nov(5), (firstHour + hours - 1) * 3600.0f}}, run));

        int pushedInLog = 0;
        for (int hour = firstHour; hour < firstHour + hours; ++hour) {
            const QList<LogItem> items = HourItems(Nov(5), hour);
            const RunOutcome::Hour* ledger = run.HourAt({Nov(5), float(hour * 3600)});
            ASSERT_NE(ledger, nullptr) << hour;
            const bool holds = (items[0].Flags & ItemFlag::HasAdverts) != 0;
            EXPECT_EQ(holds, marked.contains(hour) || ledger->Adverts == RunOutcome::Written) << hour;
            qsizetype b = 0;
            for (qsizetype i = 0; i < items.size(); ++i) {
                if (items[i].Type != ItemType::Advert || items[i].State != ItemState::Marker)
                    continue;
                ASSERT_LT(b, ledger->Breaks.size());
                const RunOutcome::Break& met = ledger->Breaks[b++];
                ++seen[met.Fate];
                const int pushed = pushedAfter(items, i);
                pushedInLog += pushed;
                if (met.Fate == RunOutcome::BreakFate::Filled)
                    EXPECT_EQ(pushed, met.Adverts) << hour;
                else
                    EXPECT_EQ(pushed, 0) << hour << " " << RunOutcome::BreakFateText(met.Fate).toStdString();
            }
            EXPECT_EQ(b, ledger->Breaks.size());
        }
        const RunOutcome::AdvertTotals totals = run.Adverts();
        EXPECT_EQ(totals.Adverts, pushedInLog);
        EXPECT_EQ(totals.Breaks,
                  totals.Filled + totals.Empty + totals.Filtered + totals.Corrupt + totals.NotWritten);
        EXPECT_EQ(HistoryLines().last(), u"Finish Advert Push, "_s + run.AdvertSummary());
        EXPECT_TRUE(run.AdvertSummary().startsWith(
            u"%1 adverts pushed into %2 ad break(s)"_s.arg(totals.Adverts).arg(totals.Breaks)));
        const QJsonObject json = RunReport::Json(run).value(u"totals"_s).toObject();
        EXPECT_EQ(json.value(u"advertsPushed"_s).toInt(), totals.Adverts);
        EXPECT_EQ(json.value(u"breaksMet"_s).toInt(), totals.Breaks);
        EXPECT_EQ(json.value(u"breaksLeftEmpty"_s).toInt(), totals.Empty);
        EXPECT_TRUE(run.Summary().contains(
            RunOutcome::SummaryLine(u"adverts pushed"_s, QString::number(totals.Adverts))));
        EXPECT_TRUE(run.Summary().contains(
            RunOutcome::SummaryLine(u"breaks left empty"_s, QString::number(totals.Empty))));
        const bool corrupt = totals.Corrupt > 0;
        EXPECT_EQ(run.Status() == RunOutcome::WithWarnings, corrupt || !run.UnplacedLines().isEmpty());
    }
    // The cases met every fate a push can give without a database that refuses.
    using Fate = RunOutcome::BreakFate;
    for (const Fate fate :
         {Fate::Filled, Fate::Empty, Fate::Filtered, Fate::Corrupt, Fate::HeldBack, Fate::AlreadyThere})
        EXPECT_GT(seen.value(fate), 10) << RunOutcome::BreakFateText(fate).toStdString();
}

TEST_F(AdvertLedgerPropertyTest, EveryLineGoesIntoItsNearestBreakWithinTheWindowOrIsNamedAsUnplaced) {
    QRandomGenerator random(20261208);
    const qint64 windows[] = {0, 0, 10, 30, 60, 900, 1200};
    int placedSeen = 0, unplacedSeen = 0;
    for (int round = 0; round < 150; ++round) {
        SCOPED_TRACE(round);
        db.Log().RemoveAdvertRange({Nov(5), 0}, {Nov(5), ScheduleDateTools::EndOfDay});
        const qint64 window = windows[random.bounded(int(std::size(windows)))];
        db.Settings().SetValue(u"AdvertTimeWindow"_s, QString::number(window));
        // Up to six lines an hour, in time order, near its breaks or anywhere in it;
        // each line's reference is its number in the file.
        QList<qint64> times;
        for (int hour = firstHour; hour < firstHour + hours; ++hour) {
            QList<qint64> hourTimes;
            for (int n = random.bounded(7); n > 0; --n) {
                const qint64 near = hour * 3600 + breakMinutes[random.bounded(2)] * 60;
                hourTimes.append(random.bounded(3) == 0 ? hour * 3600 + random.bounded(3600)
                                                        : near + random.bounded(-90, 91));
            }
            std::sort(hourTimes.begin(), hourTimes.end());
            times += hourTimes;
        }
        QStringList log;
        for (qsizetype i = 0; i < times.size(); ++i)
            log.append(AdvertLineLayout::BuildAdvertLine(
                ScheduleDateTools::FormatSeconds(float(times[i]), 12), u"SPOT"_s, u"0034"_s, {},
                QString::number(i + 1), 30, false, {}));
        WriteFile(db.AdvertLogFileName(Nov(5)), (log.join(u"\r\n"_s) + u"\r\n"_s).toLatin1());

        RunOutcome run;
        ASSERT_TRUE(AdvertLogImporter().Import(
            db, {{Nov(5), firstHour * 3600.0f}, {Nov(5), (firstHour + hours - 1) * 3600.0f}}, run));

        QMap<int, QList<qint64>> placed; // line number: the times of the breaks it went into
        for (int hour = firstHour; hour < firstHour + hours; ++hour) {
            for (const LogItem& item : HourItems(Nov(5), hour)) {
                if (StartTimes::IsPushedAdvert(item))
                    placed[item.Reference.trimmed().toInt()].append(qint64(item.HourStart));
            }
        }
        QMap<int, int> unplaced;
        for (const RunOutcome::UnplacedLine& line : run.UnplacedLines())
            ++unplaced[line.Line];
        for (int number = 1; number <= times.size(); ++number) {
            const qint64 time = times[number - 1];
            // The nearest break of the day, the earlier on a tie: a neighbouring hour's too.
            QList<qint64> breaks;
            for (int hour = firstHour; hour < firstHour + hours; ++hour)
                breaks << hour * 3600 + 900 << hour * 3600 + 2700;
            const qint64 nearest =
                *std::min_element(breaks.cbegin(), breaks.cend(), [time](qint64 a, qint64 b) {
                    return std::abs(time - a) < std::abs(time - b);
                });
            const bool inWindow = std::abs(time - nearest) <= window;
            EXPECT_LE(placed.value(number).size() + unplaced.value(number), 1) << number; // at most one place
            if (inWindow) {
                EXPECT_EQ(placed.value(number), QList<qint64>{nearest}) << number << " at " << time;
            } else {
                EXPECT_EQ(unplaced.value(number), 1) << number << " at " << time;
            }
            if (window == 0) { // the exact rule: a line goes in only at its break's very time
                EXPECT_EQ(placed.contains(number), breaks.contains(time)) << number;
            }
            placedSeen += placed.contains(number);
        }
        unplacedSeen += int(run.UnplacedLines().size());
        EXPECT_EQ(run.Adverts().Adverts,
                  std::accumulate(placed.cbegin(), placed.cend(), 0,
                                  [](int sum, const QList<qint64>& at) { return sum + int(at.size()); }));
        EXPECT_TRUE(run.Summary().contains(RunOutcome::SummaryLine(
            u"advert lines unplaced"_s, QString::number(run.UnplacedLines().size()))));
        EXPECT_EQ(RunReport::Json(run)[u"totals"_s][u"advertLinesUnplaced"_s].toInt(),
                  run.UnplacedLines().size());
        EXPECT_EQ(run.Status(),
                  run.UnplacedLines().isEmpty() ? RunOutcome::Complete : RunOutcome::WithWarnings);
    }
    EXPECT_GT(placedSeen, 300);
    EXPECT_GT(unplacedSeen, 300);
}

TEST_F(AdvertLedgerPropertyTest, EveryLineHasOneFateAndABadLineChangesNoGoodLinesFate) {
    QRandomGenerator random(20261209);
    const QStringList badTimes{u"25:15:00"_s, u"aa:bb:cc"_s, u"10:61:00"_s, u"1O:15:00"_s};
    const QStringList badCarts{u"-5007"_s, u"50x9"_s, u"0x1387"_s, u"5007 OR1"_s};
    QMap<RunOutcome::LineFate, int> seen;
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        db.Settings().SetValue(u"AdvertTimeWindow"_s, QString::number(random.bounded(3) * 30));
        // Good lines near the breaks, in time order; each line's reference names it.
        QStringList good;
        for (int hour = firstHour - 1; hour < firstHour + hours + 1; ++hour) {
            for (int n = random.bounded(5); n > 0; --n) {
                const qint64 time =
                    hour * 3600 + breakMinutes[random.bounded(2)] * 60 + random.bounded(-40, 41);
                good.append(ScheduleDateTools::FormatSeconds(float(time), 12));
            }
        }
        std::sort(good.begin(), good.end());
        QStringList log;
        for (qsizetype i = 0; i < good.size(); ++i)
            log.append(AdvertLineLayout::BuildAdvertLine(good[i], u"SPOT"_s, u"0034"_s, {}, u"G%1"_s.arg(i),
                                                         30, false, {}));
        // The same log with bad lines among the good, and lines out of time order at its end.
        QStringList mixed = log;
        for (int n = 1 + random.bounded(4); n > 0; --n) {
            const int hour = firstHour + random.bounded(hours);
            const QString time = u"%1:15:00"_s.arg(hour);
            QString bad;
            switch (random.bounded(3)) {
            case 0:
                bad = AdvertLineLayout::BuildAdvertLine(badTimes[random.bounded(badTimes.size())], u"SPOT"_s,
                                                        u"0034"_s, {}, u"B"_s, 30, false, {});
                break;
            case 1:
                bad = AdvertLineLayout::BuildAdvertLine(
                    time, u"SPOT"_s, badCarts[random.bounded(badCarts.size())], {}, u"B"_s, 30, false, {});
                break;
            default:
                bad = AdvertLineLayout::BuildAdvertLine(time, u"SPOT"_s, u"0034"_s, u"A"_s + QChar(1), u"B"_s,
                                                        30, false, {});
            }
            mixed.insert(random.bounded(int(mixed.size()) + 1), bad);
        }
        const int late = random.bounded(2);
        for (int n = 0; n < late; ++n)
            mixed.append(AdvertLineLayout::BuildAdvertLine(u"%1:45:00"_s.arg(firstHour), u"SPOT"_s, u"0034"_s,
                                                           {}, u"L"_s, 30, false, {}));

        // The fate of each good line (by its reference) in a push of either log.
        const auto push = [&](const QStringList& lines) {
            db.Log().RemoveAdvertRange({Nov(5), 0}, {Nov(5), ScheduleDateTools::EndOfDay});
            WriteFile(db.AdvertLogFileName(Nov(5)), (lines.join(u"\r\n"_s) + u"\r\n"_s).toLatin1());
            RunOutcome run;
            StartRecorded(run);
            EXPECT_TRUE(AdvertLogImporter().Import(
                db, {{Nov(5), firstHour * 3600.0f}, {Nov(5), (firstHour + hours - 1) * 3600.0f}}, run));
            QMap<QString, std::pair<RunOutcome::LineFate, float>> fates;
            QMap<int, int> records; // line number: its fates
            for (const RunOutcome::Line& line : run.AdvertLineRecords()) {
                ++records[line.Number];
                ++seen[line.Fate];
                const QString reference =
                    AdvertLineLayout::AdvertLineReference(lines[line.Number - 1]).trimmed();
                if (reference.startsWith(u'G'))
                    fates.insert(reference, {line.Fate, line.Break});
            }
            for (int number = 1; number <= lines.size(); ++number)
                EXPECT_EQ(records.value(number), 1)
                    << "line " << number << ": " << lines[number - 1].toStdString();
            return fates;
        };
        const auto alone = push(log);
        const auto among = push(mixed);
        EXPECT_EQ(alone.size(), good.size());
        for (auto fate = alone.cbegin(); fate != alone.cend(); ++fate)
            EXPECT_EQ(among.value(fate.key()), *fate) << fate.key().toStdString();
    }
    using LineFate = RunOutcome::LineFate;
    for (const LineFate fate :
         {LineFate::Placed, LineFate::Unplaced, LineFate::Unreadable, LineFate::NotWalked})
        EXPECT_GT(seen.value(fate), 10) << RunOutcome::LineFateText(fate).toStdString();
}
