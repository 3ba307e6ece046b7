// Writes to a Station Database that another program keeps busy: each waits within
// the patience and then lands whole, or is reported as not written and leaves
// nothing behind.

#include "base/StopSignal.h"
#include "support/BusyNeighbour.h"
#include "support/StationFixture.h"

#include <QElapsedTimer>

#include <csignal>
#include <future>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

class StationWriterTest : public BackendFixture {
protected:
    void SetUp() override {
        BackendFixture::SetUp();
        neighbour = std::make_unique<BusyNeighbour>(Location());
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
    std::unique_ptr<BusyNeighbour> neighbour;
};

TEST_P(StationWriterTest, AWriterWaitsForABusyDatabaseAndItsHourAndBreakLandWhole) {
    db.SetPatience(10000);
    neighbour->HoldFor(400ms);
    LogHour built = Hour(Day, 14, {60, 60});
    ASSERT_TRUE(db.Log().WriteHour(hour, built)) << db.LastWrite().Problem.toStdString();
    EXPECT_EQ(HourItems(Day, 14).size(), 3);

    neighbour->HoldFor(400ms);
    ASSERT_EQ(Fill(marker.Position, Fills()), QString());
    const auto filled = HourItems(Day, 13);
    ASSERT_EQ(filled.size(), 6);
    EXPECT_EQ(filled[0].Flags & ItemFlag::HasAdverts, ItemFlag::HasAdverts);
    EXPECT_FLOAT_EQ(filled[0].HourLength, 60 + 30 + 40 + 60);
    EXPECT_FLOAT_EQ(filled[4].Time, 13 * 3600 + 120 + 30); // the adverts follow the break's own time
    EXPECT_FLOAT_EQ(filled[5].Time, 13 * 3600 + 120 + 70);
    // The neighbour counts its write once its commit has returned, which may be after
    // the writer it held back is done: it is waited for before it is counted.
    neighbour->Stop();
    EXPECT_EQ(neighbour->Writes(), 2);
}

TEST_P(StationWriterTest, ALockHeldLongerThanThePatienceLeavesTheWriteUndoneAndSaysSo) {
    db.SetPatience(300);
    neighbour->HoldFor(1500ms);
    LogHour built = Hour(Day, 14, {60, 60});
    EXPECT_FALSE(db.Log().WriteHour(hour, built));
    EXPECT_EQ(db.LastWrite().Result, WriteOutcome::Busy) << db.LastWrite().Problem.toStdString();
    EXPECT_TRUE(db.LastWrite().Problem.startsWith(u"the Station Database stayed busy for 0.3 s"_s))
        << db.LastWrite().Problem.toStdString();
    EXPECT_NE(Fill(marker.Position, Fills()), QString());
    EXPECT_EQ(db.LastWrite().Result, WriteOutcome::Busy) << db.LastWrite().Problem.toStdString();
    neighbour->Stop();
    EXPECT_TRUE(HourItems(Day, 14).isEmpty());
    EXPECT_EQ(HourItems(Day, 13).size(), 4);
    EXPECT_EQ(HourItems(Day, 13)[0].Flags & ItemFlag::HasAdverts, 0);
}

TEST_P(StationWriterTest, AWriterUndoneByADeadlockTriesAgainWithinItsPatience) {
    if (!OnServer())
        GTEST_SKIP() << "SQLite lets one writer in at a time: there are no row locks to cross";
    // The neighbour holds the hour's last song and then reaches for its start, which
    // the writer holds while it waits for that song: the server undoes the writer,
    // which has waited longest, and the writer's next attempt lands.
    db.SetPatience(10000);
    const QList<LogItem> items = HourItems(Day, 13);
    neighbour->CrossLocks(items[3].Position, items[0].Position, 300ms);
    ASSERT_EQ(Fill(marker.Position, Fills()), QString());
    neighbour->Stop();
    EXPECT_EQ(neighbour->Writes(), 1);
    EXPECT_EQ(HourItems(Day, 13).size(), 6);
}

TEST_P(StationWriterTest, AWriteTheDatabaseRefusesIsUndoneWithTheDatabasesOwnWords) {
    RefuseItemsWhere(u"NEW.Duration = 40"_s, u"database or disk is full"_s);
    EXPECT_EQ(Fill(marker.Position, Fills()), u"database or disk is full");
    EXPECT_EQ(db.LastWrite().Result, WriteOutcome::Failed);
    EXPECT_EQ(HourItems(Day, 13).size(), 4); // the first advert went with the second
    EXPECT_EQ(HourItems(Day, 13)[0].Flags & ItemFlag::HasAdverts, 0);

    // A music hour whose second item is refused leaves nothing of it, with the same words
    // (on a server its rows go together and are refused at its end).
    LogHour refused = Hour(Day, 14, {60, 40, 60});
    EXPECT_FALSE(db.Log().WriteHour({Day, 14 * 3600}, refused));
    EXPECT_EQ(db.LastWrite().Problem, u"database or disk is full");
    EXPECT_TRUE(HourItems(Day, 14).isEmpty());
    LogHour taken = Hour(Day, 14, {60, 60});
    EXPECT_TRUE(db.Log().WriteHour({Day, 14 * 3600}, taken)); // the connection is as good as before
    EXPECT_EQ(HourItems(Day, 14).size(), 3);

    LogHour again = Hour(Day, 13, {10});
    EXPECT_FALSE(db.Log().WriteHour({Day, 13 * 3600}, again));
    EXPECT_EQ(db.LastWrite().Result, WriteOutcome::Refused);
    EXPECT_EQ(db.LastWrite().Problem, u"the hour is already in the Scheduled Log");
}

TEST_P(StationWriterTest, BreaksAreFilledOnlyInAnHourThatIsThereAndHoldsNoAdvertsYet) {
    ASSERT_EQ(Fill(marker.Position, Fills()), QString());
    EXPECT_EQ(Fill(marker.Position, Fills()), u"the hour already holds adverts");
    EXPECT_EQ(Fill(marker.Position, {{marker.Position + 1e-9, {Advert(30)}}}),
              u"the hour already holds adverts");
    Write(Day, 11, {60, -120});
    EXPECT_EQ(Fill(HourItems(Day, 11)[0].Position, {{marker.Position, {Advert(30)}}}),
              u"an advert break of the hour is no longer in the Scheduled Log");
    // A change planned before another run filled the hour is not applied over it.
    QString refusal;
    Write(Day, 12, {60, -120});
    const auto change = ScheduledLog::PlanBreaks(HourItems(Day, 12),
                                                 {{HourItems(Day, 12)[2].Position, {Advert(30)}}}, refusal);
    ASSERT_TRUE(change);
    ASSERT_EQ(Fill(HourItems(Day, 12)[0].Position, {{HourItems(Day, 12)[2].Position, {Advert(20)}}}),
              QString());
    EXPECT_FALSE(db.Log().ApplyHour(*change));
    EXPECT_EQ(db.LastWrite().Problem, u"the hour already holds adverts");
    EXPECT_EQ(HourItems(Day, 12).size(), 4);
    EXPECT_EQ(Fill(ScheduledLog::LocateHour({Day, 14 * 3600}), Fills()),
              u"the hour is no longer in the Scheduled Log");
}

// The patience is the whole wait, from the first try: a read whose statement must
// first be prepared, or a write that waits at its start and again later, waits no
// longer than it, and says how long it did wait. (A file's readers are never held
// back by its writer: only a server's read waits.)
TEST_P(StationWriterTest, AReadAndAWriteEachWaitNoLongerThanThePatienceAndSayHowLongTheyWaited) {
    db.SetPatience(5000);
    BusyNeighbour playout(Location(), BusyNeighbour::Everything);
    playout.HoldFor(100s);
    QElapsedTimer elapsed;
    elapsed.start();
    // Each wait ran out after the patience, no later, and says how long it was.
    const auto waitedThePatience = [&elapsed](const WriteOutcome& outcome, const char* property) {
        const qint64 waited = elapsed.restart();
        EXPECT_EQ(outcome.Result, WriteOutcome::Busy) << outcome.Problem.toStdString();
        EXPECT_TRUE(outcome.Problem.startsWith(u"the Station Database stayed busy for 5 s ("_s))
            << outcome.Problem.toStdString();
        ::testing::Test::RecordProperty(property, int(waited));
        EXPECT_GE(waited, 4900);
        EXPECT_LT(waited, 6000);
    };
    if (OnServer()) {
        db.ClearReadFailure();
        EXPECT_FALSE(db.Log().FirstLogItem()); // as at start-up: its statement not yet prepared
        waitedThePatience(db.ReadFailure(), "readMilliseconds");
    }

    LogHour built = Hour(Day, 14, {60, 60});
    EXPECT_FALSE(db.Log().WriteHour(hour, built));
    waitedThePatience(db.LastWrite(), "writeMilliseconds");
    playout.LetGo();
    EXPECT_TRUE(HourItems(Day, 14).isEmpty());
}

namespace {

// A stop signal, as a scheduler sends it, `after` from now; the time it came.
std::future<QElapsedTimer> signalAfter(int signal, std::chrono::milliseconds after) {
    return std::async(std::launch::async, [signal, after] {
        std::this_thread::sleep_for(after);
        QElapsedTimer since;
        since.start();
        std::raise(signal);
        return since;
    });
}

} // namespace

// A stop signal ends a wait for a busy database at once (within a second), not at
// the end of the patience; nothing of the write is kept, and the words name the signal.
TEST_P(StationWriterTest, AStopSignalEndsAWriteOrReadWaitingForABusyDatabaseWithinASecond) {
    StopSignal::Catch();
    db.SetPatience(30000);
    BusyNeighbour playout(Location(), BusyNeighbour::Everything);
    playout.HoldFor(100s);

    // The wait ended within a second of the signal, and its words name it.
    const auto endedBy = [](std::future<QElapsedTimer>& sent, const WriteOutcome& outcome,
                            const QString& signal, const char* property) {
        const qint64 since = sent.get().elapsed();
        ::testing::Test::RecordProperty(property, int(since));
        EXPECT_LT(since, 1000);
        EXPECT_EQ(outcome.Result, WriteOutcome::Stopped) << outcome.Problem.toStdString();
        EXPECT_TRUE(outcome.Problem.contains(signal)) << outcome.Problem.toStdString();
    };
    auto term = signalAfter(SIGTERM, 500ms);
    LogHour built = Hour(Day, 14, {60, 60});
    EXPECT_FALSE(db.Log().WriteHour(hour, built));
    endedBy(term, db.LastWrite(), u"SIGTERM"_s, "endedAfterSigtermMilliseconds");

    StopSignal::Reset();
    if (OnServer()) { // a file's readers do not wait
        auto interrupt = signalAfter(SIGINT, 500ms);
        db.ClearReadFailure();
        EXPECT_FALSE(db.Log().FirstLogItem());
        endedBy(interrupt, db.ReadFailure(), u"SIGINT"_s, "endedAfterSigintMilliseconds");
    }

    StopSignal::Reset();
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
    playout.LetGo();
    EXPECT_TRUE(HourItems(Day, 14).isEmpty());
}

ON_BOTH_BACKENDS(StationWriterTest);
