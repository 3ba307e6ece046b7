#include "stationdb/DatabaseMaintenance.h"

#include "stationdb/DatabaseError.h"
#include "stationdb/MaintenanceFilter.h"
#include "stationdb/StationWriter.h"

#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString columns =
    u"ID, LastUpdated, ItemType, ItemSource, CartNumber, HDReference, Title, Text1, Detail1, "
    u"Value1, Value2, Detail2, Measure1, AudioLength, Measure2, Measure3"_s;
const QString timeFormat = u"yyyy-MM-dd HH:mm:ss"_s;
const QString insertRow =
    u"INSERT INTO AdvertInfo ("_s + columns +
    u") VALUES ((SELECT COALESCE(MAX(ID), 0) + 1 FROM AdvertInfo), ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s;
const QString updateRows =
    u"UPDATE AdvertInfo SET LastUpdated = ?, ItemType = ?, ItemSource = ?, CartNumber = ?, HDReference = ?, "
    u"Title = ?, Text1 = ?, Detail1 = ?, Value1 = ?, Value2 = ?, Detail2 = ?, Measure1 = ?, AudioLength = ?, "
    u"Measure2 = ?, Measure3 = ? WHERE "_s;

InfoRow readRow(const QSqlQuery& query) {
    InfoRow row;
    row.ID = query.value(0).toLongLong();
    row.LastUpdated = QDateTime::fromString(query.value(1).toString(), timeFormat);
    row.ItemType = query.value(2).toInt();
    row.ItemSource = query.value(3).toInt();
    row.CartNumber = query.value(4).toInt();
    row.HDReference = query.value(5).toString();
    row.Title = query.value(6).toString();
    row.Text1 = query.value(7).toString();
    row.Detail1 = query.value(8).toString();
    row.Value1 = qint16(query.value(9).toInt());
    row.Value2 = qint16(query.value(10).toInt());
    row.Detail2 = query.value(11).toString();
    row.Measure1 = query.value(12).toFloat();
    row.AudioLength = query.value(13).toFloat();
    row.Measure2 = query.value(14).toFloat();
    row.Measure3 = query.value(15).toFloat();
    return row;
}

// The row's values after its ID, in column order.
QList<QVariant> valuesOf(const InfoRow& row) {
    return {row.LastUpdated.toString(timeFormat),
            row.ItemType,
            row.ItemSource,
            row.CartNumber,
            row.HDReference,
            row.Title,
            row.Text1,
            row.Detail1,
            int(row.Value1),
            int(row.Value2),
            row.Detail2,
            double(row.Measure1),
            double(row.AudioLength),
            double(row.Measure2),
            double(row.Measure3)};
}

// Runs the statement with the row's values, then the extra ones; the rows it changed,
// or -1 when it failed.
int changed(QSqlQuery& query, const QString& sql, const InfoRow& row, const QList<QVariant>& extra = {}) {
    if (!query.prepare(sql))
        return -1;
    for (const QVariant& value : valuesOf(row) + extra)
        query.addBindValue(value);
    return query.exec() ? query.numRowsAffected() : -1;
}

} // namespace

std::optional<InfoRows> DatabaseMaintenance::Query(const QString& filter, int) const {
    QString problem;
    const auto conditions = MaintenanceFilter::Parse(filter, &problem);
    if (!conditions)
        throw DatabaseError(u"The filter \""_s + filter + u"\" was refused: "_s + problem);
    QString sql = u"SELECT "_s + columns + u" FROM AdvertInfo"_s;
    if (!conditions->isEmpty())
        sql += u" WHERE "_s + MaintenanceFilter::WhereClause(*conditions);
    QSqlQuery query(connection);
    query.setForwardOnly(true);
    // A statement the database could not prepare (a lock held past the wait) must
    // not run as an empty one: its own words say why.
    if (!query.prepare(sql + u" ORDER BY ID"_s))
        throw DatabaseError(u"The advert information could not be read: "_s + query.lastError().text());
    for (const auto& condition : *conditions)
        query.addBindValue(condition.Value);
    if (!query.exec())
        throw DatabaseError(u"The advert information could not be read: "_s + query.lastError().text());
    QList<InfoRow> rows;
    while (query.next())
        rows.append(readRow(query));
    if (rows.isEmpty())
        return std::nullopt;
    return InfoRows(rows);
}

bool DatabaseMaintenance::Save(qint64 id, const InfoRow& row) const {
    return writer->Run([&](QString& refusal) {
        QSqlQuery query(connection);
        const int rows = id == 0 ? changed(query, insertRow, row) : changed(query, updateRows + u"ID = ?"_s, row, {id});
        if (rows < 0)
            return false;
        if (rows != 1)
            refusal = u"there is no advert information row %1"_s.arg(id);
        return refusal.isEmpty();
    });
}

bool DatabaseMaintenance::Stamp(const InfoRow& row) const {
    return writer->Run([&](QString&) {
        QSqlQuery query(connection);
        const int rows =
            changed(query, updateRows + u"ItemType = ? AND HDReference = ?"_s, row, {row.ItemType, row.HDReference});
        return rows > 0 || (rows == 0 && changed(query, insertRow, row) == 1);
    });
}

bool DatabaseMaintenance::Delete(qint64 id) const {
    return writer->Run([&](QString& refusal) {
        QSqlQuery query(connection);
        query.prepare(u"DELETE FROM AdvertInfo WHERE ID = ?"_s);
        query.addBindValue(id);
        if (!query.exec())
            return false;
        if (query.numRowsAffected() != 1)
            refusal = u"there is no advert information row %1"_s.arg(id);
        return refusal.isEmpty();
    });
}

bool DatabaseMaintenance::EmptyDatabase() const {
    return writer->Run([this](QString&) {
        QSqlQuery query(connection);
        return query.exec(u"DELETE FROM AdvertInfo"_s);
    });
}
