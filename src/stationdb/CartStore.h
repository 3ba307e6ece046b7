#pragma once

#include "stationdb/Cart.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QStringList>
#include <memory>
#include <optional>

class NativeStatement;
class StationWriter;

// The cart store of one open Station Database.
class CartStore {
public:
    CartStore(const QSqlDatabase& connection, StationWriter& writer);
    ~CartStore();

    // The cart with exactly this number, or nothing.
    std::optional<Cart> Get(const QString& number) const;
    // The carts of these numbers that exist, by number, in one query.
    QHash<QString, Cart> GetMany(const QStringList& numbers) const;
    // Adds or replaces carts by number, all in one transaction.
    bool Save(const QList<Cart>& carts) const;
    QList<Cart> All() const;

private:
    QSqlDatabase connection;
    StationWriter& writer;
    // Looking a cart up is done for nearly every item imported: prepared once.
    std::unique_ptr<NativeStatement> byNumber;
    std::unique_ptr<NativeStatement> byNumbers; // the numbers given as one JSON array
};
