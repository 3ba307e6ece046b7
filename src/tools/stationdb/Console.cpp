#include "tools/stationdb/Console.h"

#include <QString>

using namespace Qt::Literals::StringLiterals;

int Console::Usage(const QString& text) {
    out << text << Qt::endl;
    return Success;
}

int Console::Fail(const QString& message, Status status) {
    err << u"stationdb: "_s << message << Qt::endl;
    return status;
}

void Console::Warn(const QString& message) {
    err << u"stationdb: warning: "_s << message << Qt::endl;
}
