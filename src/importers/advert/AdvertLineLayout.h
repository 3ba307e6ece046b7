#pragma once

#include <QString>
#include <optional>

// The advert log line format. Each line is one advert; the adverts of a break share
// its start time. Lines come in four layouts (native, short-time, prefixed and
// C-record); every reader first rewrites a line into the native layout, then cuts
// its field from fixed columns:
//   1-8 time hh:mm:ss | 10-13 type | 15-22 cart | 24-53 title | 55-58 length |
//   60-99 reference | 101- notes (URL form-encoded)
class AdvertLineLayout {
public:
    enum Layout { Native, ShortTime, Prefixed, CRecord };
    // The layout a line is in, by its marks: "C" and a colon at 6 (C-record), a bar
    // at 5 (prefixed) or at 6 (short time); native otherwise.
    static Layout LayoutOf(const QString& advertLine);
    // The name of the layout's description shipped with the program.
    static QString LayoutName(Layout layout);
    static QString NormaliseAdvertLine(const QString& advertLine);

    // hh * 3600 + mm * 60 + ss; -1 for an empty line.
    static float AdvertLineSeconds(const QString& advertLine);
    // Why a line cannot be pushed, in a few words; "" when it can (and for a blank
    // line). Its time must be a time of the day, hh:mm:ss; its cart, after the
    // station's cart offset, a cart number (digits), or none when it has a title; its
    // notes must decode; and it holds no control character.
    static QString Problem(const QString& advertLine, qint32 cartOffset);
    // Why a line's time cannot be read; "" when it can (and for a blank line).
    static QString TimeProblem(const QString& advertLine);
    // Trimmed and upper-cased; "" for an empty line.
    static QString AdvertLineType(const QString& advertLine);
    // Trimmed; with an offset, the decimal text of its numeric value plus the
    // offset. "0" for an empty line.
    static QString AdvertLineCart(const QString& advertLine, qint32 offset);
    static QString AdvertLineTitle(const QString& advertLine);
    // The seconds the advert was sold for; 0 for an empty line or none given.
    static float AdvertLineLength(const QString& advertLine);
    // As it stands, padding included.
    static QString AdvertLineReference(const QString& advertLine);
    // Decoded; nothing when the notes hold a bad escape.
    static std::optional<QString> AdvertLineNotes(const QString& advertLine);

    // A line from its fields, each brought to its width (a longer text is cut, so
    // the columns after it stay in place).
    static QString BuildAdvertLine(const QString& time, const QString& type, const QString& cart,
                                   const QString& title, const QString& reference, double length,
                                   bool shortForm, const QString& notes);
    static std::optional<QString> DecodeAdvertNotes(const QString& text);

private:
    static QString columns(const QString& line, int from, int to) {
        return line.mid(from - 1, to - from + 1);
    }
    static bool isBlankLine(const QString& line) { return line.trimmed().isEmpty(); }
};
