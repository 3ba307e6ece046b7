#pragma once

#include "playout/PlayoutAudio.h"
#include "playout/PlayoutLogging.h"

#include <QString>

// The general playout interface: opened for a profile, it names the system's
// folders and gives the audio and logging interfaces.
class PlayoutGeneral {
public:
    // Folder kinds.
    static constexpr int ApplicationLogs = 4;
    static constexpr int StationDatabases = 6;
    static constexpr int LocalStationDatabases = 8;

    int DebugLevel = 0;

    // False when the profile does not exist.
    bool Open(const QString& profile);
    // Registers a running application; False unless open.
    bool Register(int flags = 0) const;
    bool IsOpen() const { return !profile.isEmpty(); }

    // The folder of a kind, under the product folder.
    QString Folder(int kind) const;

    PlayoutAudio& Audio() { return audio; }
    PlayoutLogging& Logging() { return logging; }

private:
    QString profile;
    PlayoutAudio audio;
    PlayoutLogging logging;
};
