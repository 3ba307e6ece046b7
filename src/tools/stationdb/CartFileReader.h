#pragma once

#include "stationdb/Cart.h"

#include <QList>
#include <QStringList>
#include <optional>

// Reads carts from a CSV file. The first row names the columns, Number among them;
// each further row is one cart. A value a cart cannot hold refuses the whole file,
// naming its line, column and value.
class CartFileReader {
public:
    // The columns a file may name, Number first.
    static const QStringList& Columns();
    // The file's carts; nothing when it cannot be read or one row is refused (then *problem says why).
    static std::optional<QList<Cart>> Read(const QString& path, QString* problem);
};
