#pragma once

#include "stationdb/LogItem.h"

#include <QString>
#include <optional>

class FormEncoding;

// The columns and codes of music log lines.
class MusicLogLine {
public:
    enum Kind { Empty, HourHeader, Comment, BreakNote, ItemLine, Other };

    // The kind of a line (its leading form feed already removed).
    static Kind KindOf(const QString& line);
    // The line without one leading form feed.
    static QString WithoutFormFeed(const QString& line);

    // Columns from..to (1-based, inclusive) as they stand, and trimmed.
    static QString Columns(const QString& line, int from, int to);
    static QString Field(const QString& line, int from, int to) { return Columns(line, from, to).trimmed(); }

    // The end style of an end code ("E" 1, "F" 2, "S" 4, "SF" 8, else 0).
    static int EndStyle(const QString& code);
    // Applies the transition code of columns 80-84 (unless the item's transition is
    // already 100): the transition and bit 0 of the flags.
    static void ApplyTransitionCode(LogItem& item, const QString& line);
    // The URL-encoded note of columns 101 on, decoded; nothing when it holds a bad escape.
    static std::optional<QString> Note(const QString& line, const FormEncoding& decoder);
    // Why a line cannot be read for a control character in it (any below the blank
    // but the tab; a leading form feed is a page break, not one): which, and where.
    // "" when it holds none.
    static QString ControlCharacter(const QString& line);
    // True for a cart number as a cart column holds one: digits only.
    static bool IsCartNumber(const QString& text);
    // A cart number with an offset added to its numeric value; unchanged when the
    // number is empty or the offset 0.
    static QString OffsetCart(const QString& cart, qint32 offset);
};
