#include "importers/advert/AdvertInformation.h"

#include "base/Clock.h"
#include "base/NumericText.h"
#include "stationdb/CartSet.h"
#include "stationdb/DatabaseError.h"
#include "stationdb/StationDatabase.h"

#include <QLocale>

using namespace Qt::Literals::StringLiterals;

InfoRow AdvertInformation::RowOf(const Cart& cart, const QDateTime& now) {
    InfoRow row;
    row.LastUpdated = now;
    row.ItemType = 4;
    row.ItemSource = 2;
    row.CartNumber = qint32(NumericText::Value(cart.Number));
    row.HDReference = cart.Number;
    row.Title = cart.Title;
    row.Text1 = cart.Text1;
    row.Detail1 = cart.Detail1;
    row.Value1 = cart.Value1;
    row.Value2 = cart.Value2;
    row.Detail2 = cart.Detail2;
    row.Measure1 = cart.Measure1;
    row.AudioLength = cart.AudioLength;
    row.Measure2 = cart.Measure2;
    row.Measure3 = cart.Measure3;
    return row;
}

CartSet AdvertInformation::earlier(StationDatabase& db, const CartSet& pushed, const ScheduleDate& today) {
    // The carts this push wrote were stamped with their hours; those of earlier
    // pushes are found in the Scheduled Log, so that their rows are kept.
    CartSet carts;
    QStringList others;
    for (const QString& number : db.Log().PushedAdvertCarts(ScheduledLog::LocateHour({today.Day, 0}))) {
        if (pushed.IndexOf(number) == 0)
            others.append(number);
    }
    const QHash<QString, Cart> found = db.Carts().GetMany(others);
    for (const QString& number : others) {
        if (found.contains(number))
            carts.Add(found.value(number));
    }
    return carts;
}

bool AdvertInformation::Refresh(StationDatabase& db, const CartSet& pushed, const ScheduleDate& today) {
    // One change, whole or not at all: a refresh cut short leaves the table as it
    // was, and a second run refreshing at the same time waits for its turn instead
    // of finding a cart's row missing and adding it a second time.
    return db.Change([&](QString&) {
        try {
            return refresh(db, earlier(db, pushed, today));
        } catch (const DatabaseError&) {
            return false; // the connection's last error says why
        }
    });
}

bool AdvertInformation::refresh(StationDatabase& db, const CartSet& carts) {
    const DatabaseMaintenance table = db.Maintenance();
    const QDateTime now = Clock::Now();
    for (int i = 1; i <= carts.Count(); ++i) {
        if (!table.Stamp(RowOf(carts.Item(i), now)))
            return false;
    }
    const QString weekAgo = now.date().addDays(-7).toString(u"MM-dd-yyyy"_s);
    auto old = table.Query(u"[ItemType]=4 AND [ItemSource]=2 AND [LastUpdated]<=#"_s + weekAgo + u"#"_s, 3);
    for (const InfoRow* row = old ? old->First() : nullptr; row; row = old->Next()) {
        if (!table.Delete(row->ID))
            return false;
    }
    return db.SetValue(u"Adverts.InfoLastUpdated"_s, QLocale().toString(now, QLocale::ShortFormat));
}
