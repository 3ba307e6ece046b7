#pragma once

#include <QString>

// The settings store that stands in for the Windows registry. Keys are written as
// in the registry ("Software\Kestrane\Ostrel v3") and, like the registry, matched
// ignoring case, as are value names. With OSTREL_HOME set both roots are files
// under it; otherwise the platform's own store is used (the registry on Windows).
class RegistryTools {
public:
    enum Root { CurrentUser, LocalMachine };

    static qint32 GetNumber(Root root, const QString& key, const QString& name, qint32 defaultValue);
    static QString GetString(Root root, const QString& key, const QString& name, const QString& defaultValue);
    static bool SetNumber(Root root, const QString& key, const QString& name, qint32 value);
    static bool SetString(Root root, const QString& key, const QString& name, const QString& value);
};
