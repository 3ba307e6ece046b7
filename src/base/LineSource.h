#pragma once

#include <QString>

// Lines of text read forward one at a time, from a log file or from memory.
class LineSource {
public:
    virtual ~LineSource() = default;
    // The next line into `line`; False (and `line` empty) at the end.
    virtual bool NextLine(QString& line) = 0;
    // True when no line is left.
    virtual bool AtEnd() const = 0;
};
