#pragma once

#include <QSqlDatabase>

// The tables of a Station Database and their numbered versions. A database
// records its version; opening one brings an older version forward one numbered
// step at a time, each step in a transaction of its own.
class StationSchema {
public:
    static constexpr int CurrentVersion = 3;

    // The version a database records; -1 when it records none (not a Station
    // Database) or cannot be read.
    static int VersionOf(const QSqlDatabase& connection);

    // Applies the steps after `from` up to `to`; False when one fails (the steps
    // before it stay applied, the failed one leaves nothing).
    static bool Migrate(const QSqlDatabase& connection, int from, int to = CurrentVersion);
};
