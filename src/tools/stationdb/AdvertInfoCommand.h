#pragma once

#include "tools/stationdb/ListCommand.h"

// adinfo: the advert information table.
class AdvertInfoCommand : public ListCommand {
public:
    explicit AdvertInfoCommand(Console& console);

protected:
    QJsonArray rows(StationDatabase& db) const override;
};
