#pragma once

#include "base/ScheduleDate.h"

#include <QString>
#include <optional>

class LineSource;

// Reads the hour header that begins at a "+" line, in either of its forms:
//   one line:  +23/11/10 14:00 Drive Time
//   a block:   +*...  then "Date : 23/11/10", "Hour : 14", "Clock: Drive Time"
// A header is unreadable when its date is not a date, its hour is not one from 0
// to 23, or the file ends inside its block (the "Clock:" line included: a header
// cut off there has lost its hour). The reader only reads; its caller tells the
// operator, since it knows the file and the line.
class HourHeaderReader {
public:
    struct Header {
        ScheduleDate Hour;
        QString Name;
    };
    enum Problem { None, BadDate, BadHour, CutShort };
    struct Result {
        std::optional<Header> Read;
        Problem Why = None;
    };

    // `line` is the "+" line; the block form reads on from `more`.
    static Result Read(const QString& line, LineSource& more);

    // The action of the operator's report of a problem ("reading the date from the
    // Music Log"); "" for a header cut short, which the operator is not told of.
    static QString Action(Problem problem);

private:
    static Result readOneLine(const QString& line);
    static Result readBlock(const QString& line, LineSource& more);
};
