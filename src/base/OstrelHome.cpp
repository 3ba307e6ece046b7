#include "base/OstrelHome.h"

#include <QDir>
#include <QStandardPaths>

QString OstrelHome::Root() {
    const QString root = qEnvironmentVariable("OSTREL_HOME");
    return root.isEmpty() ? QString() : QDir::cleanPath(QDir(root).absolutePath());
}

QString OstrelHome::MachineSettingsFile() {
    return Root() + QStringLiteral("/Registry/HKEY_LOCAL_MACHINE.ini");
}

QString OstrelHome::UserSettingsFile() {
    return Root() + QStringLiteral("/Registry/HKEY_CURRENT_USER.ini");
}

QString OstrelHome::CommonAppDataFolder() {
    if (IsSet())
        return Root() + QStringLiteral("/ProgramData");
#ifdef Q_OS_WIN
    const QString programData = qEnvironmentVariable("ProgramData");
    if (!programData.isEmpty())
        return QDir::fromNativeSeparators(programData);
#endif
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString OstrelHome::SystemDriveFolder() {
    if (IsSet())
        return Root();
#ifdef Q_OS_WIN
    const QString windows = qEnvironmentVariable("SystemRoot", QStringLiteral("C:\\Windows"));
    return windows.left(2);
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Kestrane");
#endif
}

QString OstrelHome::TempFolder() {
    if (IsSet())
        return Root() + QStringLiteral("/Temp");
    return QDir::tempPath();
}
