#include "tools/stationdb/ProfileCommand.h"

#include "base/FileTools.h"
#include "playout/FileLocations.h"
#include "playout/LibrarySettings.h"
#include "playout/ProfileLibrary.h"
#include "stationdb/DatabaseChooser.h"
#include "stationdb/DatabaseLocation.h"
#include "stationdb/StationDatabase.h"
#include "tools/stationdb/Console.h"

#include <QCommandLineParser>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

ProfileCommand::ProfileCommand(Console& console)
    : Command(console,
              u"usage: stationdb profile NAME --database DATABASE\n"
              u"Makes the profile NAME when there is none, and sets its Ostrel Settings as the dialog "
              u"would: always open the Station Database named DATABASE, user security off. A server "
              u"with no display runs the program with /Profile=NAME after this.\n"
              u"DATABASE is a Station Database's name (its file NAME.sdb in the playout system's "
              u"database folders), or the path of a Station Database file (one elsewhere is listed "
              u"in the profile by its name), or a server database, "
              u"postgresql://user@host:port/dbname?schema=NAME: the profile then lists it, by its "
              u"schema's name (or its database's, for the schema public), beside the database files. "
              u"The command says which it found."_s,
              u"profile takes NAME and --database DATABASE"_s) {}

void ProfileCommand::configure(QCommandLineParser& parser) const {
    parser.addOption({u"database"_s, QString(), u"DATABASE"_s});
}

bool ProfileCommand::accepts(const QCommandLineParser& parser) const {
    return parser.isSet(u"database"_s) && parser.positionalArguments().size() == 1;
}

int ProfileCommand::run(const QCommandLineParser& parser) {
    QString database = parser.value(u"database"_s);
    const DatabaseLocation server = DatabaseLocation::Parse(database);
    if (!server.Problem().isEmpty())
        return console.Fail(server.Problem(), Console::Misuse);
    if (server.IsServer())
        database = server.DefaultName();
    // A path names its file: by its name when it lies in a database folder, listed otherwise.
    const std::optional<QString> file = filePath(database);
    if (file)
        database = QFileInfo(*file).completeBaseName();
    const QString profile = parser.positionalArguments().first();
    for (const QString& name : {profile, database}) {
        if (const QString problem = FileTools::NameProblem(name); !problem.isEmpty())
            return console.Fail(u"'%1': %2"_s.arg(name, problem), Console::Misuse);
    }
    QString problem;
    const QString name = ProfileLibrary().FindOrCreate(profile, &problem);
    if (name.isEmpty())
        return console.Fail(problem);
    const bool listed = server.IsServer() || (file && !inDatabaseFolder(name, *file));
    const DatabaseLocation location = file ? DatabaseLocation::Parse(*file) : server;
    if (!openAlways(name, database) || (listed && !listServer(name, database, location)))
        return console.Fail(u"the settings of the profile '%1' could not be written in '%2'"_s.arg(
            name, ProfileLibrary::ProfileFolder(name)));
    console.Out() << u"The profile '%1' opens the Station Database '%2' (%3) at every start, with user "
                     u"security off."_s.arg(name, database, placeOf(server, file))
                  << Qt::endl;
    if (server.IsServer() || file)
        warnOfUnusableServer(location);
    else
        warnOfMissingDatabase(name, database);
    return Console::Success;
}

QString ProfileCommand::placeOf(const DatabaseLocation& server, const std::optional<QString>& file) {
    if (server.IsServer())
        return u"the server database '%1'"_s.arg(server.Text());
    return file ? u"the file '%1'"_s.arg(*file) : u"found by its name in the database folders"_s;
}

std::optional<QString> ProfileCommand::filePath(const QString& database) {
    if (!database.contains(u'/') && !database.contains(u'\\') && !database.endsWith(u".sdb"_s))
        return std::nullopt;
    return QFileInfo(database).absoluteFilePath();
}

bool ProfileCommand::inDatabaseFolder(const QString& profile, const QString& file) {
    FileLocations locations;
    locations.LoadProfile(profile);
    const QString folder = QFileInfo(file).absolutePath();
    for (const auto place :
         {FileLocations::StationDatabasesPlace, FileLocations::LocalStationDatabasesPlace}) {
        if (QFileInfo(locations.Folder(place)).absoluteFilePath() == folder)
            return true;
    }
    return false;
}

bool ProfileCommand::openAlways(const QString& profile, const QString& database) {
    LibrarySettings settings;
    settings.LoadProfile(profile);
    settings.DatabaseMode = 2;
    settings.FixedDatabase = database;
    settings.Security = false;
    settings.AutoLogIn = false;
    return settings.SaveProfile(profile);
}

bool ProfileCommand::listServer(const QString& profile, const QString& name, const DatabaseLocation& server) {
    FileLocations locations;
    locations.LoadProfile(profile);
    locations.ListServerDatabase({name, server.Text()});
    return locations.SaveProfile(profile);
}

void ProfileCommand::warnOfUnusableServer(const DatabaseLocation& server) {
    StationDatabase db;
    if (db.OpenLocation(server.Text()) == StationDatabase::Opened)
        return;
    console.Warn(
        u"the Station Database cannot be opened yet (%1); make it with: stationdb create \"%2\""_s.arg(
            db.OpenProblem(), server.Text()));
}

void ProfileCommand::warnOfMissingDatabase(const QString& profile, const QString& database) {
    FileLocations locations;
    locations.LoadProfile(profile);
    const QString shared = locations.Folder(FileLocations::StationDatabasesPlace);
    if (DatabaseChooser::Databases(shared, locations.Folder(FileLocations::LocalStationDatabasesPlace))
            .Find(database))
        return;
    console.Warn(
        u"there is no Station Database named '%1' yet; make it with: stationdb create \"%2/%1.sdb\""_s.arg(
            database, shared));
}
