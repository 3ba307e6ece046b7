#pragma once

#include "stationdb/InfoRow.h"
#include "stationdb/InfoRows.h"

#include <QSqlDatabase>
#include <optional>

class StationWriter;

// The Station Database's information about scheduled carts (the advert
// information table), and the emptying of all such information.
class DatabaseMaintenance {
public:
    DatabaseMaintenance(const QSqlDatabase& connection, StationWriter& writer)
        : connection(connection), writer(&writer) {}

    // The rows a filter selects (see MaintenanceFilter), in ID order, or nothing when
    // it selects none. Throws DatabaseError for a filter it refuses or a failed read.
    // The mode says what the rows are wanted for (update or purge); all modes read alike.
    std::optional<InfoRows> Query(const QString& filter, int mode = 0) const;
    // Updates the row with this ID, or adds the row as a new one for ID 0.
    bool Save(qint64 id, const InfoRow& row) const;
    // Brings every row of the row's type and reference up to the row's values, or
    // adds it when there is none: one row per cart, however often it is stamped.
    // Inside a transaction already open, it is part of that one.
    bool Stamp(const InfoRow& row) const;
    bool Delete(qint64 id) const;
    // Removes all song, link and advert information.
    bool EmptyDatabase() const;

private:
    QSqlDatabase connection;
    StationWriter* writer;
};
