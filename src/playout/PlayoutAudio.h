#pragma once

#include "playout/CueboardSettings.h"

#include <QStringList>

class AudioSettings;

// The audio side of the playout interface: its settings, its devices and the
// cart wall's settings it plays by.
class PlayoutAudio {
public:
    AudioSettings* Settings = nullptr;
    QStringList DeviceList{QString()};
    CueboardSettings Cueboard;

    // The global cart-wall settings dialog in the given background colour. True when
    // the operator changed the settings and they were stored.
    bool ShowGlobalCueboardSettings(quint32 background);
    // Takes the stored cart-wall settings.
    void TakeCueboardSettings() { Cueboard.Load(); }
};
