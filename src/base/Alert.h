#pragma once

#include <QString>
#include <functional>

// A message the operator must see, raised by code beneath the operator seam (the
// logs, temporary files). The seam installs where alerts go: a message box, or the
// standard error stream when nobody is there. Until one is installed they go to
// the standard error stream.
class Alert {
public:
    enum Kind { Exclamation, Critical };
    using Sink = std::function<void(const QString& text, Kind kind)>;

    static void Show(const QString& text, Kind kind = Exclamation);
    // Installs where alerts go; an empty sink goes back to the standard error stream.
    static void SetSink(Sink sink);
};
