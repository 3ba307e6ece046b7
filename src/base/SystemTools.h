#pragma once

#include <QString>

// The platform version record, as the Windows version information gives it.
struct WindowsVersionInfo {
    int PlatformId = 0; // 2 for the NT family
    int Major = 0;
    int Minor = 0;
    int Build = 0;
    int ProductType = 0; // 1 for a workstation
    QString ServicePack;
};

// Facts about the machine the tool runs on.
class SystemTools {
public:
    static QString ComputerName();
    // On Windows the real record. Elsewhere the NT family with version 0.0 and no
    // service pack: per-process memory figures exist, and no Windows name applies.
    static WindowsVersionInfo WindowsVersion();
    // Nothing to check: the tool needs no browser components.
    static bool BrowserComponentsInstalled() { return true; }
};
