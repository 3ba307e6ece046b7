#include "stationdb/CartTools.h"

#include "base/NumericText.h"
#include "stationdb/CartStore.h"

std::optional<Cart> CartTools::GetCart(const QString& number) const {
    const QString trimmed = number.trimmed();
    return trimmed.isEmpty() ? std::nullopt : store.Get(trimmed);
}

bool CartTools::IsCartInRange(const QString& number, const QString& start, const QString& end) {
    const double cart = NumericText::Value(number);
    const double first = NumericText::Value(start);
    const double last = NumericText::Value(end);
    return cart > 0 && first > 0 && last > 0 && cart >= first && cart <= last;
}
