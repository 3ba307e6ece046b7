#include "importers/LogDirectoryScan.h"

#include "base/DebugLog.h"
#include "base/NumericText.h"
#include "base/ScheduleDateTools.h"
#include "importers/LogFileSearch.h"

using namespace Qt::Literals::StringLiterals;

std::optional<qint32> LogDirectoryScan::DayOfName(const QString& name, const QString& prefix,
                                                  const QString& format) {
    const qsizetype p = prefix.size();
    const QString lower = format.toLower();
    int year = 0, month = 0, day = 0;
    if (lower == u"yymmdd")
        year = 0, month = 2, day = 4;
    else if (lower == u"yyddmm")
        year = 0, month = 4, day = 2;
    else if (lower == u"ddmmyy")
        year = 4, month = 2, day = 0;
    else if (lower == u"mmddyy")
        year = 4, month = 0, day = 2;
    else
        return std::nullopt;
    const QString text = u"20"_s + name.mid(p + year, 2) + u' ' +
                         ScheduleDateTools::MonthName(int(NumericText::Value(name.mid(p + month, 2)))) +
                         u' ' + name.mid(p + day, 2);
    return ScheduleDateTools::ParseDate(text).Day;
}

LogDirectoryScan::Days LogDirectoryScan::Scan(const QString& pattern, const QString& prefix,
                                              const QString& format, const Progress& progress, bool trace) {
    auto debug = [trace](const QString& text) {
        if (trace)
            WriteDebug(text);
    };
    Days days;
    const QStringList names = LogFileSearch::Find(pattern);
    qsizetype next = 0;
    QString name = names.value(next++);
    debug(u"Finding first matching file Results - "_s + name);
    qint32 lastDay = 0;
    while (!name.isEmpty()) {
        progress.Process(u"Checking "_s + name);
        const bool matches = name.left(prefix.size()).compare(prefix, Qt::CaseInsensitive) == 0 &&
                             name.mid(prefix.size(), 1) != u"." &&
                             NumericText::Value(name.mid(prefix.size(), format.size())) > 0;
        if (matches) {
            const auto day = DayOfName(name, prefix, format);
            if (!day)
                break;
            lastDay = *day;
        }
        if (lastDay > 0) {
            days.First = std::min(days.First, lastDay);
            days.Last = std::max(days.Last, lastDay);
        }
        debug(u"Finding next matching file - "_s + name);
        name = names.value(next++);
        debug(u"Finding next matching file Results - "_s + name);
    }
    return days;
}
