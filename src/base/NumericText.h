#pragma once

#include <QString>
#include <QtGlobal>

// How the tool reads a number out of a text, and how it rounds one.
class NumericText {
public:
    // The numeric value of a text: the number at its start, blanks ignored, read up
    // to the first character that cannot continue a number. "12:30" is 12, " 5" is 5,
    // "-3.5x" is -3.5, an empty text or one that does not start with a number is 0.
    static double Value(QStringView text);

    // Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2).
    // Values beyond half the range of qint64 stop at that bound; infinities and
    // not-a-number give 0.
    static qint64 RoundHalfEven(double value);
    // The whole part (rounded toward zero), bounded as above.
    static qint64 WholePart(double value);

    // The numeric value of a text as a whole number, rounded as above.
    static qint64 WholeValue(QStringView text) { return RoundHalfEven(Value(text)); }
};
