#pragma once

#include "stationdb/Cart.h"

#include <QList>

// Distinct carts, in the order they were added, counted from 1.
class CartSet {
public:
    // The place of the cart with this number, or 0 when it is not in the set.
    int IndexOf(const QString& number) const {
        for (int i = 0; i < carts.size(); ++i) {
            if (carts[i].Number == number)
                return i + 1;
        }
        return 0;
    }
    void Add(const Cart& cart) { carts.append(cart); }
    int Count() const { return int(carts.size()); }
    const Cart& Item(int index) const { return carts[index - 1]; }

private:
    QList<Cart> carts;
};
