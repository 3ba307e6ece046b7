#pragma once

#include "importers/MusicFormatContext.h"
#include "stationdb/LogItem.h"

#include <optional>

class LineSource;

// Turns an item line ("@", "#", "A", "C", "S", "L", "W") into a Scheduled Log item.
// Columns: 1 kind, 2-8 cart, 10-42 title, 44-63 text 1, 74-75 end code, 80-84
// transition code, 101 on the URL-encoded note. An "@" line is followed by its
// continuation lines, read from `more`: text 2 from the second line, and from the
// third (when the second is not blank) the note when the line has none.
class MusicItemReader {
public:
    // The item of the lines, or why they cannot be read.
    struct Reading {
        std::optional<LogItem> Item;
        QString Problem;
    };

    // The item of a line whose note (column 101 on) has been decoded already. A line
    // that holds a control character, or whose cart column holds anything but a cart
    // number (or nothing, on a line that takes its type from its cart), gives no
    // item: a scheduler does not write such a line, so the hour it is in cannot be
    // trusted. Nothing is read past the line that cannot be read.
    static Reading Read(const QString& line, const QString& note, LineSource& more,
                        const MusicFormatContext& context);

private:
    // Why the item line cannot be read; "" when it can.
    static QString problemOf(const QString& line);
    // "@" and "#" lines take their type from their cart's look-up.
    static bool takesTypeFromCart(QChar kind) { return kind == u'@' || kind == u'#'; }
    // Reads an "@" line's continuation lines into the item; why one cannot be read.
    static QString readContinuation(LogItem& item, LineSource& more);
    static void typeFromLookUp(LogItem& item, const MusicFormatContext& context);
};
