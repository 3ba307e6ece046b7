#include "tools/stationdb/CartListCommand.h"

#include "stationdb/StationDatabase.h"

#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace {

QJsonObject cartObject(const Cart& cart) {
    return {{u"Number"_s, cart.Number},
            {u"Title"_s, cart.Title},
            {u"Text1"_s, cart.Text1},
            {u"Text2"_s, cart.Text2},
            {u"Type"_s, cart.Type},
            {u"Flag"_s, cart.Flag ? 1 : 0},
            {u"Length"_s, double(cart.Length)},
            {u"AudioLength"_s, double(cart.AudioLength)},
            {u"Detail1"_s, cart.Detail1},
            {u"Detail2"_s, cart.Detail2},
            {u"Value1"_s, cart.Value1},
            {u"Value2"_s, cart.Value2},
            {u"Measure1"_s, double(cart.Measure1)},
            {u"Measure2"_s, double(cart.Measure2)},
            {u"Measure3"_s, double(cart.Measure3)}};
}

} // namespace

CartListCommand::CartListCommand(Console& console)
    : ListCommand(console, u"usage: stationdb carts list DB [--json]\nThe carts, by number."_s,
                  u"carts list takes DB and an optional --json"_s,
                  {u"Number"_s, u"Type"_s, u"Flag"_s, u"AudioLength"_s, u"Title"_s}) {}

QJsonArray CartListCommand::rows(StationDatabase& db) const {
    QJsonArray rows;
    for (const Cart& cart : db.Carts().All())
        rows.append(cartObject(cart));
    return rows;
}
