#pragma once

#include "playout/ScheduleDate.h"

#include <QString>
#include <optional>

class iLineSource;

// Reads the hour header that begins at a "+" line, in either of its forms:
//   one line:  +23/11/10 14:00 Drive Time
//   a block:   +*...  then "Date : 23/11/10", "Hour : 14", "Clock: Drive Time"
// A date or hour that cannot be read is reported to the operator; reaching the end
// of the lines inside a block fails without a report.
class HourHeaderReader {
public:
    struct Header {
        ScheduleDate Hour;
        QString Name;
    };

    // `line` is the "+" line; the block form reads on from `more`.
    static std::optional<Header> Read(const QString& line, iLineSource& more);

private:
    static std::optional<Header> readOneLine(const QString& line);
    static std::optional<Header> readBlock(const QString& line, iLineSource& more);
};
