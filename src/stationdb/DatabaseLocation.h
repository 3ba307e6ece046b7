#pragma once

#include <QSqlDatabase>
#include <QString>

// Where a Station Database is: a SQLite file, or a schema of a database on a
// PostgreSQL server, named as
//
//     postgresql://user@host:port/dbname?schema=name
//
// The host may be a folder holding the server's Unix socket (written with %2F for
// each slash, or as ?host=/folder); the port defaults to 5432, the user to the one
// running the program, the schema to "public". Several stations share one server
// database by a schema each. No password is ever part of it: the server's client
// library reads it from ~/.pgpass or the file PGPASSFILE names.
class DatabaseLocation {
public:
    // A file path, or a server database when the text starts with postgresql://
    // (or postgres://). Problem() says why a server text cannot be one.
    static DatabaseLocation Parse(const QString& text);
    static bool IsServerText(const QString& text);

    bool IsServer() const { return server; }
    const QString& Problem() const { return problem; }
    const QString& Path() const { return path; }
    const QString& Schema() const { return schema; }
    // The schema's name as SQL names it: quoted, so that a name that is also a word
    // of SQL ("select", "user") is still only a name.
    QString QuotedSchema() const { return u'"' + schema + u'"'; }
    // The location written out whole; for a file its absolute path.
    QString Text() const;
    // The name a Station Database takes from its location when it holds none.
    QString DefaultName() const;

    // Opens a connection of that name to the location (on a server, with the
    // station's schema as the one its statements name). Check isOpen().
    // For reading only, nothing can be written through it: a file is opened
    // read-only, a server's transactions are read-only.
    QSqlDatabase Connect(const QString& connectionName, bool readOnly = false) const;

private:
    void connectFile(QSqlDatabase& db, bool readOnly) const;
    bool parseServer(const QString& text);
    bool parseAuthority(const QString& authority);
    bool parseParameters(const QString& parameters);

    bool server = false;
    QString problem;
    QString path;
    QString user;
    QString host;
    int port = 5432;
    QString database;
    QString schema;
};
