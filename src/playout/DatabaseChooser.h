#pragma once

#include "playout/DatabaseList.h"

// Finds the Station Databases: files ending ".sdb" (in any case) in the shared and
// the local database folders, each named by its file title.
class DatabaseChooser {
public:
    static QString Extension() { return QStringLiteral(".sdb"); }
    static DatabaseList Databases(const QString& folder, const QString& localFolder);
};
