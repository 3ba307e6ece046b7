#pragma once

#include "stationdb/Cart.h"

#include <QString>
#include <optional>

class CartStore;

// Cart look-ups as the importers make them.
class CartTools {
public:
    explicit CartTools(const CartStore& store) : store(store) {}

    // The cart of that number (trimmed), or nothing when there is none.
    std::optional<Cart> GetCart(const QString& number) const;

    // True when the cart number's numeric value lies from start to end inclusive;
    // False when any of the three is not a number above 0.
    static bool IsCartInRange(const QString& number, const QString& start, const QString& end);

private:
    const CartStore& store;
};
