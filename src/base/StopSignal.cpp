#include "base/StopSignal.h"

#include <csignal>

using namespace Qt::Literals::StringLiterals;

namespace {

volatile std::sig_atomic_t received = 0;

extern "C" void note(int signal) {
    received = signal;
}

} // namespace

void StopSignal::Catch() {
    std::signal(SIGTERM, note);
    std::signal(SIGINT, note);
}

QString StopSignal::Received() {
    switch (received) {
    case 0:
        return {};
    case SIGTERM:
        return u"SIGTERM"_s;
    case SIGINT:
        return u"SIGINT"_s;
    }
    return u"signal %1"_s.arg(int(received));
}

void StopSignal::Reset() {
    received = 0;
}
