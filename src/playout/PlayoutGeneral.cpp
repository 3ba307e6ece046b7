#include "playout/PlayoutGeneral.h"

#include "stationdb/DatabaseChooser.h"

#include "base/FileTools.h"
#include "playout/OperatorSeam.h"
#include "playout/ProfileLibrary.h"

bool PlayoutGeneral::Open(const QString& name) {
    if (!FileTools::FolderExists(ProfileLibrary::ProfileFolder(name)))
        return false;
    profile = name;
    locations.LoadProfile(name);
    return true;
}

bool PlayoutGeneral::Register(int flags) {
    if (!IsOpen())
        return false;
    registeredFlags = flags;
    return true;
}

QString PlayoutGeneral::Folder(int kind) const {
    switch (kind) {
    case ApplicationLogs:
        return locations.Folder(FileLocations::ApplicationLogsPlace);
    case StationDatabases:
        return locations.Folder(FileLocations::StationDatabasesPlace);
    case LocalStationDatabases:
        return locations.Folder(FileLocations::LocalStationDatabasesPlace);
    default:
        return ProfileLibrary::ProductFolder();
    }
}

bool PlayoutGeneral::ShowFileLocations(quint32 background) {
    FileLocations changed = locations;
    if (!IsOpen() || !OperatorSeam::Current().EditFileLocations(changed, background))
        return false;
    if (changed.SaveProfile(profile))
        return true;
    OperatorSeam::Message(
        QStringLiteral("The file locations of profile '%1' could not be stored").arg(profile),
        Operator::Exclamation);
    return false;
}

DatabaseList PlayoutGeneral::Databases() const {
    return DatabaseChooser::Databases(Folder(StationDatabases), Folder(LocalStationDatabases),
                                      locations.ServerDatabases);
}
