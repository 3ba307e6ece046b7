#pragma once

#include <QStringList>

// The file system's wildcard search, as the log directory scans use it: the names
// of the plain files whose names match a pattern ("*" and "?"), ignoring case on
// every platform, in name order.
class LogFileSearch {
public:
    // `pattern` is a path whose file-name part holds the wildcards. A missing
    // folder or a bad pattern finds nothing.
    static QStringList Find(const QString& pattern);
};
