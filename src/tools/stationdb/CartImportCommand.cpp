#include "tools/stationdb/CartImportCommand.h"

#include "stationdb/StationDatabase.h"
#include "tools/stationdb/CartFileReader.h"
#include "tools/stationdb/Console.h"

#include <QCommandLineParser>

using namespace Qt::Literals::StringLiterals;

CartImportCommand::CartImportCommand(Console& console)
    : Command(console,
              u"usage: stationdb carts import DB FILE.csv\n"
              u"The first row names the columns (Number is needed; also "_s +
                  CartFileReader::Columns().mid(1).join(u", "_s) +
                  u"). Each further row is one cart, added or replaced by its number. A bad row stops the "
                  u"import before anything is stored.\nType is the playout system's number of the cart's "
                  u"kind: 2 jingle, 3 song, 4 advert, 5 link, 7 sweeper, 8 script, 13 cart group. Length "
                  u"above 0 says the cart has audio, AudioLength is that audio's length in seconds, and Flag "
                  u"1 makes its items always play through."_s,
              u"carts import takes DB and FILE.csv"_s) {}

bool CartImportCommand::accepts(const QCommandLineParser& parser) const {
    return parser.positionalArguments().size() == 2;
}

int CartImportCommand::run(const QCommandLineParser& parser) {
    const QStringList arguments = parser.positionalArguments();
    QString problem;
    const std::optional<QList<Cart>> carts = CartFileReader::Read(arguments[1], &problem);
    if (!carts)
        return console.Fail(problem);
    StationDatabase db;
    if (!open(db, arguments[0]))
        return Console::Failure;
    if (!db.Carts().Save(*carts))
        return console.Fail(u"the carts could not be stored: "_s + db.LastWrite().Problem);
    console.Out() << carts->size() << u" carts imported"_s << Qt::endl;
    return Console::Success;
}
