#include "base/FileTools.h"

#include "base/OstrelHome.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Paths may come in Windows form from settings and logs: backslashes separate too.
QString clean(const QString& path) {
    return QDir::cleanPath(QString(path).replace(u'\\', u'/'));
}

} // namespace

bool FileTools::FileExists(const QString& path) {
    const QFileInfo info(clean(path));
    return !path.isEmpty() && info.exists() && !info.isDir();
}

bool FileTools::FolderExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(clean(path)).isDir();
}

bool FileTools::CreateFolder(const QString& path) {
    return !path.isEmpty() && QDir().mkpath(clean(path));
}

qint64 FileTools::FileSize(const QString& path) {
    return FileExists(path) ? QFileInfo(clean(path)).size() : -1;
}

bool FileTools::WriteWhole(const QString& path, const QByteArray& bytes, QString* problem) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (problem)
        *problem = file.errorString();
    return false;
}

QString FileTools::FolderOfPath(const QString& path) {
    const QString cleaned = clean(path);
    const qsizetype slash = cleaned.lastIndexOf(u'/');
    return slash < 0 ? QString() : (slash == 0 ? QStringLiteral("/") : cleaned.left(slash));
}

QString FileTools::FileTitle(const QString& path) {
    return QFileInfo(clean(path)).completeBaseName();
}

QString FileTools::Extension(const QString& path) {
    return QFileInfo(clean(path)).suffix();
}

QString FileTools::ParentFolder(const QString& folder) {
    return FolderOfPath(clean(folder));
}

QString FileTools::SpecialFolder(int identifier) {
    return identifier == CommonAppData ? OstrelHome::CommonAppDataFolder() : QString();
}

QString FileTools::NameProblem(const QString& name) {
    if (name.trimmed().isEmpty())
        return QStringLiteral("A name must be given");
    if (name != name.trimmed())
        return QStringLiteral("A name cannot start or end with a blank");
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    for (const QChar c : name) {
        if (forbidden.contains(c) || c.unicode() < 32)
            return QStringLiteral("A name cannot hold any of \\ / : * ? \" < > |");
    }
    if (name.startsWith(u'.'))
        return QStringLiteral("A name cannot start with a full stop");
    return {};
}
