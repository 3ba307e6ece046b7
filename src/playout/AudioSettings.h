#pragma once

#include <QString>

// The audio settings of a profile, kept in "Audio.ini" in the profile folder.
class AudioSettings {
public:
    int DebugLevel = 0;
    int NumberPlayers = 4;
    // When set, the name of the device record is copied to the playout audio
    // interface's first device.
    bool UseDeviceName = false;
    QString DeviceName;

    void LoadProfile(const QString& profile);
};
