#include "playout/CueboardSettings.h"

#include "base/FileTools.h"
#include "base/GeneralTools.h"
#include "playout/ProfileLibrary.h"

#include <QSettings>

QString CueboardSettings::File() {
    return ProfileLibrary::ProductFolder() + QStringLiteral("/Cueboard.ini");
}

void CueboardSettings::Load() {
    const QSettings store(File(), QSettings::IniFormat);
    const CueboardSettings defaults;
    auto number = [&store](const char* name, int fallback, int maximum) {
        return int(GeneralTools::Clamp(store.value(QLatin1String(name), fallback).toInt(), 1, maximum));
    };
    Pages = number("Cueboard/Pages", defaults.Pages, MaxPages);
    Rows = number("Cueboard/Rows", defaults.Rows, MaxRows);
    Columns = number("Cueboard/Columns", defaults.Columns, MaxColumns);
    StopOthers = store.value(QStringLiteral("Cueboard/StopOthers"), defaults.StopOthers).toBool();
    FadeSeconds = int(GeneralTools::Clamp(store.value(QStringLiteral("Cueboard/FadeSeconds"), 0).toInt(), 0,
                                          MaxFadeSeconds));
}

bool CueboardSettings::Save() const {
    FileTools::CreateFolder(ProfileLibrary::ProductFolder());
    QSettings store(File(), QSettings::IniFormat);
    store.setValue(QStringLiteral("Cueboard/Pages"), Pages);
    store.setValue(QStringLiteral("Cueboard/Rows"), Rows);
    store.setValue(QStringLiteral("Cueboard/Columns"), Columns);
    store.setValue(QStringLiteral("Cueboard/StopOthers"), StopOthers);
    store.setValue(QStringLiteral("Cueboard/FadeSeconds"), FadeSeconds);
    store.sync();
    return store.status() == QSettings::NoError;
}
