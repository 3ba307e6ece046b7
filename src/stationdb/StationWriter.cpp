#include "stationdb/StationWriter.h"

#include "stationdb/ServerStatement.h"
#include "stationdb/SqliteStatement.h"
#include "stationdb/TransactionGuard.h"

#include <QDeadlineTimer>
#include <QThread>

#include <libpq-fe.h>
#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A busy commit leaves no busy handler to wait in: a short breath before the next attempt.
constexpr int retryPause = 25; // milliseconds

QString seconds(int milliseconds) {
    return QString::number(milliseconds / 1000.0, 'g', 3);
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

StationWriter::StationWriter(const QSqlDatabase& connection) : connection(connection) {
    setBusyTimeout(patience);
}

void StationWriter::SetPatience(int milliseconds) {
    patience = std::max(0, milliseconds);
    setBusyTimeout(patience);
}

void StationWriter::setBusyTimeout(int milliseconds) const {
    if (sqlite3* handle = SqliteStatement::HandleOf(connection))
        sqlite3_busy_timeout(handle, milliseconds);
    // A server's lock timeout of 0 would wait for ever: the least wait is 1 ms.
    if (ServerStatement::HandleOf(connection))
        ServerStatement::Run(connection,
                             "SET lock_timeout = " + QByteArray::number(std::max(1, milliseconds)));
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
    // The first attempt waits the whole patience, as the connection is set to; a
    // retry waits only what is left of it (on a server, each setting is a round trip).
    const QDeadlineTimer deadline(patience);
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
        if (last.Result != WriteOutcome::Busy || deadline.hasExpired())
            break;
        QThread::msleep(ulong(std::min<qint64>(retryPause, deadline.remainingTime())));
        setBusyTimeout(int(std::max<qint64>(0, deadline.remainingTime())));
        retried = true;
    }
    if (retried)
        setBusyTimeout(patience);
    if (last.Result == WriteOutcome::Busy)
        last.Problem = stayedBusy(last.Problem);
    return last.IsWritten();
}

QString StationWriter::stayedBusy(const QString& words) const {
    return u"the Station Database stayed busy for %1 s (%2)"_s.arg(seconds(patience), words);
}

void StationWriter::NoteReadFailure() {
    if (!readFailure.IsWritten())
        return; // the first failure says why; what follows it is its echo
    readFailure = failure({});
    if (readFailure.IsWritten())
        readFailure = {WriteOutcome::Failed, u"the Station Database could not be read"_s};
    if (readFailure.Result == WriteOutcome::Busy)
        readFailure.Problem = stayedBusy(readFailure.Problem);
}
