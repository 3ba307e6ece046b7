#pragma once

#include "importers/MusicFormatContext.h"
#include "stationdb/LogItem.h"

#include <QString>

// Reads a break note (a ":" line): the command from column 15 sets the hour's play
// mode, or makes an item (timed events, advert breaks, splits, hooks, comments,
// links), or asks for a wait this system cannot make (noted in the context).
class BreakNoteReader {
public:
    // The address named in the message about unsupported hardware waits.
    static QString SupportAddress() { return QStringLiteral("support@logimporter.invalid"); }
    // What the operator is told of a break note that waits for hardware.
    static QString WaitForHardwareMessage();

    // True when the note made an item: `item` (new, with the line's note) is filled in. The context's mode
    // and hour flag follow the notes that set them.
    static bool Read(const QString& line, LogItem& item, MusicFormatContext& context);

private:
    static QString shortened(const QString& command);
    static void readHook(const QString& command, LogItem& item);
    static void readLink(const QString& line, const QString& command, LogItem& item,
                         const MusicFormatContext& context);
    // Seconds from the hour's start of a "mm:ss[.hh]" word, and of the minutes and
    // seconds of an "hh:mm:ss" word.
    static double minutesAndSeconds(const QString& word);
    static double timeOfDayWord(const QString& word);
};
