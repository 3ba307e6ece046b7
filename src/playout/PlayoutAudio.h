#pragma once

#include <QStringList>

class AudioSettings;

// The audio side of the playout interface: its settings and its devices.
class PlayoutAudio {
public:
    AudioSettings* Settings = nullptr;
    QStringList DeviceList{QString()};
};
