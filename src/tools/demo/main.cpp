// demostation: makes a demonstration station under OSTREL_HOME, with a week of
// music and advert logs from tomorrow.

#include "base/Clock.h"
#include "base/CommandLineOptions.h"
#include "base/OstrelHome.h"
#include "tools/demo/DemoStation.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

namespace {

const char* const usage = R"(Usage: demostation [--replace] [--csv] [--database postgresql://...]

Makes a demonstration station under the folder OSTREL_HOME names: the profile
"Demo" (it always opens the demo Station Database, user security off), a Station
Database with carts and settings, and a week of music and advert logs from
tomorrow, with a song and an advert whose carts have no audio and an advert whose
cart is missing.

  --replace        make the demo Station Database afresh when there is one
                   already (without it, an existing one is left as it is)
  --csv            write the advert logs as comma-separated files with a header
                   row, and give the station the layout description that reads
                   them (demo-csv, in the Formats folder)
  --database LOCATION
                   make the Station Database on a PostgreSQL server, in a schema
                   that holds none yet (postgresql://user@host:port/dbname?schema=demo),
                   and list it in the profile; the file is not made
  --help, -h, /?   this text
)";

} // namespace

int main(int argc, char* argv[]) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (CommandLineOptions::AsksForHelp(argc, argv)) {
        out << usage;
        return 0;
    }
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool replace = arguments.removeAll(QStringLiteral("--replace")) > 0;
    const bool csv = arguments.removeAll(QStringLiteral("--csv")) > 0;
    QString location;
    if (arguments.size() == 2 && arguments.first() == QStringLiteral("--database"))
        location = arguments.takeLast();
    if (!arguments.isEmpty() && location.isEmpty()) {
        err << "demostation: unknown argument '" << arguments.first() << "' (try --help)" << Qt::endl;
        return 2;
    }
    if (!OstrelHome::IsSet()) {
        err << "demostation: set OSTREL_HOME to the folder the demo station goes in" << Qt::endl;
        return 2;
    }
    if (location.isEmpty() && QFileInfo::exists(DemoStation::DatabasePath()) && !replace) {
        err << "demostation: there is a demo Station Database already ('" << DemoStation::DatabasePath()
            << "'); give --replace to make it afresh, which loses what was imported into it" << Qt::endl;
        return 1;
    }
    QString problem;
    if (!DemoStation::Create(Clock::Today().addDays(1), 7, &problem, location) ||
        (csv && !DemoStation::ConvertAdvertLogsToCsv(&problem, location))) {
        err << "demostation: " << problem << Qt::endl;
        return 1;
    }
    out << "Demo station made: " << (location.isEmpty() ? DemoStation::DatabasePath() : location) << Qt::endl;
    return 0;
}
