#pragma once

#include <QString>

// The audio settings of a profile, kept in "Audio.ini" in the profile folder.
class AudioSettings {
public:
    static constexpr int MaxPlayers = 16;

    int DebugLevel = 0;
    int NumberPlayers = 4;
    // When set, the name of the device record is copied to the playout audio
    // interface's first device.
    bool UseDeviceName = false;
    QString DeviceName;

    void LoadProfile(const QString& profile);
    bool SaveProfile() const;
    // The settings dialog over the profile last loaded; True when accepted and stored.
    bool ShowSettings(int flags);

private:
    static QString fileOf(const QString& profile);

    QString profile;
};
