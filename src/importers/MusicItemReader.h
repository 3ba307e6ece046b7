#pragma once

#include "importers/MusicFormatContext.h"
#include "stationdb/LogItem.h"

class LineSource;

// Turns an item line ("@", "#", "A", "C", "S", "L", "W") into a Scheduled Log item.
// Columns: 1 kind, 2-8 cart, 10-42 title, 44-63 text 1, 74-75 end code, 80-84
// transition code, 101 on the URL-encoded note. An "@" line is followed by its
// continuation lines, read from `more`: text 2 from the second line, and from the
// third (when the second is not blank) the note when the line has none.
class MusicItemReader {
public:
    // The item of a line whose note (column 101 on) has been decoded already.
    static LogItem Read(const QString& line, const QString& note, LineSource& more,
                        const MusicFormatContext& context);

private:
    static void typeFromLookUp(LogItem& item, const MusicFormatContext& context);
};
