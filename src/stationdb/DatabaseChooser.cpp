#include "stationdb/DatabaseChooser.h"

#include "base/FileTools.h"
#include "stationdb/StationDatabase.h"

#include <QDir>
#include <QFileInfo>

DatabaseList DatabaseChooser::Databases(const QString& folder, const QString& localFolder,
                                        const QList<DatabaseInfo>& servers) {
    QList<DatabaseInfo> found;
    for (const QString& place : {folder, localFolder}) {
        if (place.isEmpty())
            continue;
        QDir dir(place);
        dir.setNameFilters({QStringLiteral("*") + Extension()});
        dir.setFilter(QDir::Files);
        dir.setSorting(QDir::Name | QDir::IgnoreCase);
        for (const QFileInfo& file : dir.entryInfoList())
            found.append({file.completeBaseName(), file.absoluteFilePath()});
    }
    return DatabaseList(found + servers);
}

bool DatabaseChooser::CreateDatabase(const QString& folder, const QString& name, QString* problem) {
    QString reason = FileTools::NameProblem(name);
    if (reason.isEmpty() && StationDatabase::Create(folder + u'/' + name + Extension(), name, &reason))
        return true;
    if (problem)
        *problem = reason;
    return false;
}
