#pragma once

#include <QString>

// A Station Database as the chooser lists it: its name and the file or server
// database it is in.
struct DatabaseInfo {
    QString Name;
    QString Location;

    bool operator==(const DatabaseInfo&) const = default;
};
