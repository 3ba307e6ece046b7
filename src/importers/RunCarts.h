#pragma once

#include "stationdb/Cart.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

class StationDatabase;

// The carts of one import run, each looked up in the Station Database once: a
// day's logs name the same songs and adverts again and again.
class RunCarts {
public:
    const std::optional<Cart>& Get(StationDatabase& db, const QString& number);
    // Looks up, in one query, those of the numbers (trimmed) not looked up yet:
    // what an hour needs, before it is built.
    void Prefetch(StationDatabase& db, const QStringList& numbers);

private:
    QHash<QString, std::optional<Cart>> found;
};
