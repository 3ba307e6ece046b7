#include "stationdb/ServerStatement.h"

#include <QHash>
#include <QSqlDriver>
#include <QVariant>

#include <atomic>
#include <charconv>
#include <cstring>
#include <libpq-fe.h>
#include <utility>

namespace {

// The statement's text with its places marked $1, $2, ... as the server writes them.
QByteArray numbered(const QString& sql, int& count) {
    QByteArray text;
    count = 0;
    for (const char c : sql.toUtf8()) {
        if (c == '?')
            text += '$' + QByteArray::number(++count);
        else
            text += c;
    }
    return text;
}

// The words of the first statement that failed in each connection's last pipeline.
QHash<pg_conn*, QString>& pipelineProblems() {
    static QHash<pg_conn*, QString> problems;
    return problems;
}

bool inPipeline(pg_conn* handle) {
    return handle && PQpipelineStatus(handle) != PQ_PIPELINE_OFF;
}

// The connection in pipeline mode, entered now unless it already was.
bool intoPipeline(pg_conn* handle) {
    return inPipeline(handle) || (handle && PQenterPipelineMode(handle) == 1);
}

template <typename Number> Number numberOf(const char* text) {
    Number value{};
    if (text)
        std::from_chars(text, text + std::strlen(text), value);
    return value;
}

} // namespace

pg_conn* ServerStatement::HandleOf(const QSqlDatabase& connection) {
    const QVariant handle = connection.driver() ? connection.driver()->handle() : QVariant();
    // Qt names the handle's type by the client library's struct, whatever its typedef.
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "pg_conn*") != 0 && qstrcmp(handle.typeName(), "PGconn*") != 0))
        return nullptr;
    return *static_cast<pg_conn* const*>(handle.constData());
}

bool ServerStatement::Run(const QSqlDatabase& connection, const QByteArray& sql) {
    pg_conn* handle = HandleOf(connection);
    // A statement that ends what was queued (COMMIT, say) goes with it: one round trip.
    if (inPipeline(handle) && !sql.contains(';'))
        return Queue(connection, sql) && finishQueued(handle);
    if (!finishQueued(handle))
        return false;
    pipelineProblems().remove(handle);
    PGresult* result = PQexec(handle, sql.constData());
    const ExecStatusType status = PQresultStatus(result);
    PQclear(result);
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

bool ServerStatement::Queue(const QSqlDatabase& connection, const QByteArray& sql) {
    pg_conn* handle = HandleOf(connection);
    return intoPipeline(handle) &&
           PQsendQueryParams(handle, sql.constData(), 0, nullptr, nullptr, nullptr, nullptr, 0) == 1;
}

QString ServerStatement::LastProblem(const QSqlDatabase& connection) {
    pg_conn* handle = HandleOf(connection);
    if (!handle)
        return {};
    const QString queued = pipelineProblems().value(handle);
    return queued.isEmpty() ? QString::fromUtf8(PQerrorMessage(handle)).trimmed() : queued;
}

ServerStatement::TransactionState ServerStatement::StateOf(const QSqlDatabase& connection) {
    switch (PQtransactionStatus(HandleOf(connection))) {
    case PQTRANS_INTRANS:
        return InTransaction;
    case PQTRANS_INERROR:
        return InFailedTransaction;
    default:
        return Idle;
    }
}

bool ServerStatement::finishQueued(pg_conn* handle, pg_result** last) {
    if (!inPipeline(handle))
        return true;
    const bool sent = PQpipelineSync(handle) == 1;
    bool done = sent;
    bool synced = false;
    QString problem;
    // Each statement's results end with a null; two nulls in a row mean the replies
    // stopped (a lost connection) before the sync point.
    for (int nulls = 0; sent && !synced && nulls < 2;) {
        PGresult* result = PQgetResult(handle);
        nulls = result ? 0 : nulls + 1;
        const ExecStatusType status = PQresultStatus(result);
        synced = result && status == PGRES_PIPELINE_SYNC;
        if (result && !synced && status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
            done = false;
            if (problem.isEmpty()) // what follows the first failure is skipped, without words
                problem = QString::fromUtf8(PQresultErrorMessage(result)).trimmed();
        }
        if (last && result && !synced) { // the last statement's result is the caller's
            PQclear(*last);
            *last = result;
            continue;
        }
        PQclear(result);
    }
    if (!synced)
        done = false;
    if (!done && problem.isEmpty())
        problem = QString::fromUtf8(PQerrorMessage(handle)).trimmed();
    PQexitPipelineMode(handle);
    pipelineProblems().insert(handle, problem);
    return done;
}

ServerStatement::ServerStatement(const QSqlDatabase& connection, const QString& sql)
    : handle(HandleOf(connection)) {
    static std::atomic<int> made{0};
    name = "logimporter_" + QByteArray::number(++made);
    int count = 0;
    text = numbered(sql, count);
    values.resize(count);
    freshFailure = !prepare();
}

bool ServerStatement::ready() {
    // One that could not be prepared just now (the server was busy, say) fails its
    // first run with those words, instead of waiting for the same lock a second time.
    if (std::exchange(freshFailure, false))
        return false;
    return prepare();
}

bool ServerStatement::prepare() {
    // A statement the server could not prepare (a lock held past the wait, a lost
    // connection) is prepared again at its next run, not given up for good; but not
    // inside the transaction that failed, whose first error says why.
    if (!valid && handle && finishQueued(handle) && PQtransactionStatus(handle) != PQTRANS_INERROR) {
        pipelineProblems().remove(handle);
        PGresult* prepared = PQprepare(handle, name.constData(), text.constData(), 0, nullptr);
        valid = PQresultStatus(prepared) == PGRES_COMMAND_OK;
        PQclear(prepared);
    }
    return valid;
}

// The prepared statement lives as long as the server session: closing the
// connection drops it, and a name is never used twice in one program.
ServerStatement::~ServerStatement() {
    PQclear(result);
}

void ServerStatement::bindText(int index, QByteArray text) {
    if (index < 1 || index > values.size())
        return;
    values[index - 1] = std::move(text);
}

void ServerStatement::Bind(int index, double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr; // the shortest exact text
    bindText(index, QByteArray(text, end - text));
}

void ServerStatement::Bind(int index, int value) {
    bindText(index, QByteArray::number(value));
}

void ServerStatement::Bind(int index, const QString& value) {
    bindText(index, value.isEmpty() ? QByteArray() : value.toUtf8());
}

bool ServerStatement::run() {
    PQclear(result);
    result = nullptr;
    const std::vector<const char*> texts = boundTexts();
    if (inPipeline(handle)) {
        // It goes with what was queued, in the same round trip, and its result is the last.
        if (PQsendQueryPrepared(handle, name.constData(), int(texts.size()), texts.data(), nullptr, nullptr,
                                0) != 1 ||
            !finishQueued(handle, &result)) {
            PQclear(result);
            result = nullptr;
            return false;
        }
    } else {
        pipelineProblems().remove(handle);
        result =
            PQexecPrepared(handle, name.constData(), int(texts.size()), texts.data(), nullptr, nullptr, 0);
    }
    const ExecStatusType status = PQresultStatus(result);
    row = -1;
    changes = numberOf<int>(PQcmdTuples(result));
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

bool ServerStatement::Step() {
    failed = !result && (!ready() || !run());
    return !failed && ++row < PQntuples(result);
}

bool ServerStatement::Execute() {
    const bool done = ready() && run();
    Reset();
    return done;
}

std::vector<const char*> ServerStatement::boundTexts() const {
    std::vector<const char*> texts;
    for (const QByteArray& value : values)
        texts.push_back(value.isNull() ? nullptr : value.constData());
    return texts;
}

bool ServerStatement::Queue() {
    if (!valid && (!finishQueued(handle) || !ready())) {
        Reset();
        return false;
    }
    const std::vector<const char*> texts = boundTexts();
    const bool sent = intoPipeline(handle) && PQsendQueryPrepared(handle, name.constData(), int(texts.size()),
                                                                  texts.data(), nullptr, nullptr, 0) == 1;
    Reset();
    return sent;
}

void ServerStatement::Reset() {
    freshFailure = false;
    PQclear(result);
    result = nullptr;
    row = -1;
    std::fill(values.begin(), values.end(), QByteArray());
}

const char* ServerStatement::value(int column) const {
    if (!result || PQgetisnull(result, row, column))
        return nullptr;
    return PQgetvalue(result, row, column);
}

double ServerStatement::Double(int column) const {
    return numberOf<double>(value(column));
}

int ServerStatement::Int(int column) const {
    return numberOf<int>(value(column));
}

QString ServerStatement::Text(int column) const {
    const char* text = value(column);
    return text ? QString::fromUtf8(text, PQgetlength(result, row, column)) : QString();
}
