#include "tools/stationdb/ValuesCommand.h"

#include "stationdb/StationDatabase.h"

#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

ValuesCommand::ValuesCommand(Console& console)
    : ListCommand(console,
                  u"usage: stationdb values DB [--json]\nThe values stored in the Station Database."_s,
                  u"values takes DB and an optional --json"_s, {u"Name"_s, u"Value"_s}) {}

QJsonArray ValuesCommand::rows(StationDatabase& db) const {
    QJsonArray rows;
    for (const auto& [name, value] : db.Values())
        rows.append(QJsonObject{{u"Name"_s, name}, {u"Value"_s, value}});
    return rows;
}
