#include "tools/stationdb/AdvertInfoCommand.h"

#include "stationdb/InfoRows.h"
#include "stationdb/StationDatabase.h"

#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace {

QJsonObject infoObject(const InfoRow& row) {
    return {{u"ID"_s, row.ID},
            {u"LastUpdated"_s, row.LastUpdated.toString(u"yyyy-MM-dd HH:mm:ss"_s)},
            {u"ItemType"_s, row.ItemType},
            {u"ItemSource"_s, row.ItemSource},
            {u"CartNumber"_s, row.CartNumber},
            {u"HDReference"_s, row.HDReference},
            {u"Title"_s, row.Title},
            {u"Text1"_s, row.Text1},
            {u"Detail1"_s, row.Detail1},
            {u"Value1"_s, row.Value1},
            {u"Value2"_s, row.Value2},
            {u"Detail2"_s, row.Detail2},
            {u"Measure1"_s, double(row.Measure1)},
            {u"AudioLength"_s, double(row.AudioLength)},
            {u"Measure2"_s, double(row.Measure2)},
            {u"Measure3"_s, double(row.Measure3)}};
}

} // namespace

AdvertInfoCommand::AdvertInfoCommand(Console& console)
    : ListCommand(console, u"usage: stationdb adinfo DB [--json]\nThe advert information table."_s,
                  u"adinfo takes DB and an optional --json"_s,
                  {u"ID"_s, u"LastUpdated"_s, u"ItemType"_s, u"ItemSource"_s, u"HDReference"_s, u"Title"_s}) {
}

QJsonArray AdvertInfoCommand::rows(StationDatabase& db) const {
    QJsonArray rows;
    auto found = db.Maintenance().Query(QString());
    for (const InfoRow* row = found ? found->First() : nullptr; row; row = found->Next())
        rows.append(infoObject(*row));
    return rows;
}
