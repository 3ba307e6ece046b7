#include "stationdb/LogFileNames.h"

#include "base/ScheduleDateTools.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

QString LogFileNames::DatePart(const QString& format, qint32 day) {
    const QDate date = ScheduleDateTools::DateOfSerial(day);
    auto two = [](int value) { return u"%1"_s.arg(value % 100, 2, 10, QLatin1Char('0')); };
    return format.toLower()
        .replace(u"yy"_s, two(date.year()))
        .replace(u"mm"_s, two(date.month()))
        .replace(u"dd"_s, two(date.day()));
}

QString LogFileNames::Path(const QString& directory, const QString& prefix, const QString& format,
                           const QString& extension, qint32 day) {
    const QString name = day == -1 ? prefix + u"??????*"_s : prefix + DatePart(format, day) + extension;
    const QString folder = directory.isEmpty() || directory.endsWith(u'/') || directory.endsWith(u'\\')
                               ? directory
                               : directory + u'/';
    if (day == -1 || QFileInfo::exists(folder + name))
        return folder + name;
    // Names match ignoring case, as they do on Windows: a day's file may be spelt otherwise.
    const QStringList found = QDir(folder).entryList({name}, QDir::Files);
    return folder + (found.isEmpty() ? name : found.first());
}
