#pragma once

#include "importers/Progress.h"

#include <QString>
#include <optional>

// The days a log directory holds, from its files' names: a name is the prefix
// (any case), six date digits in the format's order, then anything. Both importers
// scan this way; the music importer traces each step.
class LogDirectoryScan {
public:
    static constexpr qint32 NoDay = 99999;

    struct Days {
        qint32 First = NoDay;
        qint32 Last = 0;
    };

    // Walks the files that `pattern` matches. A name with "." right after the
    // prefix, or whose date digits are worth 0, is not a log. A format other than
    // the four known ones ends the walk at the first log, before its day counts.
    static Days Scan(const QString& pattern, const QString& prefix, const QString& format,
                     const Progress& progress, bool trace);

    // The day of a log file's name; 0 for a date that does not exist, nothing for a
    // format this program does not know.
    static std::optional<qint32> DayOfName(const QString& name, const QString& prefix, const QString& format);
};
