#include "base/TempFile.h"

#include "base/Alert.h"
#include "base/DebugLog.h"
#include "base/FileTools.h"
#include "base/GeneralTools.h"
#include "base/OstrelHome.h"

#include <QFile>
#include <QRandomGenerator>

namespace {

// Creates a new empty file named prefix (three characters at most) + four
// hexadecimal digits + ".TMP" in the folder; "" when none could be created.
QString createUniqueFile(const QString& folder, const QString& prefix) {
    const quint32 start = QRandomGenerator::global()->bounded(0x10000u);
    for (quint32 step = 0; step < 0x10000u; ++step) {
        const quint32 unique = (start + step) & 0xFFFFu;
        if (unique == 0)
            continue;
        const QString name = folder + u'/' + prefix.left(3) +
                             QStringLiteral("%1").arg(unique, 4, 16, QLatin1Char('0')).toUpper() +
                             QStringLiteral(".TMP");
        QFile file(name);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return name;
        if (!FileTools::FolderExists(folder))
            return {};
    }
    return {};
}

} // namespace

QString TempFile::GetTempFile(const QString& folder, const QString& extension) {
    WriteDebug(QStringLiteral("Start GetTempFile"), DebugLog::dbmNormal, DebugLog::IndentAfter);
    QString name;
    for (;;) {
        WriteDebug(QStringLiteral("Assign a string"));
        QString target = folder;
        if (target.isEmpty()) {
            WriteDebug(QStringLiteral("Get the user's temp path"));
            target = OstrelHome::TempFolder();
            if (!FileTools::CreateFolder(target)) {
                Alert::Show(QStringLiteral("Error getting a temporary file name :") + QString::number(3),
                            Alert::Critical);
                return {};
            }
        }
        WriteDebug(QStringLiteral("AlphaNum the app.title"));
        const QString prefix = GeneralTools::App().Title.toUpper().remove(u' ');
        WriteDebug(QStringLiteral("Call GetTempFilename"));
        const QString created = createUniqueFile(target, prefix);
        if (created.isEmpty())
            break;
        WriteDebug(QStringLiteral("Process the return"));
        name = created.trimmed();
        if (extension.isEmpty() || extension.compare(u"TMP", Qt::CaseInsensitive) == 0)
            break;
        QFile::remove(name);
        name = name.left(name.size() - 3) + extension;
        if (FileTools::FileSize(name) <= 0)
            break;
    }
    WriteDebug(QStringLiteral("End GetTempFile"), DebugLog::dbmNormal, DebugLog::OutdentBefore);
    return name;
}
