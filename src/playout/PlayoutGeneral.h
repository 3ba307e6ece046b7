#pragma once

#include "playout/FileLocations.h"
#include "playout/PlayoutAudio.h"
#include "playout/PlayoutLogging.h"
#include "stationdb/DatabaseList.h"

#include <QString>

// The general playout interface: opened for a profile, it names the system's
// folders (where the profile's file locations do not say otherwise) and gives the
// audio and logging interfaces.
class PlayoutGeneral {
public:
    // Folder kinds.
    static constexpr int ApplicationLogs = 4;
    static constexpr int StationDatabases = 6;
    static constexpr int LocalStationDatabases = 8;

    // What a registration tells the playout system has changed.
    enum Changed { FileLocationsChanged = 1, CueboardChanged = 256 };

    int DebugLevel = 0;

    // False when the profile does not exist.
    bool Open(const QString& profile);
    // Registers a running application with the given flags; False unless open.
    bool Register(int flags = 0);
    bool IsOpen() const { return !profile.isEmpty(); }
    const QString& Profile() const { return profile; }
    // The flags of the last registration (-1 before any).
    int RegisteredFlags() const { return registeredFlags; }

    // The folder of a kind: the profile's own location, or its place under the
    // product folder.
    QString Folder(int kind) const;
    // The Station Databases of the shared and the local database folders.
    DatabaseList Databases() const;
    // The file-locations dialog in the given background colour; True when accepted
    // and stored.
    bool ShowFileLocations(quint32 background);

    PlayoutAudio& Audio() { return audio; }
    PlayoutLogging& Logging() { return logging; }

private:
    QString profile;
    FileLocations locations;
    int registeredFlags = -1;
    PlayoutAudio audio;
    PlayoutLogging logging;
};
