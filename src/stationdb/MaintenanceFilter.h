#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

// The filters that select rows of the advert information table, such as
//   [ItemType]=4 AND [HDReference]='0034'
//   [ItemType]=4 AND [ItemSource]=2 AND [LastUpdated]<=#03-07-2011#
// A filter is conditions joined by AND; a condition is a column of the table in
// brackets, a comparison (= <> < <= > >=) and a value: a whole number, a text in
// single quotes ('' stands for a quote) or a date between # signs, month first
// (mm-dd-yyyy, optionally followed by hh:nn:ss). An empty filter selects every row.
// Anything else is refused, so a value can never become part of the query itself.
class MaintenanceFilter {
public:
    struct Condition {
        QString Column;
        QString Comparison;
        QVariant Value; // qint64, QString, or for dates the text "yyyy-MM-dd hh:mm:ss"
    };

    // The conditions of a filter, or nothing when it is refused (with the reason).
    static std::optional<QList<Condition>> Parse(const QString& filter, QString* problem = nullptr);

    // The WHERE clause of the conditions, with "?" for each value in order.
    static QString WhereClause(const QList<Condition>& conditions);

    static const QStringList& Columns();
};
