#pragma once

#include <QString>
#include <functional>

// Where the playout libraries write their trace lines. The tool points it at its
// debug log at start-up; until then lines go nowhere.
class LibraryTrace {
public:
    static void SetWriter(std::function<void(const QString&)> writer);
    static void Write(const QString& text);
};
