#pragma once

#include "playout/LibrarySettings.h"

class Directory;
class PlayoutGeneral;

// The station library: its settings, and (later) the way to the Station Database.
class StationLibrary {
public:
    int DebugLevel = 0;
    bool Option = false;
    Directory* directory = nullptr;
    PlayoutGeneral* playoutGeneral = nullptr;

    LibrarySettings& Settings() { return settings; }
    bool CheckSettings() const { return settings.IsComplete(); }
    // The settings dialog; True when the operator accepts it.
    bool DisplaySettings(int flags);

private:
    LibrarySettings settings;
};
