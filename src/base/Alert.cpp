#include "base/Alert.h"

#include <QTextStream>

namespace {

Alert::Sink& sink() {
    static Alert::Sink installed;
    return installed;
}

} // namespace

void Alert::Show(const QString& text, Kind kind) {
    if (sink()) {
        sink()(text, kind);
        return;
    }
    QTextStream(stderr) << text << Qt::endl;
}

void Alert::SetSink(Sink installed) {
    sink() = std::move(installed);
}
