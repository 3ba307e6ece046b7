#include "stationdb/CartStore.h"

#include "stationdb/NativeStatement.h"
#include "stationdb/ServerStatement.h"
#include "stationdb/StationWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlQuery>
#include <QVariant>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString columns =
    u"Number, Title, Text1, Text2, CartType, LookupFlag, Length, AudioLength, Detail1, Detail2, "
    u"Value1, Value2, Measure1, Measure2, Measure3"_s;

Cart readCart(const NativeStatement& row) {
    Cart cart;
    cart.Number = row.Text(0);
    cart.Title = row.Text(1);
    cart.Text1 = row.Text(2);
    cart.Text2 = row.Text(3);
    cart.Type = row.Int(4);
    cart.Flag = row.Int(5) != 0;
    cart.Length = float(row.Double(6));
    cart.AudioLength = float(row.Double(7));
    cart.Detail1 = row.Text(8);
    cart.Detail2 = row.Text(9);
    cart.Value1 = qint16(row.Int(10));
    cart.Value2 = qint16(row.Int(11));
    cart.Measure1 = float(row.Double(12));
    cart.Measure2 = float(row.Double(13));
    cart.Measure3 = float(row.Double(14));
    return cart;
}

// The numbers of a JSON array of texts, as each database reads one.
QString numbersIn(const QSqlDatabase& connection) {
    return ServerStatement::HandleOf(connection) ? u"SELECT json_array_elements_text(CAST(? AS json))"_s
                                                 : u"SELECT value FROM json_each(?)"_s;
}

} // namespace

CartStore::CartStore(const QSqlDatabase& connection, StationWriter& writer)
    : connection(connection), writer(writer),
      byNumber(
          NativeStatement::Prepare(connection, u"SELECT "_s + columns + u" FROM Carts WHERE Number = ?"_s)),
      byNumbers(NativeStatement::Prepare(connection, u"SELECT "_s + columns +
                                                         u" FROM Carts WHERE Number IN ("_s +
                                                         numbersIn(connection) + u')')) {}

CartStore::~CartStore() = default;

std::optional<Cart> CartStore::Get(const QString& number) const {
    const StationWriter::Wait wait(writer);
    byNumber->Bind(1, number);
    std::optional<Cart> cart;
    if (byNumber->Step())
        cart = readCart(*byNumber);
    if (byNumber->Failed())
        writer.NoteReadFailure();
    byNumber->Reset();
    return cart;
}

QHash<QString, Cart> CartStore::GetMany(const QStringList& numbers) const {
    const StationWriter::Wait wait(writer);
    QHash<QString, Cart> carts;
    if (numbers.isEmpty())
        return carts;
    byNumbers->Bind(
        1,
        QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(numbers)).toJson(QJsonDocument::Compact)));
    while (byNumbers->Step()) {
        Cart cart = readCart(*byNumbers);
        carts.insert(cart.Number, cart);
    }
    if (byNumbers->Failed())
        writer.NoteReadFailure();
    byNumbers->Reset();
    return carts;
}

bool CartStore::Save(const QList<Cart>& carts) const {
    return writer.Run([&](QString&) {
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
        return true;
    });
}

QList<Cart> CartStore::All() const {
    QList<Cart> carts;
    const auto all =
        NativeStatement::Prepare(connection, u"SELECT "_s + columns + u" FROM Carts ORDER BY Number"_s);
    while (all->Step())
        carts.append(readCart(*all));
    return carts;
}
