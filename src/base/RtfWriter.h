#pragma once

#include "base/RichText.h"

#include <QByteArray>

// Writes a document as RTF that word processors and RtfReader read back: one
// font, and each run's bold, italic, underline and size. Characters of
// Windows-1252 beyond ASCII are written as \'hh, any others as \uN.
class RtfWriter {
public:
    static QByteArray Write(const RichDocument& document);
};
