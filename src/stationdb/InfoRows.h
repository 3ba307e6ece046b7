#pragma once

#include "stationdb/InfoRow.h"

#include <QList>

// The rows a query of the advert information table gave, read one by one.
class InfoRows {
public:
    explicit InfoRows(QList<InfoRow> rows) : rows(std::move(rows)) {}

    // The first row, then each following one; nullptr after the last.
    const InfoRow* First() {
        next = 0;
        return Next();
    }
    const InfoRow* Next() { return next < rows.size() ? &rows[next++] : nullptr; }
    int Count() const { return int(rows.size()); }

private:
    QList<InfoRow> rows;
    qsizetype next = 0;
};
