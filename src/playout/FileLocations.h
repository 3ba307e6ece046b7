#pragma once

#include "stationdb/DatabaseInfo.h"

#include <QList>
#include <QStringList>

// Where a profile keeps the playout system's folders, in "Locations.ini" in the
// profile folder. A blank folder means the system's own place under the product
// folder.
class FileLocations {
public:
    enum Place { ApplicationLogsPlace, StationDatabasesPlace, LocalStationDatabasesPlace };

    QString ApplicationLogs;
    QString StationDatabases;
    QString LocalStationDatabases;
    // The Station Databases on servers the chooser lists beside the files, each by
    // its name and location (postgresql://...), in the group "ServerDatabases".
    QList<DatabaseInfo> ServerDatabases;
    // Lists a server database under its name, in place of any listed by that name
    // (ignoring case, as the chooser finds them).
    void ListServerDatabase(const DatabaseInfo& server);
    // The profile last loaded.
    QString Profile;

    // The system's own places of the three folders for a profile, in Place order.
    static QStringList Defaults(const QString& profile);
    // The folder of a place: the one given, or the system's own.
    QString Folder(Place place) const;

    void LoadProfile(const QString& profile);
    bool SaveProfile(const QString& profile) const;

    bool operator==(const FileLocations&) const = default;

private:
    static QString fileOf(const QString& profile);
};
