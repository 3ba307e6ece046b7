#pragma once

#include <QString>

// One user of the directory, with the rights the tools ask about.
struct DirectoryUser {
    QString Guid;
    QString Name;
    bool CanEditScheduledLog = false;
    bool CanEditSettings = false;
    bool CanEditStationDatabaseSettings = false;
    bool CanEditDirectorySettings = false;
    // Directory::PasswordHash of the user's password; "" when they have none.
    QString PasswordHash;
};
