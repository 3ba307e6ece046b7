#pragma once

#include "tools/stationdb/Command.h"

#include <QJsonArray>
#include <optional>

// A command that prints rows of a Station Database: a table of a few columns, or with
// --json every field of each row. A read that fails is said, never printed as an empty
// or a short table.
class ListCommand : public Command {
protected:
    // The columns are those of the table.
    ListCommand(Console& console, QString usage, QString misuse, QStringList columns);

    void configure(QCommandLineParser& parser) const override;
    bool accepts(const QCommandLineParser& parser) const override;
    int run(const QCommandLineParser& parser) override;
    // The rows as the database gives them; a failed read throws a DatabaseError or
    // leaves the database's read failure.
    virtual QJsonArray rows(StationDatabase& db) const = 0;

private:
    // The rows; nothing when the read failed (told on standard error).
    std::optional<QJsonArray> read(StationDatabase& db);
    void printTable(const QJsonArray& rows);

    QStringList columns;
};
