#include "stationdb/StationSchema.h"

#include "stationdb/TransactionGuard.h"

#include <QSqlQuery>
#include <QStringList>

namespace {

// The types hold the same values in SQLite and on a PostgreSQL server: positions
// and times as double precision, numbers as 32-bit integers, texts as text of any
// length. Texts may be NULL: an empty text is stored as NULL and read back empty.
// Step 1: the station's settings, its carts and its Scheduled Log.
const char* const step1[] = {
    "CREATE TABLE SchemaInfo (Version INTEGER NOT NULL)",
    "INSERT INTO SchemaInfo (Version) VALUES (0)",
    "CREATE TABLE StationSettings (Name TEXT PRIMARY KEY, Value TEXT)",
    "CREATE TABLE Carts (Number TEXT PRIMARY KEY, Title TEXT, "
    "Text1 TEXT, Text2 TEXT, CartType INTEGER NOT NULL DEFAULT 0, "
    "LookupFlag INTEGER NOT NULL DEFAULT 0, Length DOUBLE PRECISION NOT NULL DEFAULT 0, "
    "AudioLength DOUBLE PRECISION NOT NULL DEFAULT 0, Detail1 TEXT, "
    "Detail2 TEXT, Value1 INTEGER NOT NULL DEFAULT 0, Value2 INTEGER NOT NULL DEFAULT 0, "
    "Measure1 DOUBLE PRECISION NOT NULL DEFAULT 0, Measure2 DOUBLE PRECISION NOT NULL DEFAULT 0, "
    "Measure3 DOUBLE PRECISION NOT NULL DEFAULT 0)",
    "CREATE TABLE LogItems (LogPosition DOUBLE PRECISION PRIMARY KEY, ItemDate INTEGER NOT NULL, "
    "ItemTime DOUBLE PRECISION NOT NULL, ItemType INTEGER NOT NULL, CartNumber TEXT, Title TEXT, "
    "Description TEXT, Note TEXT, Text1 TEXT, Text2 TEXT, "
    "EndStyle INTEGER NOT NULL, Transition INTEGER NOT NULL, PlayTransition INTEGER NOT NULL, "
    "Flags INTEGER NOT NULL, State INTEGER NOT NULL, Parameter1 DOUBLE PRECISION NOT NULL, "
    "Parameter2 DOUBLE PRECISION NOT NULL, Parameter3 DOUBLE PRECISION NOT NULL, "
    "Parameter4 DOUBLE PRECISION NOT NULL, TextParameter1 TEXT, TextParameter2 TEXT, "
    "TextParameter3 TEXT, TextParameter4 TEXT, InputNumber INTEGER NOT NULL, "
    "InputFlag INTEGER NOT NULL, Duration DOUBLE PRECISION NOT NULL, Length2 DOUBLE PRECISION NOT NULL, "
    "HourStart DOUBLE PRECISION NOT NULL, HourLength DOUBLE PRECISION NOT NULL, Reference TEXT)",
};

// Step 2: the advert information table and the named values.
const char* const step2[] = {
    "CREATE TABLE AdvertInfo (ID INTEGER PRIMARY KEY, LastUpdated TEXT NOT NULL, "
    "ItemType INTEGER NOT NULL, ItemSource INTEGER NOT NULL, CartNumber INTEGER NOT NULL, "
    "HDReference TEXT, Title TEXT, Text1 TEXT, Detail1 TEXT, "
    "Value1 INTEGER NOT NULL, Value2 INTEGER NOT NULL, Detail2 TEXT, Measure1 DOUBLE PRECISION NOT NULL, "
    "AudioLength DOUBLE PRECISION NOT NULL, Measure2 DOUBLE PRECISION NOT NULL, "
    "Measure3 DOUBLE PRECISION NOT NULL)",
    "CREATE INDEX AdvertInfoByReference ON AdvertInfo (ItemType, HDReference)",
    "CREATE TABLE NamedValues (Name TEXT PRIMARY KEY, Value TEXT)",
};

// Step 3: the hours that hold adverts, found at once however long the log.
const char* const step3[] = {
    "CREATE INDEX HoursWithAdverts ON LogItems (LogPosition) WHERE ItemType = 98 AND (Flags & 2) <> 0",
};

struct Step {
    const char* const* statements;
    std::size_t count;
};

const Step steps[] = {
    {step1, std::size(step1)},
    {step2, std::size(step2)},
    {step3, std::size(step3)},
};

static_assert(std::size(steps) == StationSchema::CurrentVersion);

bool apply(const QSqlDatabase& connection, int version) {
    TransactionGuard transaction(connection);
    if (!transaction.IsOpen())
        return false;
    QSqlQuery query(connection);
    const Step& step = steps[version - 1];
    for (std::size_t i = 0; i < step.count; ++i) {
        if (!query.exec(QString::fromLatin1(step.statements[i])))
            return false;
    }
    query.prepare(QStringLiteral("UPDATE SchemaInfo SET Version = ?"));
    query.addBindValue(version);
    return query.exec() && transaction.Commit();
}

} // namespace

int StationSchema::VersionOf(const QSqlDatabase& connection) {
    QSqlQuery query(connection);
    if (!query.exec(QStringLiteral("SELECT Version FROM SchemaInfo")) || !query.next())
        return -1;
    return query.value(0).toInt();
}

bool StationSchema::Migrate(const QSqlDatabase& connection, int from, int to) {
    for (int version = from + 1; version <= to; ++version) {
        if (!apply(connection, version))
            return false;
    }
    return true;
}
