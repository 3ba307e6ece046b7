#include "tools/stationdb/ListCommand.h"

#include "stationdb/DatabaseError.h"
#include "stationdb/StationDatabase.h"
#include "tools/stationdb/Console.h"

#include <QCommandLineParser>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace {

QString cellText(const QJsonValue& value) {
    return value.isString()
               ? value.toString()
               : QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact))
                     .mid(1)
                     .chopped(1);
}

} // namespace

ListCommand::ListCommand(Console& console, QString usage, QString misuse, QStringList columns)
    : Command(console, std::move(usage), std::move(misuse)), columns(std::move(columns)) {}

void ListCommand::configure(QCommandLineParser& parser) const {
    parser.addOption(QCommandLineOption(u"json"_s));
}

bool ListCommand::accepts(const QCommandLineParser& parser) const {
    return parser.positionalArguments().size() == 1;
}

int ListCommand::run(const QCommandLineParser& parser) {
    StationDatabase db;
    if (!open(db, parser.positionalArguments().first()))
        return Console::Failure;
    const std::optional<QJsonArray> found = read(db);
    if (!found)
        return Console::Failure;
    if (!parser.isSet(u"json"_s))
        printTable(*found);
    else if (found->isEmpty())
        console.Out() << "[]\n";
    else
        console.Out() << QJsonDocument(*found).toJson(QJsonDocument::Indented);
    return Console::Success;
}

std::optional<QJsonArray> ListCommand::read(StationDatabase& db) {
    db.ClearReadFailure();
    try {
        const QJsonArray found = rows(db);
        if (db.ReadFailure().IsWritten())
            return found;
        console.Fail(u"the Station Database could not be read: "_s + db.ReadFailure().Problem);
    } catch (const DatabaseError& error) {
        console.Fail(error.Message());
    }
    return std::nullopt;
}

void ListCommand::printTable(const QJsonArray& rows) {
    QList<QStringList> cells{columns};
    for (const QJsonValue& row : rows) {
        QStringList line;
        for (const QString& column : columns)
            line.append(cellText(row.toObject().value(column)));
        cells.append(line);
    }
    QList<qsizetype> widths(columns.size(), 0);
    for (const QStringList& line : cells) {
        for (qsizetype i = 0; i < line.size(); ++i)
            widths[i] = std::max(widths[i], line[i].size());
    }
    for (const QStringList& line : cells) {
        QStringList padded;
        for (qsizetype i = 0; i < line.size(); ++i)
            padded.append(line[i].leftJustified(widths[i]));
        console.Out() << padded.join(u"  "_s).trimmed() << Qt::endl;
    }
}
