#pragma once

#include "base/SystemTools.h"

#include <QString>

// What the splash window says about the program and the machine, as pure rules.
class SplashText {
public:
    // The name of a Windows version, or `current` when the version is not one the
    // splash names (and on other systems, whose record is empty).
    static QString PlatformLabel(const WindowsVersionInfo& version, const QString& current);
    // The service-pack text up to its first null character and its first comma.
    static QString ServicePack(const QString& raw);
    // The first logo of: <program>.bmp, tools.bmp and logo.bmp beside the program,
    // then tools.bmp and logo.bmp in the folder above it; "" when there is none.
    static QString LogoFile(const QString& programFolder, const QString& exeName);
};
