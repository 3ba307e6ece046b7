#pragma once

#include "stationdb/DatabaseList.h"

// Finds the Station Databases: files ending ".sdb" (in any case) in the shared and
// the local database folders, each named by its file title, then the server
// databases a profile names.
class DatabaseChooser {
public:
    static QString Extension() { return QStringLiteral(".sdb"); }
    static DatabaseList Databases(const QString& folder, const QString& localFolder,
                                  const QList<DatabaseInfo>& servers = {});
    // Makes a new, empty Station Database of that name in `folder`. False (with the
    // reason) when the name cannot be used or the file cannot be made.
    static bool CreateDatabase(const QString& folder, const QString& name, QString* problem = nullptr);
};
