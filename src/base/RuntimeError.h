#pragma once

#include <QString>

// An error raised while the tool works, with the number and description by which
// it is reported.
struct RuntimeError {
    long Number = 0;
    QString Description;

    // The standard text of an error number, or "" for a number without one.
    static QString StandardText(long number);
};
