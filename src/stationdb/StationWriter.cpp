#include "stationdb/StationWriter.h"

#include "base/StopSignal.h"
#include "stationdb/ServerStatement.h"
#include "stationdb/SqliteStatement.h"
#include "stationdb/TransactionGuard.h"

#include <QThread>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <libpq-fe.h>
#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A busy commit leaves no busy handler to wait in: a short breath before the next attempt.
constexpr int retryPause = 25; // milliseconds
// How long SQLite's busy handler sleeps between two looks at the lock, the deadline
// and the stop signal: short, so that a stop ends the wait well within a second.
constexpr int busySlice = 20; // milliseconds
// A server's own lock timeout ends a wait that meets a single lock; the watch
// cancels a statement only past it, when a wait met lock after lock.
constexpr std::chrono::milliseconds watchGrace{250};
// A cancel that reached the server between two statements is lost: it is sent
// again as long as the wait lasts.
constexpr std::chrono::milliseconds cancelAgain{200};
// How often the watch looks for a stop signal (a handler may not wake a thread).
constexpr std::chrono::milliseconds stopLook{50};

bool stopCame() {
    return !StopSignal::Received().isEmpty();
}

// A time waited, as an operator reads it: tenths below a second, whole seconds above.
QString seconds(qint64 milliseconds) {
    if (milliseconds < 950)
        return QString::number(double(milliseconds) / 1000.0, 'f', 1);
    return QString::number((milliseconds + 500) / 1000);
}

// What a server says when another writer held a lock past the wait, or when two
// transactions got in each other's way: the database was busy, not wrong.
// A server that takes no writes at all: its disk is full, or it is read-only.
bool isServerUnwritable(const QString& message) {
    return message.contains(u"No space left on device"_s) || message.contains(u"could not extend file"_s) ||
           message.contains(u"read-only transaction"_s);
}

bool isServerBusy(const QString& message) {
    return message.contains(u"lock timeout"_s) || message.contains(u"deadlock detected"_s) ||
           message.contains(u"could not serialize"_s);
}

// The first line of a server's message, without its severity.
QString serverWords(const QString& message) {
    QString line = message.section(u'\n', 0, 0);
    if (line.startsWith(u"ERROR:"_s))
        line = line.mid(6).trimmed();
    return line;
}

} // namespace

// Keeps a server connection's wait within its deadline: a statement blocked past it
// (one that met a second lock after waiting for a first, or a prepare and its run
// each waiting) is cancelled from a thread of its own, as is one still waiting when
// a stop signal comes. The server's lock timeout cannot do it alone: it bounds each
// lock wait, not their sum.
class ServerWatch {
public:
    enum Ending { None, RanOut, Stopped };

    explicit ServerWatch(pg_conn* handle) : cancel(PQgetCancel(handle)), thread([this] { watch(); }) {}
    ~ServerWatch() {
        {
            const std::lock_guard lock(mutex);
            quitting = true;
        }
        changed.notify_all();
        thread.join();
        PQfreeCancel(cancel);
    }
    ServerWatch(const ServerWatch&) = delete;
    ServerWatch& operator=(const ServerWatch&) = delete;

    // Watches until Disarm: past `until`, or at a stop signal that comes meanwhile
    // (one that came before does not count: the wait then has no patience to cut).
    void Arm(std::chrono::steady_clock::time_point until, bool stopCounts) {
        {
            const std::lock_guard lock(mutex);
            deadline = until;
            stops = stopCounts;
            ending = None;
            armed = true;
        }
        changed.notify_all();
    }
    // Once it returns, no cancel of this wait is sent any more.
    void Disarm() {
        const std::lock_guard lock(mutex);
        armed = false;
    }
    // Why the watch cancelled the wait in hand (or the last one); None when it did not.
    Ending Ended() const {
        const std::lock_guard lock(mutex);
        return ending;
    }

private:
    void watch() {
        std::unique_lock lock(mutex);
        while (!quitting) {
            if (!armed) {
                changed.wait(lock);
                continue;
            }
            const bool stopped = stops && stopCame();
            const auto now = std::chrono::steady_clock::now();
            if (stopped || now >= deadline) {
                ending = stopped ? Stopped : (ending == None ? RanOut : ending);
                char words[256];
                if (cancel)
                    PQcancel(cancel, words, int(sizeof words));
                changed.wait_for(lock, cancelAgain);
                continue;
            }
            changed.wait_for(lock, std::min<std::chrono::steady_clock::duration>(stopLook, deadline - now));
        }
    }

    pg_cancel* cancel;
    mutable std::mutex mutex;
    std::condition_variable changed;
    std::chrono::steady_clock::time_point deadline;
    bool stops = false;
    bool armed = false;
    bool quitting = false;
    Ending ending = None;
    std::thread thread;
};

StationWriter::Wait::Wait(StationWriter& writer, Kind kind) : writer(writer) {
    if (writer.waits++ == 0)
        writer.beginWait(kind);
}

StationWriter::Wait::~Wait() {
    if (--writer.waits == 0)
        writer.endWait();
}

StationWriter::StationWriter(const QSqlDatabase& connection) : connection(connection) {
    if (sqlite3* handle = SqliteStatement::HandleOf(connection))
        sqlite3_busy_handler(handle, &StationWriter::onBusy, this);
    if (pg_conn* handle = ServerStatement::HandleOf(connection))
        watch = std::make_unique<ServerWatch>(handle);
    setBusyTimeout(patience);
}

StationWriter::~StationWriter() {
    if (sqlite3* handle = SqliteStatement::HandleOf(connection))
        sqlite3_busy_handler(handle, nullptr, nullptr);
}

void StationWriter::SetPatience(int milliseconds) {
    patience = std::max(0, milliseconds);
    setBusyTimeout(patience);
}

void StationWriter::setBusyTimeout(int milliseconds) {
    // SQLite's busy handler keeps to the deadline itself. A server's lock timeout of 0
    // would wait for ever: the least wait is 1 ms. It is set only outside a
    // transaction, whose rollback would undo it unseen.
    milliseconds = std::max(1, milliseconds);
    if (!ServerStatement::HandleOf(connection) || milliseconds == serverLockTimeout ||
        ServerStatement::StateOf(connection) != ServerStatement::Idle)
        return;
    if (ServerStatement::Run(connection, "SET lock_timeout = " + QByteArray::number(milliseconds)))
        serverLockTimeout = milliseconds;
}

void StationWriter::beginWait(Wait::Kind kind) {
    waiting.start();
    // A stop, a run that gave up, or a read after one that waited in vain: what
    // finds the database busy now fails at once.
    const bool echo = kind == Wait::Reading && (readFailure.Result == WriteOutcome::Busy ||
                                                readFailure.Result == WriteOutcome::Stopped);
    const bool stopped = stopCame();
    waitAllowed = !stopped && !echo && (!waitsAllowed || waitsAllowed());
    deadline = QDeadlineTimer(waitAllowed ? patience : 0);
    if (watch) {
        setBusyTimeout(waitAllowed ? patience : 0);
        watch->Arm(std::chrono::steady_clock::now() + std::chrono::milliseconds(patience) + watchGrace,
                   !stopped);
    }
}

void StationWriter::endWait() {
    if (watch)
        watch->Disarm();
}

int StationWriter::onBusy(void* writer, int count) {
    return static_cast<StationWriter*>(writer)->keepWaiting(count) ? 1 : 0;
}

bool StationWriter::keepWaiting(int count) {
    if (waits == 0 && count == 0)
        beginWait(Wait::Reading); // a statement outside any wait is a wait of its own
    if (!waitAllowed || stopCame() || deadline.hasExpired())
        return false;
    QThread::msleep(ulong(std::clamp<qint64>(deadline.remainingTime(), 1, busySlice)));
    return true;
}

bool StationWriter::stoppedWaiting() const {
    return stopCame();
}

WriteOutcome StationWriter::told(const WriteOutcome& outcome) const {
    if (outcome.Result != WriteOutcome::Busy)
        return outcome;
    const QString waited = seconds(waiting.isValid() ? waiting.elapsed() : 0);
    if (stoppedWaiting())
        return {WriteOutcome::Stopped,
                u"%1 ended the wait for the busy Station Database after %2 s (%3)"_s.arg(
                    StopSignal::Received(), waited, outcome.Problem)};
    if (!waitAllowed)
        return {
            WriteOutcome::Busy,
            u"the Station Database was busy, and this run waits for it no more (%1)"_s.arg(outcome.Problem)};
    return {WriteOutcome::Busy,
            u"the Station Database stayed busy for %1 s (%2)"_s.arg(waited, outcome.Problem)};
}

WriteOutcome StationWriter::failure(const QString& refusal) const {
    if (!refusal.isEmpty())
        return {WriteOutcome::Refused, refusal};
    if (ServerStatement::HandleOf(connection))
        return serverFailure(ServerStatement::LastProblem(connection));
    sqlite3* handle = SqliteStatement::HandleOf(connection);
    if (!handle)
        return {WriteOutcome::Failed, u"the Station Database is not open"_s};
    const int code = sqlite3_extended_errcode(handle) & 0xFF;
    const QString message = QString::fromUtf8(sqlite3_errmsg(handle));
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
        return {WriteOutcome::Busy, message};
    if (code == SQLITE_OK || code == SQLITE_ROW || code == SQLITE_DONE)
        return unexplained();
    const bool unwritable = code == SQLITE_FULL || code == SQLITE_READONLY || code == SQLITE_IOERR ||
                            code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
    return {unwritable ? WriteOutcome::Unwritable : WriteOutcome::Failed, message};
}

WriteOutcome StationWriter::serverFailure(const QString& message) const {
    if (PQstatus(ServerStatement::HandleOf(connection)) != CONNECTION_OK)
        return {WriteOutcome::Lost, u"the connection to the Station Database's server was lost (%1)"_s.arg(
                                        message.isEmpty() ? u"no reason given"_s : serverWords(message))};
    if (message.isEmpty())
        return unexplained();
    // The watch's own cancel: the wait ran out lock after lock, or a stop came.
    if (watch && watch->Ended() != ServerWatch::None && message.contains(u"due to user request"_s))
        return {WriteOutcome::Busy, u"its wait ran out"_s};
    if (isServerBusy(message))
        return {WriteOutcome::Busy, serverWords(message)};
    return {isServerUnwritable(message) ? WriteOutcome::Unwritable : WriteOutcome::Failed,
            serverWords(message)};
}

WriteOutcome StationWriter::unexplained() const {
    // A change nested inside the work failed first and said why.
    if (!last.IsWritten())
        return last;
    return {WriteOutcome::Failed, u"the Station Database did not take the change"_s};
}

bool StationWriter::runNested(const std::function<bool(QString&)>& work) {
    if (TransactionGuard::IsReadingOn(connection)) {
        last = {WriteOutcome::Failed, u"a change was asked for inside a reader's snapshot"_s};
        return false;
    }
    QString refusal;
    last = {};
    TransactionGuard savepoint(connection);
    if (savepoint.IsOpen() && work(refusal) && savepoint.Commit()) {
        last = {};
        return true;
    }
    last = failure(refusal);
    return false;
}

bool StationWriter::Run(const std::function<bool(QString&)>& work) {
    return run(work, TransactionGuard::Write);
}

bool StationWriter::RunQueued(const std::function<bool(QString&)>& work) {
    return run(work, TransactionGuard::QueuedWrite);
}

bool StationWriter::run(const std::function<bool(QString&)>& work, int kind) {
    if (TransactionGuard::IsOpenOn(connection))
        return runNested(work);
    // One wait for all the attempts, from the first: a retry waits only what is left
    // of the patience (on a server, each setting is a round trip).
    const Wait wait(*this, Wait::Writing);
    bool retried = false;
    for (;;) {
        last = {};
        QString refusal;
        {
            TransactionGuard transaction(connection, TransactionGuard::Kind(kind));
            const bool done = transaction.IsOpen() && work(refusal);
            if (done && transaction.Commit()) {
                last = {};
                break;
            }
            last = failure(refusal);
            if (done && last.Result == WriteOutcome::Lost)
                last.Problem += u"; it was lost as the change was committed, so the server may have "
                                u"kept it: the next run sees whether it did"_s;
        }
        if (last.Result != WriteOutcome::Busy || !waitAllowed || stoppedWaiting() || deadline.hasExpired())
            break;
        QThread::msleep(ulong(std::min<qint64>(retryPause, deadline.remainingTime())));
        setBusyTimeout(int(std::max<qint64>(0, deadline.remainingTime())));
        retried = true;
    }
    if (retried)
        setBusyTimeout(patience);
    last = told(last);
    return last.IsWritten();
}

void StationWriter::NoteReadFailure() {
    if (!readFailure.IsWritten())
        return; // the first failure says why; what follows it is its echo
    readFailure = failure({});
    if (readFailure.IsWritten())
        readFailure = {WriteOutcome::Failed, u"the Station Database could not be read"_s};
    readFailure = told(readFailure);
}
