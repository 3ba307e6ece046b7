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
    QString PasswordHash = QString();
};

// The four rights, each with the name it is stored under and a caption for the
// directory's settings.
struct DirectoryRight {
    bool DirectoryUser::*Flag;
    const char* Name;
    const char* Caption;
};

inline constexpr DirectoryRight DirectoryRights[] = {
    {&DirectoryUser::CanEditScheduledLog, "CanEditScheduledLog", "Edit the &Scheduled Log"},
    {&DirectoryUser::CanEditSettings, "CanEditSettings", "Edit audio and Ostrel s&ettings"},
    {&DirectoryUser::CanEditStationDatabaseSettings, "CanEditStationDatabaseSettings",
     "Edit Station &Database settings"},
    {&DirectoryUser::CanEditDirectorySettings, "CanEditDirectorySettings", "Edit the d&irectory"},
};
