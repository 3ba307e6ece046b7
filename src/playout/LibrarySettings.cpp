#include "playout/LibrarySettings.h"

#include "base/FileTools.h"
#include "playout/ProfileLibrary.h"

#include <QSettings>

QString LibrarySettings::fileOf(const QString& profile) {
    return ProfileLibrary::ProfileFolder(profile) + QStringLiteral("/Library.ini");
}

bool LibrarySettings::LoadProfile(const QString& profile) {
    const QSettings store(fileOf(profile), QSettings::IniFormat);
    DatabaseMode = store.value(QStringLiteral("Library/DatabaseMode"), 0).toInt();
    FixedDatabase = store.value(QStringLiteral("Library/FixedDatabase")).toString();
    Security = store.value(QStringLiteral("Library/Security"), false).toBool();
    AutoLogIn = store.value(QStringLiteral("Library/AutoLogIn"), false).toBool();
    return store.status() == QSettings::NoError;
}

bool LibrarySettings::SaveProfile(const QString& profile) const {
    FileTools::CreateFolder(ProfileLibrary::ProfileFolder(profile));
    QSettings store(fileOf(profile), QSettings::IniFormat);
    store.setValue(QStringLiteral("Library/DatabaseMode"), DatabaseMode);
    store.setValue(QStringLiteral("Library/FixedDatabase"), FixedDatabase);
    store.setValue(QStringLiteral("Library/Security"), Security);
    store.setValue(QStringLiteral("Library/AutoLogIn"), AutoLogIn);
    store.sync();
    return store.status() == QSettings::NoError;
}

bool LibrarySettings::IsComplete() const {
    return DatabaseMode == 1 || (DatabaseMode == 2 && !FixedDatabase.isEmpty());
}
