#include "importers/RunCarts.h"

#include "stationdb/StationDatabase.h"

const std::optional<Cart>& RunCarts::Get(StationDatabase& db, const QString& number) {
    auto cart = found.find(number);
    if (cart == found.end())
        cart = found.insert(number, db.CartTools().GetCart(number));
    return *cart;
}
