#pragma once

#include "base/ScheduleDate.h"
#include "stationdb/CartStore.h"
#include "stationdb/CartTools.h"
#include "stationdb/DatabaseInfo.h"
#include "stationdb/DatabaseMaintenance.h"
#include "stationdb/LogHour.h"
#include "stationdb/ScheduledLog.h"
#include "stationdb/StationSettings.h"
#include "stationdb/StationWriter.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <memory>
#include <optional>

class DatabaseLocation;
class DatabaseList;
class TransactionGuard;

// One Station Database: a SQLite file, or a schema of a PostgreSQL database,
// holding the station's settings, carts, Scheduled Log, advert information and
// named values. It opens and closes the database, and keeps its settings and named
// values itself; for the rest it hands out its parts, one way in each: Log() for
// the Scheduled Log, Carts() (and CartTools()) for the carts, Maintenance() for
// the advert information. All of them write through its one writer.
class StationDatabase {
public:
    enum OpenResult {
        Opened = 0,
        Missing,
        NotAStationDatabase,
        Locked,
        NewerSchema,
        MigrationFailed,
        DriverMismatch
    };

    // The database's own reader's snapshot, for as long as it lives: the reads made
    // meanwhile (an hour and its carts) see one state of the database and take no
    // lock each. It never holds the playout system's writes back; no change may be
    // made inside one. ReadFailure() then tells the first of its reads that failed.
    // On a server, where every statement is its own snapshot, it opens no transaction.
    class Reading {
    public:
        explicit Reading(StationDatabase& db);
        ~Reading();
        Reading(const Reading&) = delete;
        Reading& operator=(const Reading&) = delete;

    private:
        std::unique_ptr<TransactionGuard> guard;
    };

    struct CartLookup {
        int Type = 0; // 0 when there is no such cart
        bool Flag = false;
    };

    StationDatabase();
    ~StationDatabase();
    StationDatabase(const StationDatabase&) = delete;
    StationDatabase& operator=(const StationDatabase&) = delete;

    // The database driver a Station Database needs is present.
    static bool DataAccessComponentsInstalled();
    // Why the SQLite under Qt's driver cannot be the one this program reads through
    // directly: they must be one library, of one version. "" when they are.
    static QString LibraryMismatch(const QString& driverVersion, const QString& driverSource);
    // Makes a new, empty Station Database: in a file that does not exist yet, or in
    // a server database's schema that holds none (see DatabaseLocation).
    static bool Create(const QString& location, const QString& name, QString* problem = nullptr);

    // How a database is opened: to write to it, or only to read it (nothing can be
    // written through it; an older schema is then refused rather than brought forward).
    enum Access { ForWriting, ForReading };
    // Opens the database of that name from the list, or the server database the
    // name itself gives.
    int Open(const DatabaseList& databases, const QString& name, Access access = ForWriting);
    // Opens a database file or server database. It is never created or changed,
    // except that an older schema is brought forward. Returns an OpenResult; the
    // reason is in the trace and in OpenProblem().
    int OpenLocation(const QString& location, Access access = ForWriting);
    void Close();
    bool IsOpen() const { return log != nullptr; }
    const QString& OpenProblem() const { return problem; }
    // True when the file could only be opened for reading (its permissions, or its
    // folder's): nothing can then be written to it.
    bool IsReadOnly() const;

    // How long each change waits for a database kept busy by another program
    // (StationWriter::DefaultPatience unless set), and how the last change ended.
    void SetPatience(int milliseconds);
    // Waits for a busy database only while `allowed` says so (see StationWriter);
    // set before Open, it holds for the reads of the opening too.
    void WaitOnlyWhile(const std::function<bool()>& allowed);
    const WriteOutcome& LastWrite() const { return writer->Last(); }
    // The first read that failed since the last reader's snapshot began (or since
    // ClearReadFailure): Written when every read was answered.
    const WriteOutcome& ReadFailure() const { return writer->ReadFailure(); }
    void ClearReadFailure() { writer->ClearReadFailure(); }
    // Runs the work as one change: every change made inside it (through this
    // database's calls) is kept together or not at all.
    bool Change(const std::function<bool(QString& refusal)>& work) { return writer->Run(work); }

    StationSettings& Settings() { return settings; }
    // Stores the settings in one transaction; they become this database's settings
    // only once stored.
    bool SaveSettings(const StationSettings& changed);
    const ::DatabaseInfo& DatabaseInfo() const { return info; }
    DatabaseMaintenance Maintenance() const { return DatabaseMaintenance(connection(), *writer); }
    ::CartTools CartTools() const { return ::CartTools(*carts); }
    CartStore& Carts() { return *carts; }

    bool SetValue(const QString& name, const QString& value);
    std::optional<QString> Value(const QString& name) const;
    QList<std::pair<QString, QString>> Values() const;
    bool SetMusicLastChange(const QString& text, const QDateTime& when);
    bool SetAdvertLastChange(const QString& text, const QDateTime& when);

    // The Scheduled Log, for reading and writing it.
    ScheduledLog& Log() { return *log; }

    CartLookup LookupCart(const QString& number) const;

    QString MusicLogFileName(qint32 day) const;
    QString AdvertLogFileName(qint32 day) const;

private:
    QSqlDatabase connection() const;
    int refuse(int result, const QString& reason);
    static QString build(const QSqlDatabase& db, const DatabaseLocation& where, const QString& name);
    // Whether a server schema holds a relation the condition (on pg_class c) selects.
    static bool schemaHolds(const QSqlDatabase& db, const QString& schema, const QString& which);
    static bool holdsStationDatabase(const QSqlDatabase& db, const QString& schema);
    // Whether a server schema holds any table or view (of another program, when it
    // holds no Station Database).
    static bool holdsTables(const QSqlDatabase& db, const QString& schema);
    // Why a file cannot be opened before SQLite sees it; Opened when it can.
    static std::pair<int, QString> fileProblem(const DatabaseLocation& where);
    int checkLibrary(const QSqlDatabase& db);
    // Opens the connection and checks, and brings forward, the schema.
    int prepare(const DatabaseLocation& where, Access access);

    QString connectionName;
    QString problem;
    ::DatabaseInfo info;
    StationSettings settings;
    int patience = StationWriter::DefaultPatience;
    std::function<bool()> waitsAllowed;
    std::unique_ptr<StationWriter> writer;
    std::unique_ptr<CartStore> carts;
    std::unique_ptr<ScheduledLog> log;
};
