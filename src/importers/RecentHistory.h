#pragma once

#include <QString>

// RecentHistory.log: the history of import runs, beside the application log.
class RecentHistory {
public:
    static constexpr qint64 SizeLimit = 500000;

    // The file's path; "" while no application log is open.
    static QString Path();
    // At the start of a run: a file of 500000 bytes or more is deleted, or when it
    // cannot be, "Couldn't delete Log File" is appended to it.
    static void ApplySizeLimit();
    static void Append(const QString& line);
};
