#pragma once

#include "stationdb/DatabaseInfo.h"

#include <QList>
#include <QStringList>
#include <optional>

// The Station Databases found in the system's database folders.
class DatabaseList {
public:
    explicit DatabaseList(QList<DatabaseInfo> databases) : databases(std::move(databases)) {}

    // The database of that name, matched without regard to case (names given on the
    // command line arrive in upper case).
    std::optional<DatabaseInfo> Find(const QString& name) const;
    const QList<DatabaseInfo>& All() const { return databases; }
    QStringList Names() const;

private:
    QList<DatabaseInfo> databases;
};
