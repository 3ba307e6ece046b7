#pragma once

#include "tools/stationdb/ListCommand.h"

// carts list: the carts, by number.
class CartListCommand : public ListCommand {
public:
    explicit CartListCommand(Console& console);

protected:
    QJsonArray rows(StationDatabase& db) const override;
};
