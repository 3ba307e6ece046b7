#include "stationdb/StationDatabase.h"

#include "base/FileTools.h"
#include "base/LibraryTrace.h"
#include "stationdb/DatabaseList.h"
#include "stationdb/DatabaseLocation.h"
#include "stationdb/LogFileNames.h"
#include "stationdb/ServerStatement.h"
#include "stationdb/SqliteStatement.h"
#include "stationdb/StationSchema.h"
#include "stationdb/TransactionGuard.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>
#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QString newConnectionName() {
    static std::atomic<int> counter{0};
    return u"StationDatabase-%1"_s.arg(++counter);
}

bool isBusy(const QSqlError& error) {
    const QString text = error.text().toLower();
    return text.contains(u"locked"_s) || text.contains(u"busy"_s);
}

// Why a database file that SQLite opened could not be read as a Station Database.
// SQLite keeps its journal beside the file, so a folder it may not write to stops
// even a reader: that is said, with what to do, rather than blaming the file.
QString unreadable(const DatabaseLocation& where, const QSqlError& error) {
    const QString path = where.IsServer() ? where.Text() : where.Path();
    if (error.text().contains(u"no such table"_s, Qt::CaseInsensitive) ||
        error.nativeErrorCode() == u"42P01") // the server's undefined table
        return u"'%1' is not a Station Database"_s.arg(path);
    if (where.IsServer())
        return u"'%1' cannot be read: %2"_s.arg(path, error.databaseText());
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isWritable())
        return u"'%1' cannot be read, as its folder '%2' cannot be written to and the database keeps its "
               u"journal there: let the user that runs the program write to that folder"_s.arg(path, folder);
    return u"'%1' cannot be read: %2"_s.arg(path, error.text());
}

const QString stationNameValue = u"StationName"_s;

quint32 bigEndian(const QByteArray& bytes, int at, int size) {
    quint32 value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | quint8(bytes[at + i]);
    return value;
}

// Why a file cannot be a database, read from its first 100 bytes before SQLite
// sees it: SQLite would take an empty file for a new database and read the pages
// missing from a file cut short as zeros. Empty when the file looks whole, and
// when a write-ahead log beside it may still hold pages the file lacks.
QString damageOf(const QString& path) {
    if (QFileInfo(path + u"-wal"_s).size() > 0)
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return u"'%1' could not be read: %2"_s.arg(path, file.errorString());
    const qint64 size = file.size();
    if (size == 0)
        return u"'%1' is empty"_s.arg(path);
    const QByteArray header = file.read(100);
    if (header.size() < 100 || !header.startsWith(QByteArray("SQLite format 3", 16)))
        return u"'%1' is not a database file"_s.arg(path);
    const quint32 pageSize = bigEndian(header, 16, 2) == 1 ? 65536 : bigEndian(header, 16, 2);
    const quint32 pages = bigEndian(header, 28, 4);
    // The page count in the header holds only when it was written with the last change.
    const bool pagesKnown = pages > 0 && bigEndian(header, 24, 4) == bigEndian(header, 92, 4);
    const qint64 expected = qint64(pages) * pageSize;
    if (pagesKnown && size < expected)
        return u"'%1' is cut short: it holds %2 of the %3 bytes its header gives"_s.arg(path).arg(size).arg(
            expected);
    return {};
}

} // namespace

StationDatabase::Reading::Reading(StationDatabase& db) {
    db.writer->ClearReadFailure();
    // A server gives each statement a consistent view of its own and takes no lock
    // to read: a snapshot there would only cost two round trips an hour.
    if (ServerStatement::HandleOf(db.connection()))
        return;
    guard = std::make_unique<TransactionGuard>(db.connection(), TransactionGuard::Read);
    if (!guard->IsOpen())
        db.writer->NoteReadFailure();
}

StationDatabase::Reading::~Reading() = default;

StationDatabase::StationDatabase() = default;

StationDatabase::~StationDatabase() {
    Close();
}

QSqlDatabase StationDatabase::connection() const {
    return QSqlDatabase::database(connectionName, false);
}

bool StationDatabase::DataAccessComponentsInstalled() {
    return QSqlDatabase::isDriverAvailable(u"QSQLITE"_s);
}

QString StationDatabase::LibraryMismatch(const QString& driverVersion, const QString& driverSource) {
    const QString linked = QString::fromLatin1(sqlite3_libversion());
    const QString linkedSource = QString::fromLatin1(sqlite3_sourceid());
    if (driverVersion == linked && driverSource == linkedSource)
        return {};
    return u"Qt's SQLite driver runs SQLite %1, but this program reads the Scheduled Log through SQLite %2; "
           u"they must be one library (build the program against the SQLite that Qt's driver uses)"_s.arg(
               driverVersion, linked);
}

bool StationDatabase::Create(const QString& location, const QString& name, QString* why) {
    auto fail = [why](const QString& reason) {
        if (why)
            *why = reason;
        return false;
    };
    const DatabaseLocation where = DatabaseLocation::Parse(location);
    if (!where.Problem().isEmpty())
        return fail(where.Problem());
    if (!where.IsServer() && QFileInfo::exists(where.Path()))
        return fail(u"'%1' already exists"_s.arg(where.Path()));
    if (!where.IsServer() &&
        !FileTools::CreateFolder(FileTools::FolderOfPath(QFileInfo(where.Path()).absoluteFilePath())))
        return fail(u"the folder of '%1' could not be made"_s.arg(where.Path()));
    const QString connectionName = newConnectionName();
    QString reason;
    {
        QSqlDatabase db = where.Connect(connectionName);
        reason = db.isOpen() ? build(db, where, name)
                             : u"'%1' could not be reached: %2"_s.arg(location, db.lastError().text());
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
    if (reason.isEmpty())
        return true;
    if (!where.IsServer())
        QFile::remove(where.Path());
    return fail(reason);
}

QString StationDatabase::build(const QSqlDatabase& db, const DatabaseLocation& where, const QString& name) {
    const QString made = u"'%1' could not be made a Station Database"_s.arg(where.Text());
    if (!where.IsServer() && !QSqlQuery(db).exec(u"PRAGMA journal_mode=WAL"_s))
        return made;
    if (where.IsServer() && holdsStationDatabase(db, where.Schema()))
        return u"'%1' already holds a Station Database"_s.arg(where.Text());
    if (where.IsServer() && holdsTables(db, where.Schema()))
        return u"the schema '%1' of '%2' holds tables of another program; a Station Database needs a schema "
               u"of its own"_s.arg(where.Schema(), where.Text());
    // Everything is made in one transaction, the server's schema too: a database
    // that could not be made whole is not left half made.
    TransactionGuard transaction(db);
    if (where.IsServer() && !QSqlQuery(db).exec(u"CREATE SCHEMA IF NOT EXISTS "_s + where.QuotedSchema()))
        return made + u": "_s + ServerStatement::LastProblem(db);
    if (!StationSchema::Migrate(db, 0))
        return made;
    QSqlQuery query(db);
    query.prepare(u"INSERT INTO NamedValues (Name, Value) VALUES (?, ?)"_s);
    query.addBindValue(stationNameValue);
    query.addBindValue(name.isEmpty() ? where.DefaultName() : name);
    if (!query.exec() || !StationSettings().Save(db) || !transaction.Commit())
        return made;
    return {};
}

bool StationDatabase::schemaHolds(const QSqlDatabase& db, const QString& schema, const QString& which) {
    QSqlQuery query(db);
    query.prepare(u"SELECT 1 FROM pg_class c JOIN pg_namespace n ON c.relnamespace = n.oid "
                  u"WHERE n.nspname = ? AND "_s +
                  which + u" LIMIT 1"_s);
    query.addBindValue(schema);
    return query.exec() && query.next();
}

bool StationDatabase::holdsStationDatabase(const QSqlDatabase& db, const QString& schema) {
    return schemaHolds(db, schema, u"c.relname = 'schemainfo'"_s);
}

bool StationDatabase::holdsTables(const QSqlDatabase& db, const QString& schema) {
    return schemaHolds(db, schema, u"c.relkind IN ('r', 'p', 'v', 'm')"_s);
}

int StationDatabase::refuse(int result, const QString& reason) {
    problem = reason;
    LibraryTrace::Write(u"Station Database not opened: "_s + reason);
    return result;
}

int StationDatabase::Open(const DatabaseList& databases, const QString& name, Access access) {
    Close();
    if (DatabaseLocation::IsServerText(name))
        return OpenLocation(name, access);
    const auto found = databases.Find(name);
    if (!found)
        return refuse(Missing, u"no Station Database is named '%1'"_s.arg(name));
    return OpenLocation(found->Location, access);
}

int StationDatabase::OpenLocation(const QString& location, Access access) {
    Close();
    problem.clear();
    const DatabaseLocation where = DatabaseLocation::Parse(location);
    LibraryTrace::Write(u"Opening Station Database '%1'"_s.arg(where.IsServer() ? where.Text() : location));
    if (!where.Problem().isEmpty())
        return refuse(Missing, where.Problem());
    if (const auto [result, reason] = fileProblem(where); result != Opened)
        return refuse(result, reason);
    connectionName = newConnectionName();
    const int result = prepare(where, access);
    if (result != Opened) {
        Close();
        return result;
    }
    carts = std::make_unique<CartStore>(connection(), *writer);
    log = std::make_unique<ScheduledLog>(connection(), *writer);
    info.Location = where.Text();
    info.Name = Value(stationNameValue).value_or(where.DefaultName());
    return Opened;
}

std::pair<int, QString> StationDatabase::fileProblem(const DatabaseLocation& where) {
    if (where.IsServer())
        return {Opened, {}};
    const QString& path = where.Path();
    if (QFileInfo(path).isDir())
        return {Missing, u"'%1' is a folder; name the Station Database file in it"_s.arg(path)};
    if (!QFileInfo(path).isFile())
        return {Missing, u"'%1' does not exist"_s.arg(path)};
    if (const QString damage = damageOf(path); !damage.isEmpty())
        return {NotAStationDatabase, damage};
    return {Opened, {}};
}

int StationDatabase::checkLibrary(const QSqlDatabase& db) {
    QSqlQuery library(db);
    if (library.exec(u"SELECT sqlite_version(), sqlite_source_id()"_s) && library.next()) {
        const QString mismatch = LibraryMismatch(library.value(0).toString(), library.value(1).toString());
        if (!mismatch.isEmpty())
            return refuse(DriverMismatch, mismatch);
    }
    return Opened;
}

int StationDatabase::prepare(const DatabaseLocation& where, Access access) {
    const QString path = where.Text();
    QSqlDatabase db = where.Connect(connectionName, access == ForReading);
    if (!db.isOpen())
        return refuse(where.IsServer() ? Missing : NotAStationDatabase,
                      u"'%1' could not be opened: %2"_s.arg(path, db.lastError().text()));
    if (!where.IsServer() && checkLibrary(db) != Opened)
        return DriverMismatch;
    writer = std::make_unique<StationWriter>(db);
    writer->SetPatience(patience);
    writer->WaitOnlyWhile(waitsAllowed);
    // Opening is one wait: its reads together wait at most the patience.
    const StationWriter::Wait wait(*writer);

    QSqlQuery query(db);
    if (!query.exec(u"SELECT Version FROM SchemaInfo"_s) || !query.next()) {
        if (isBusy(query.lastError()))
            return refuse(Locked, u"'%1' is locked by another program"_s.arg(path));
        return refuse(NotAStationDatabase, unreadable(where, query.lastError()));
    }
    const int version = query.value(0).toInt();
    query.finish();
    if (version > StationSchema::CurrentVersion)
        return refuse(NewerSchema,
                      u"'%1' was made by a newer version (schema %2, this program knows %3)"_s.arg(path)
                          .arg(version)
                          .arg(StationSchema::CurrentVersion));
    if (version < StationSchema::CurrentVersion && access == ForReading)
        return refuse(
            MigrationFailed,
            u"'%1' has an older schema (%2, this program knows %3), which only a run that may write "
            u"to it brings forward"_s.arg(path)
                .arg(version)
                .arg(StationSchema::CurrentVersion));
    if (version < StationSchema::CurrentVersion) {
        LibraryTrace::Write(u"Bringing the Station Database from schema %1 to %2"_s.arg(version).arg(
            StationSchema::CurrentVersion));
        if (!StationSchema::Migrate(db, version))
            return refuse(MigrationFailed, u"'%1' could not be brought up to date"_s.arg(path));
    }
    if (!where.IsServer()) {
        query.exec(u"PRAGMA synchronous=NORMAL"_s);
        // A page cache of 2 MB whatever the database's size: an import writes each hour
        // once and moves on, so a larger cache only grows with the log and buys nothing,
        // and the walk back through ten years of hours stays well under a second.
        query.exec(u"PRAGMA cache_size=-2000"_s);
    }
    if (!settings.Load(db))
        return refuse(NotAStationDatabase, u"the settings of '%1' could not be read"_s.arg(path));
    return Opened;
}

bool StationDatabase::IsReadOnly() const {
    sqlite3* handle = SqliteStatement::HandleOf(connection());
    return handle && sqlite3_db_readonly(handle, "main") == 1;
}

void StationDatabase::Close() {
    log.reset();
    carts.reset();
    writer.reset();
    settings = StationSettings();
    info = {};
    if (connectionName.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
    connectionName.clear();
}

void StationDatabase::SetPatience(int milliseconds) {
    patience = milliseconds;
    if (writer)
        writer->SetPatience(milliseconds);
}

void StationDatabase::WaitOnlyWhile(const std::function<bool()>& allowed) {
    waitsAllowed = allowed;
    if (writer)
        writer->WaitOnlyWhile(allowed);
}

bool StationDatabase::SaveSettings(const StationSettings& changed) {
    if (!writer->Run([&](QString&) { return changed.Save(connection()); }))
        return false;
    settings = changed;
    return true;
}

bool StationDatabase::SetValue(const QString& name, const QString& value) {
    return writer->Run([&](QString&) {
        QSqlQuery query(connection());
        query.prepare(u"INSERT INTO NamedValues (Name, Value) VALUES (?, ?) "
                      u"ON CONFLICT (Name) DO UPDATE SET Value = excluded.Value"_s);
        query.addBindValue(name);
        query.addBindValue(value);
        return query.exec();
    });
}

std::optional<QString> StationDatabase::Value(const QString& name) const {
    const StationWriter::Wait wait(*writer);
    QSqlQuery query(connection());
    query.prepare(u"SELECT Value FROM NamedValues WHERE Name = ?"_s);
    query.addBindValue(name);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return query.value(0).toString();
}

QList<std::pair<QString, QString>> StationDatabase::Values() const {
    QList<std::pair<QString, QString>> values;
    const StationWriter::Wait wait(*writer);
    QSqlQuery query(connection());
    if (!query.exec(u"SELECT Name, Value FROM NamedValues ORDER BY Name"_s))
        return values;
    while (query.next())
        values.append({query.value(0).toString(), query.value(1).toString()});
    return values;
}

namespace {

bool stampChange(StationDatabase& db, StationWriter& writer, const QString& side, const QString& text,
                 const QDateTime& when) {
    return writer.Run([&](QString&) {
        return db.SetValue(side + u".LastChangeBy"_s, text) &&
               db.SetValue(side + u".LastChangeTime"_s, when.toString(u"yyyy-MM-dd HH:mm:ss"_s));
    });
}

} // namespace

bool StationDatabase::SetMusicLastChange(const QString& text, const QDateTime& when) {
    return stampChange(*this, *writer, u"Music"_s, text, when);
}

bool StationDatabase::SetAdvertLastChange(const QString& text, const QDateTime& when) {
    return stampChange(*this, *writer, u"Adverts"_s, text, when);
}

StationDatabase::CartLookup StationDatabase::LookupCart(const QString& number) const {
    const auto cart = carts->Get(number.trimmed());
    return cart ? CartLookup{cart->Type, cart->Flag} : CartLookup{};
}

QString StationDatabase::MusicLogFileName(qint32 day) const {
    return LogFileNames::Path(settings.MusicLogsDirectory(), settings.MusicFileNamePrefix(),
                              settings.MusicFileNameFormat(), settings.MusicFileExtension(), day);
}

QString StationDatabase::AdvertLogFileName(qint32 day) const {
    return LogFileNames::Path(settings.AdvertLogsDirectory(), settings.AdvertFileNamePrefix(),
                              settings.AdvertFileNameFormat(), settings.AdvertFileExtension(), day);
}
