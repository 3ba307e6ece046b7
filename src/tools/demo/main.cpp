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

const char* const usage = R"(Usage: demostation [--replace]

Makes a demonstration station under the folder OSTREL_HOME names: the profile
"Demo" (it always opens the demo Station Database, user security off), a Station
Database with carts and settings, and a week of music and advert logs from
tomorrow, with a song and an advert whose carts have no audio and an advert whose
cart is missing.

  --replace        make the demo Station Database afresh when there is one
                   already (without it, an existing one is left as it is)
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
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool replace = arguments == QStringList{QStringLiteral("--replace")};
    if (!arguments.isEmpty() && !replace) {
        err << "demostation: unknown argument '" << arguments.first() << "' (try --help)" << Qt::endl;
        return 2;
    }
    if (!OstrelHome::IsSet()) {
        err << "demostation: set OSTREL_HOME to the folder the demo station goes in" << Qt::endl;
        return 2;
    }
    if (QFileInfo::exists(DemoStation::DatabasePath()) && !replace) {
        err << "demostation: there is a demo Station Database already ('" << DemoStation::DatabasePath()
            << "'); give --replace to make it afresh, which loses what was imported into it" << Qt::endl;
        return 1;
    }
    QString problem;
    if (!DemoStation::Create(Clock::Today().addDays(1), 7, &problem)) {
        err << "demostation: " << problem << Qt::endl;
        return 1;
    }
    out << "Demo station made: " << DemoStation::DatabasePath() << Qt::endl;
    return 0;
}
