#include "playout/LogFileNames.h"

#include "playout/ScheduleDateTools.h"

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
    if (directory.isEmpty() || directory.endsWith(u'/') || directory.endsWith(u'\\'))
        return directory + name;
    return directory + u'/' + name;
}
