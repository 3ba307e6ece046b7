#pragma once

#include "stationdb/LogItem.h"

#include <QList>

// An ordered list of new Scheduled Log items, counted from 1: a whole hour being
// built, or the adverts of one break.
class LogHour {
public:
    int Count() const { return int(items.size()); }
    LogItem& Item(int index) { return items[index - 1]; }
    const LogItem& Item(int index) const { return items[index - 1]; }
    void AddItem(const LogItem& item) { items.append(item); }
    void Clear() { items.clear(); }

    QList<LogItem>& Items() { return items; }
    const QList<LogItem>& Items() const { return items; }

private:
    QList<LogItem> items;
};
