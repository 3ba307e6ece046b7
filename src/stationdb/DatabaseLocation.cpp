#include "stationdb/DatabaseLocation.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString serverSchemes[] = {u"postgresql://"_s, u"postgres://"_s};
const QString defaultSchema = u"public"_s;

// A schema name is lower-case letters, digits and underscores, as the server folds
// names anyway (and it is still quoted wherever SQL names it).
bool isPlainName(const QString& name) {
    static const QRegularExpression plain(u"^[a-z_][a-z0-9_]{0,62}$"_s);
    return plain.match(name).hasMatch();
}

// The server's own schemas, which hold its catalogue: never a station's.
bool isSystemSchema(const QString& name) {
    return name.startsWith(u"pg_"_s) || name == u"information_schema"_s;
}

QString decoded(const QString& text) {
    return QUrl::fromPercentEncoding(text.toUtf8());
}

QString encoded(const QString& text) {
    return QString::fromUtf8(QUrl::toPercentEncoding(text));
}

} // namespace

bool DatabaseLocation::IsServerText(const QString& text) {
    const QString given = text.trimmed();
    return std::any_of(std::begin(serverSchemes), std::end(serverSchemes),
                       [&](const QString& scheme) { return given.startsWith(scheme, Qt::CaseInsensitive); });
}

DatabaseLocation DatabaseLocation::Parse(const QString& text) {
    DatabaseLocation location;
    if (!IsServerText(text)) {
        location.path = text;
        return location;
    }
    location.server = true;
    if (!location.parseServer(text.trimmed()) && location.problem.isEmpty())
        location.problem =
            u"'%1' is not a server database: write postgresql://user@host:port/dbname"_s.arg(text);
    return location;
}

bool DatabaseLocation::parseServer(const QString& text) {
    const QString rest = text.mid(text.indexOf(u"://"_s) + 3);
    const qsizetype slash = rest.indexOf(u'/');
    if (slash < 0)
        return false;
    const QString path = rest.mid(slash + 1);
    const qsizetype question = path.indexOf(u'?');
    database = decoded(path.left(question));
    schema = defaultSchema;
    if (!parseAuthority(rest.left(slash)) || (question >= 0 && !parseParameters(path.mid(question + 1))))
        return false;
    if (database.isEmpty())
        return false;
    if (!isPlainName(schema)) {
        problem =
            u"the schema '%1' of '%2' must be lower-case letters, digits and underscores"_s.arg(schema, text);
        return false;
    }
    if (isSystemSchema(schema)) {
        problem =
            u"the schema '%1' of '%2' is one of the server's own; a station needs a schema of its own"_s.arg(
                schema, text);
        return false;
    }
    return true;
}

bool DatabaseLocation::parseAuthority(const QString& authority) {
    const qsizetype at = authority.lastIndexOf(u'@');
    user = decoded(authority.left(std::max<qsizetype>(at, 0)));
    if (user.contains(u':')) {
        problem = u"a server database's location holds no password: keep it in ~/.pgpass"_s;
        return false;
    }
    QString hostPort = authority.mid(at + 1);
    const qsizetype colon = hostPort.lastIndexOf(u':');
    if (colon >= 0) {
        bool ok = false;
        port = hostPort.mid(colon + 1).toInt(&ok);
        if (!ok || port < 1 || port > 65535)
            return false;
        hostPort.truncate(colon);
    }
    host = decoded(hostPort);
    return true;
}

bool DatabaseLocation::parseParameters(const QString& parameters) {
    for (const QString& pair : parameters.split(u'&', Qt::SkipEmptyParts)) {
        const QString key = pair.section(u'=', 0, 0);
        const QString value = decoded(pair.section(u'=', 1));
        if (key == u"schema")
            schema = value;
        else if (key == u"host")
            host = value;
        else {
            problem =
                u"'%1' is not a setting of a server database's location (schema and host are)"_s.arg(key);
            return false;
        }
    }
    return true;
}

QString DatabaseLocation::Text() const {
    if (!server)
        return QFileInfo(path).absoluteFilePath();
    QString text = u"postgresql://"_s;
    if (!user.isEmpty())
        text += encoded(user) + u'@';
    text += encoded(host) + u':' + QString::number(port) + u'/' + encoded(database);
    if (schema != defaultSchema)
        text += u"?schema="_s + schema;
    return text;
}

QString DatabaseLocation::DefaultName() const {
    if (!server)
        return QFileInfo(path).completeBaseName();
    return schema == defaultSchema ? database : schema;
}

QSqlDatabase DatabaseLocation::Connect(const QString& connectionName, bool readOnly) const {
    QSqlDatabase db = QSqlDatabase::addDatabase(server ? u"QPSQL"_s : u"QSQLITE"_s, connectionName);
    if (!server) {
        connectFile(db, readOnly);
        return db;
    }
    db.setDatabaseName(database);
    db.setHostName(host);
    db.setPort(port);
    db.setUserName(user);
    db.setConnectOptions(u"connect_timeout=10"_s);
    if (db.open()) {
        QSqlQuery(db).exec(u"SET search_path TO "_s + QuotedSchema());
        // The server's notices (an index that exists already, say) are not the program's output.
        QSqlQuery(db).exec(u"SET client_min_messages TO warning"_s);
        if (readOnly)
            QSqlQuery(db).exec(u"SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"_s);
    }
    return db;
}

void DatabaseLocation::connectFile(QSqlDatabase& db, bool readOnly) const {
    // A database in write-ahead mode keeps its journal beside the file while anyone
    // has it open, and the last connection to close takes it away again, unless that
    // connection may not write. So a reader that may write the folder connects as a
    // writer that refuses to write (and leaves the folder as it found it). One that
    // may not, reads through the journal when a writer keeps one there, and
    // otherwise, with nobody writing, reads the file as it stands ("immutable"):
    // SQLite then takes no lock, so a writer that starts during such a read is not
    // waited for. Only a reader that could not make the journal reads so.
    const bool folderWritable = QFileInfo(QFileInfo(path).absolutePath()).isWritable();
    if (!readOnly || folderWritable) {
        db.setDatabaseName(path);
        if (db.open() && readOnly)
            QSqlQuery(db).exec(u"PRAGMA query_only = ON"_s);
        return;
    }
    const bool journal = QFileInfo::exists(path + u"-wal"_s);
    db.setDatabaseName(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) +
                       (journal ? u"?mode=ro"_s : u"?immutable=1"_s));
    db.setConnectOptions(u"QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI"_s);
    db.open();
}
