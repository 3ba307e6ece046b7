#include "tools/stationdb/StationAdmin.h"

#include "tools/stationdb/AdvertInfoCommand.h"
#include "tools/stationdb/CartsCommand.h"
#include "tools/stationdb/CreateCommand.h"
#include "tools/stationdb/FormatTestCommand.h"
#include "tools/stationdb/LogCommand.h"
#include "tools/stationdb/ProfileCommand.h"
#include "tools/stationdb/SettingsCommand.h"
#include "tools/stationdb/ValuesCommand.h"

#include <QHash>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString mainUsage = u"usage: stationdb COMMAND ...\n"
                          u"  create DB [--name NAME]            make a new, empty Station Database\n"
                          u"  settings DB [NAME | NAME=VALUE ...] list, show or set station settings\n"
                          u"  carts import DB FILE.csv            add or replace carts from a CSV file\n"
                          u"  carts list DB [--json]              list the carts\n"
                          u"  log DB [--from WHEN] [--to WHEN] [--json]  the Scheduled Log\n"
                          u"  adinfo DB [--json]                  the advert information table\n"
                          u"  values DB [--json]                  the stored values\n"
                          u"  profile NAME --database DATABASE    make or set a profile that opens DATABASE\n"
                          u"  format test NAME FILE               read a sample advert log through a format\n"
                          u"DB is the path of a Station Database file, or a server database:\n"
                          u"postgresql://user@host:port/dbname?schema=NAME (the password, if the\n"
                          u"server asks for one, from ~/.pgpass or PGPASSFILE). Every command takes --help;\n"
                          u"--help, -h or /? alone gives this text. OSTREL_HOME, when set, holds the\n"
                          u"profiles and databases the program and profile use."_s;

template <class Subcommand> std::unique_ptr<Command> make(Console& console) {
    return std::make_unique<Subcommand>(console);
}

const QHash<QString, std::unique_ptr<Command> (*)(Console&)> commands = {
    {u"create"_s, make<CreateCommand>},     {u"settings"_s, make<SettingsCommand>},
    {u"carts"_s, make<CartsCommand>},       {u"log"_s, make<LogCommand>},
    {u"adinfo"_s, make<AdvertInfoCommand>}, {u"values"_s, make<ValuesCommand>},
    {u"profile"_s, make<ProfileCommand>},   {u"format"_s, make<FormatTestCommand>},
};

} // namespace

int StationAdmin::Run(const QStringList& arguments) {
    if (arguments.isEmpty())
        return console.Fail(u"no command given (try --help)"_s, Console::Misuse);
    const QString& name = arguments.first();
    if (QStringList{u"--help"_s, u"-h"_s, u"/?"_s}.contains(name))
        return console.Usage(mainUsage);
    const std::unique_ptr<Command> found = command(name);
    if (!found)
        return console.Fail(u"unknown command '%1' (try --help)"_s.arg(name), Console::Misuse);
    return found->Run(arguments.mid(1));
}

std::unique_ptr<Command> StationAdmin::command(const QString& name) {
    const auto maker = commands.value(name);
    return maker ? maker(console) : nullptr;
}
