#include "playout/AudioSettings.h"

#include "base/GeneralTools.h"
#include "playout/OperatorSeam.h"
#include "playout/ProfileLibrary.h"

#include <QSettings>

QString AudioSettings::fileOf(const QString& profile) {
    return ProfileLibrary::ProfileFolder(profile) + QStringLiteral("/Audio.ini");
}

void AudioSettings::LoadProfile(const QString& name) {
    profile = name;
    const QSettings store(fileOf(profile), QSettings::IniFormat);
    NumberPlayers = int(GeneralTools::Clamp(
        store.value(QStringLiteral("Audio/NumberPlayers"), NumberPlayers).toInt(), 1, MaxPlayers));
    UseDeviceName = store.value(QStringLiteral("Audio/UseDeviceName"), UseDeviceName).toBool();
    DeviceName = store.value(QStringLiteral("Audio/DeviceName"), DeviceName).toString();
}

bool AudioSettings::SaveProfile() const {
    QSettings store(fileOf(profile), QSettings::IniFormat);
    store.setValue(QStringLiteral("Audio/NumberPlayers"), NumberPlayers);
    store.setValue(QStringLiteral("Audio/UseDeviceName"), UseDeviceName);
    store.setValue(QStringLiteral("Audio/DeviceName"), DeviceName);
    store.sync();
    return store.status() == QSettings::NoError;
}

bool AudioSettings::ShowSettings(int) {
    AudioSettings changed = *this;
    if (profile.isEmpty() || !OperatorSeam::Current().EditAudioSettings(changed))
        return false;
    if (!changed.SaveProfile()) {
        OperatorSeam::Message(QStringLiteral("The audio settings could not be stored in ") + fileOf(profile),
                              Operator::Exclamation);
        return false;
    }
    *this = changed;
    return true;
}
