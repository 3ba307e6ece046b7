#include "playout/PlayoutGeneral.h"

#include "playout/FileTools.h"
#include "playout/ProfileLibrary.h"

bool PlayoutGeneral::Open(const QString& name) {
    if (!FileTools::FolderExists(ProfileLibrary::ProfileFolder(name)))
        return false;
    profile = name;
    return true;
}

bool PlayoutGeneral::Register(int) const {
    return IsOpen();
}

QString PlayoutGeneral::Folder(int kind) const {
    const QString product = ProfileLibrary::ProductFolder();
    switch (kind) {
    case ApplicationLogs:
        return product + QStringLiteral("/Logs");
    case StationDatabases:
        return product + QStringLiteral("/Databases");
    case LocalStationDatabases:
        return ProfileLibrary::ProfileFolder(profile) + QStringLiteral("/Databases");
    default:
        return product;
    }
}
