#include "importers/RecentHistory.h"

#include "base/AppLog.h"
#include "base/FileTools.h"
#include "base/GeneralTools.h"

#include <QFile>

using namespace Qt::Literals::StringLiterals;

QString RecentHistory::Path() {
    const QString log = AppLog::FileName();
    return log.isEmpty() ? QString() : FileTools::FolderOfPath(log) + u"/RecentHistory.log"_s;
}

void RecentHistory::ApplySizeLimit() {
    const QString path = Path();
    if (path.isEmpty() || FileTools::FileSize(path) < SizeLimit)
        return;
    if (!QFile::remove(path))
        Append(u"Couldn't delete Log File"_s);
}

void RecentHistory::Append(const QString& line) {
    const QString path = Path();
    if (!path.isEmpty())
        GeneralTools::AppendLineToFile(path, line);
}
