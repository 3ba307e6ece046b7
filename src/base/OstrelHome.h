#pragma once

#include <QString>

// Where the tool keeps its files and settings. With the environment variable
// OSTREL_HOME set, every file and setting the tool touches lives under that folder;
// without it, the platform's own places are used.
class OstrelHome {
public:
    // The OSTREL_HOME folder, or an empty text when it is not set.
    static QString Root();
    static bool IsSet() { return !Root().isEmpty(); }

    // Settings files standing in for HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER
    // (only meaningful when OSTREL_HOME is set).
    static QString MachineSettingsFile();
    static QString UserSettingsFile();

    // The all-users application data folder.
    static QString CommonAppDataFolder();
    // The folder that stands for the drive of the Windows folder ("C:").
    static QString SystemDriveFolder();
    // The temporary folder.
    static QString TempFolder();
};
