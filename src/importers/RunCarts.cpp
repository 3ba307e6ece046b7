#include "importers/RunCarts.h"

#include "stationdb/StationDatabase.h"

const std::optional<Cart>& RunCarts::Get(StationDatabase& db, const QString& number) {
    auto cart = found.find(number);
    if (cart == found.end())
        cart = found.insert(number, db.CartTools().GetCart(number));
    return *cart;
}

void RunCarts::Prefetch(StationDatabase& db, const QStringList& numbers) {
    QStringList wanted;
    for (const QString& number : numbers) {
        const QString trimmed = number.trimmed();
        if (!trimmed.isEmpty() && !found.contains(trimmed) && !wanted.contains(trimmed))
            wanted.append(trimmed);
    }
    if (wanted.isEmpty())
        return;
    const QHash<QString, Cart> carts = db.Carts().GetMany(wanted);
    if (!db.ReadFailure().IsWritten())
        return; // not read is not missing: each is looked up again when it is needed
    for (const QString& number : wanted)
        found.insert(number, carts.contains(number) ? std::optional<Cart>(carts[number]) : std::nullopt);
}
