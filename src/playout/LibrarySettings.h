#pragma once

#include <QString>

// The station library's settings of a profile, kept in "Library.ini" in the
// profile folder.
class LibrarySettings {
public:
    // 1: the operator chooses the Station Database; 2: a fixed one.
    int DatabaseMode = 0;
    QString FixedDatabase;
    // User security: when off, the log-in is optional.
    bool Security = false;
    // Log the only user of the directory in without asking.
    bool AutoLogIn = false;

    bool LoadProfile(const QString& profile);
    bool SaveProfile(const QString& profile) const;
    // Complete when a database mode is set, with a database name for mode 2.
    bool IsComplete() const;

private:
    static QString fileOf(const QString& profile);
};
