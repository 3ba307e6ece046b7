#pragma once

#include <QString>

// A Station Database as the chooser lists it: its name and the file it is in.
struct DatabaseInfo {
    QString Name;
    QString Location;
};
