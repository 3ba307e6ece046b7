#include "tools/stationdb/CreateCommand.h"

#include "stationdb/StationDatabase.h"
#include "tools/stationdb/Console.h"

#include <QCommandLineParser>

using namespace Qt::Literals::StringLiterals;

CreateCommand::CreateCommand(Console& console)
    : Command(console,
              u"usage: stationdb create DB [--name NAME]\nMakes a new, empty Station Database: a file that "
              u"does not exist yet, or a schema of a server database that holds none (made when it is not "
              u"there)."_s,
              u"create takes DB and an optional --name NAME"_s) {}

void CreateCommand::configure(QCommandLineParser& parser) const {
    parser.addOption({u"name"_s, QString(), u"NAME"_s});
}

bool CreateCommand::accepts(const QCommandLineParser& parser) const {
    return parser.positionalArguments().size() == 1;
}

int CreateCommand::run(const QCommandLineParser& parser) {
    QString problem;
    if (!StationDatabase::Create(parser.positionalArguments().first(), parser.value(u"name"_s), &problem))
        return console.Fail(problem);
    return Console::Success;
}
