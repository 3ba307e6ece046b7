#include "base/SystemTools.h"

#include <QOperatingSystemVersion>
#include <QSysInfo>

QString SystemTools::ComputerName() {
    const QString name = QSysInfo::machineHostName().section(u'.', 0, 0).toUpper();
    return name.isEmpty() ? QStringLiteral("LOCALHOST") : name;
}

WindowsVersionInfo SystemTools::WindowsVersion() {
    WindowsVersionInfo info;
    info.PlatformId = 2;
#ifdef Q_OS_WIN
    const auto version = QOperatingSystemVersion::current();
    info.Major = version.majorVersion();
    info.Minor = version.minorVersion();
    info.Build = version.microVersion();
    info.ProductType =
        QSysInfo::productType().contains(QStringLiteral("server"), Qt::CaseInsensitive) ? 3 : 1;
#endif
    return info;
}
