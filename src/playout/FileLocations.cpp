#include "playout/FileLocations.h"

#include "playout/ProfileLibrary.h"

#include <QSettings>

namespace {

QString FileLocations::*const folders[] = {&FileLocations::ApplicationLogs, &FileLocations::StationDatabases,
                                           &FileLocations::LocalStationDatabases};
const char* const keys[] = {"Locations/ApplicationLogs", "Locations/StationDatabases",
                            "Locations/LocalStationDatabases"};
const QString serverGroup = QStringLiteral("ServerDatabases");

} // namespace

QString FileLocations::fileOf(const QString& profile) {
    return ProfileLibrary::ProfileFolder(profile) + QStringLiteral("/Locations.ini");
}

QStringList FileLocations::Defaults(const QString& profile) {
    const QString product = ProfileLibrary::ProductFolder();
    return {product + QStringLiteral("/Logs"), product + QStringLiteral("/Databases"),
            ProfileLibrary::ProfileFolder(profile) + QStringLiteral("/Databases")};
}

void FileLocations::ListServerDatabase(const DatabaseInfo& server) {
    ServerDatabases.removeIf([&](const DatabaseInfo& listed) {
        return listed.Name.compare(server.Name, Qt::CaseInsensitive) == 0;
    });
    ServerDatabases.append(server);
}

QString FileLocations::Folder(Place place) const {
    const QString& given = this->*folders[place];
    return given.isEmpty() ? Defaults(Profile).value(place) : given;
}

void FileLocations::LoadProfile(const QString& profile) {
    Profile = profile;
    QSettings store(fileOf(profile), QSettings::IniFormat);
    for (int i = 0; i < 3; ++i)
        this->*folders[i] = store.value(QLatin1String(keys[i])).toString().trimmed();
    ServerDatabases.clear();
    store.beginGroup(serverGroup);
    for (const QString& name : store.childKeys())
        ServerDatabases.append({name, store.value(name).toString().trimmed()});
    store.endGroup();
}

bool FileLocations::SaveProfile(const QString& profile) const {
    QSettings store(fileOf(profile), QSettings::IniFormat);
    for (int i = 0; i < 3; ++i)
        store.setValue(QLatin1String(keys[i]), (this->*folders[i]).trimmed());
    store.remove(serverGroup);
    store.beginGroup(serverGroup);
    for (const DatabaseInfo& server : ServerDatabases)
        store.setValue(server.Name, server.Location);
    store.endGroup();
    store.sync();
    return store.status() == QSettings::NoError;
}
