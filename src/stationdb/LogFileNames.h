#pragma once

#include <QString>

// The names of the daily log files: the directory, the prefix, six digits of date
// in the order the format gives ("yymmdd", "ddmmyy", ...), then the extension.
class LogFileNames {
public:
    // The path of a day's file; for day -1 a path whose name is a wildcard pattern
    // that matches every log file of the directory.
    static QString Path(const QString& directory, const QString& prefix, const QString& format,
                        const QString& extension, qint32 day);
    // The six date characters of a day in a format's order.
    static QString DatePart(const QString& format, qint32 day);
};
