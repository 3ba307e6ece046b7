#include "playout/AudioSettings.h"

#include "playout/ProfileLibrary.h"

#include <QSettings>

void AudioSettings::LoadProfile(const QString& profile) {
    const QSettings store(ProfileLibrary::ProfileFolder(profile) + QStringLiteral("/Audio.ini"),
                          QSettings::IniFormat);
    NumberPlayers = store.value(QStringLiteral("Audio/NumberPlayers"), NumberPlayers).toInt();
    UseDeviceName = store.value(QStringLiteral("Audio/UseDeviceName"), UseDeviceName).toBool();
    DeviceName = store.value(QStringLiteral("Audio/DeviceName"), DeviceName).toString();
}
