#include "importers/LogFileSearch.h"

#include "base/FileTools.h"

#include <QDir>
#include <QRegularExpression>

QStringList LogFileSearch::Find(const QString& pattern) {
    const QString folder = FileTools::FolderOfPath(pattern);
    const QString name = QString(pattern).replace(u'\\', u'/').section(u'/', -1);
    if (name.isEmpty() || !FileTools::FolderExists(folder.isEmpty() ? QStringLiteral(".") : folder))
        return {};
    const QRegularExpression whole(QRegularExpression::wildcardToRegularExpression(name),
                                   QRegularExpression::CaseInsensitiveOption);
    QStringList found;
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    for (const QString& file : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase)) {
        if (whole.match(file).hasMatch())
            found.append(file);
    }
    return found;
}
