#include "tools/stationdb/Command.h"

#include "stationdb/StationDatabase.h"
#include "tools/stationdb/Console.h"

#include <QCommandLineParser>

using namespace Qt::Literals::StringLiterals;

Command::Command(Console& console, QString usage, QString misuse)
    : console(console), usage(std::move(usage)), misuse(std::move(misuse)) {}

int Command::Run(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{u"h"_s, u"help"_s});
    parser.addOption(help);
    configure(parser);
    // The parser skips the first argument, the program's own name.
    const bool parsed = parser.parse(QStringList{u"stationdb"_s} + arguments);
    if (parser.isSet(help))
        return showUsage();
    if (!parsed || !accepts(parser))
        return console.Fail(misuse, Console::Misuse);
    return run(parser);
}

void Command::configure(QCommandLineParser&) const {}

int Command::showUsage() {
    return console.Usage(usage);
}

bool Command::open(StationDatabase& db, const QString& location) {
    if (db.OpenLocation(location) == StationDatabase::Opened)
        return true;
    console.Fail(db.OpenProblem());
    return false;
}
