#pragma once

#include "playout/Cart.h"

#include <QList>
#include <QSqlDatabase>
#include <optional>

// The cart store of one open Station Database.
class CartStore {
public:
    explicit CartStore(const QSqlDatabase& connection) : connection(connection) {}

    // The cart with exactly this number, or nothing.
    std::optional<Cart> Get(const QString& number) const;
    // Adds or replaces carts by number, all in one transaction.
    bool Save(const QList<Cart>& carts) const;
    QList<Cart> All() const;

private:
    QSqlDatabase connection;
};
