#include "base/LibraryTrace.h"

namespace {
std::function<void(const QString&)>& writer() {
    static std::function<void(const QString&)> w;
    return w;
}
} // namespace

void LibraryTrace::SetWriter(std::function<void(const QString&)> w) {
    writer() = std::move(w);
}

void LibraryTrace::Write(const QString& text) {
    if (writer())
        writer()(text);
}
