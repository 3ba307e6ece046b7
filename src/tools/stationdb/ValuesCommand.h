#pragma once

#include "tools/stationdb/ListCommand.h"

// values: the named values the Station Database stores.
class ValuesCommand : public ListCommand {
public:
    explicit ValuesCommand(Console& console);

protected:
    QJsonArray rows(StationDatabase& db) const override;
};
