#pragma once

#include <QByteArrayView>

// Telling a UTF-8 file from a Windows-1252 one when it carries no byte-order mark.
class Utf8Text {
public:
    // True when the bytes are valid UTF-8 and hold at least one multi-byte sequence.
    //
    // The limit of the rule: a Windows-1252 file whose bytes happen to form valid
    // UTF-8 (the two characters "Ã©" typed on purpose are the bytes of "é" in UTF-8)
    // is taken for UTF-8. Such pairs are all but unknown in the titles and notes of
    // a station's logs, while UTF-8 files are common.
    static bool HoldsMultiByteText(QByteArrayView bytes);
};
