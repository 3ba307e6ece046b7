#include "playout/CartStore.h"

#include "playout/TransactionGuard.h"

#include <QSqlQuery>
#include <QVariant>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString columns =
    u"Number, Title, Text1, Text2, CartType, LookupFlag, Length, AudioLength, Detail1, Detail2, "
    u"Value1, Value2, Measure1, Measure2, Measure3"_s;

Cart readCart(const QSqlQuery& query) {
    Cart cart;
    cart.Number = query.value(0).toString();
    cart.Title = query.value(1).toString();
    cart.Text1 = query.value(2).toString();
    cart.Text2 = query.value(3).toString();
    cart.Type = query.value(4).toInt();
    cart.Flag = query.value(5).toInt() != 0;
    cart.Length = query.value(6).toFloat();
    cart.AudioLength = query.value(7).toFloat();
    cart.Detail1 = query.value(8).toString();
    cart.Detail2 = query.value(9).toString();
    cart.Value1 = qint16(query.value(10).toInt());
    cart.Value2 = qint16(query.value(11).toInt());
    cart.Measure1 = query.value(12).toFloat();
    cart.Measure2 = query.value(13).toFloat();
    cart.Measure3 = query.value(14).toFloat();
    return cart;
}

} // namespace

std::optional<Cart> CartStore::Get(const QString& number) const {
    QSqlQuery query(connection);
    query.setForwardOnly(true);
    query.prepare(u"SELECT "_s + columns + u" FROM Carts WHERE Number = ?"_s);
    query.addBindValue(number);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return readCart(query);
}

bool CartStore::Save(const QList<Cart>& carts) const {
    TransactionGuard transaction(connection);
    if (!transaction.IsOpen())
        return false;
    QSqlQuery remove(connection);
    remove.prepare(u"DELETE FROM Carts WHERE Number = ?"_s);
    QSqlQuery insert(connection);
    insert.prepare(u"INSERT INTO Carts ("_s + columns +
                   u") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
    for (const Cart& cart : carts) {
        remove.addBindValue(cart.Number);
        const QList<QVariant> values = {cart.Number,
                                        cart.Title,
                                        cart.Text1,
                                        cart.Text2,
                                        cart.Type,
                                        int(cart.Flag),
                                        double(cart.Length),
                                        double(cart.AudioLength),
                                        cart.Detail1,
                                        cart.Detail2,
                                        int(cart.Value1),
                                        int(cart.Value2),
                                        double(cart.Measure1),
                                        double(cart.Measure2),
                                        double(cart.Measure3)};
        for (const QVariant& value : values)
            insert.addBindValue(value);
        if (!remove.exec() || !insert.exec())
            return false;
    }
    return transaction.Commit();
}

QList<Cart> CartStore::All() const {
    QList<Cart> carts;
    QSqlQuery query(connection);
    query.setForwardOnly(true);
    if (!query.exec(u"SELECT "_s + columns + u" FROM Carts ORDER BY Number"_s))
        return carts;
    while (query.next())
        carts.append(readCart(query));
    return carts;
}
