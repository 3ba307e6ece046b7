// stationdb: sets up and inspects a Station Database without the playout system.

#include "tools/stationdb/StationAdmin.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    StationAdmin admin(out, err);
    return admin.Run(QCoreApplication::arguments().mid(1));
}
