#include "stationdb/DatabaseList.h"

std::optional<DatabaseInfo> DatabaseList::Find(const QString& name) const {
    for (const DatabaseInfo& database : databases) {
        if (database.Name.compare(name, Qt::CaseInsensitive) == 0)
            return database;
    }
    return std::nullopt;
}

QStringList DatabaseList::Names() const {
    QStringList names;
    for (const DatabaseInfo& database : databases)
        names.append(database.Name);
    return names;
}
