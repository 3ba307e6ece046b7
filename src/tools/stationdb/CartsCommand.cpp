#include "tools/stationdb/CartsCommand.h"

#include "tools/stationdb/CartImportCommand.h"
#include "tools/stationdb/CartListCommand.h"
#include "tools/stationdb/Console.h"

#include <QCommandLineParser>

using namespace Qt::Literals::StringLiterals;

CartsCommand::CartsCommand(Console& console)
    : Command(console, u"usage: stationdb carts import DB FILE.csv | carts list DB [--json]"_s,
              u"carts takes import or list (try carts --help)"_s) {}

void CartsCommand::configure(QCommandLineParser& parser) const {
    // What follows import or list is theirs to read, --help among it.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
}

bool CartsCommand::accepts(const QCommandLineParser& parser) const {
    const QStringList arguments = parser.positionalArguments();
    return !arguments.isEmpty() && QStringList{u"import"_s, u"list"_s}.contains(arguments.first());
}

int CartsCommand::run(const QCommandLineParser& parser) {
    const QStringList arguments = parser.positionalArguments();
    if (arguments.first() == u"import")
        return CartImportCommand(console).Run(arguments.mid(1));
    return CartListCommand(console).Run(arguments.mid(1));
}
