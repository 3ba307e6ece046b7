#pragma once

#include "playout/GraphicsRenderer.h"
#include "playout/LibrarySettings.h"

#include <QStringList>

class Directory;
class PlayoutGeneral;

// The station library: its settings and the Station Databases it can reach.
class StationLibrary {
public:
    int DebugLevel = 0;
    bool Option = false;
    Directory* directory = nullptr;
    PlayoutGeneral* playoutGeneral = nullptr;

    LibrarySettings& Settings() { return settings; }
    bool CheckSettings() const { return settings.IsComplete(); }
    // The settings dialog in the given background colour, offering the Station
    // Databases of the playout folders; True when the operator accepts it.
    bool DisplaySettings(int flags, quint32 background = GraphicsRenderer::StandardBackground);
    // The names of the Station Databases in the playout system's two database folders.
    QStringList DatabaseNames() const;

private:
    LibrarySettings settings;
};
