// demostation: makes a demonstration station under OSTREL_HOME, with a week of
// music and advert logs from tomorrow.

#include "base/Clock.h"
#include "base/OstrelHome.h"
#include "tools/demo/DemoStation.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (!OstrelHome::IsSet()) {
        err << "demostation: set OSTREL_HOME to the folder the demo station goes in" << Qt::endl;
        return 2;
    }
    QString problem;
    if (!DemoStation::Create(Clock::Today().addDays(1), 7, &problem)) {
        err << "demostation: " << problem << Qt::endl;
        return 1;
    }
    QTextStream(stdout) << "Demo station made: " << DemoStation::DatabasePath() << Qt::endl;
    return 0;
}
