#pragma once

#include "base/RichText.h"

#include <QByteArray>
#include <optional>

// Reads the RTF that word processors write: paragraphs and line breaks, tabs,
// bold, italic, underline, font sizes, \'hh escapes (Windows-1252), \uN escapes
// with their fallback characters, and the usual typographic symbols. Groups that
// a viewer does not show (font, colour and style tables, document information,
// pictures, headers and footers, and every \* destination) are skipped.
class RtfReader {
public:
    // Nothing when the bytes are not RTF at all (they must begin with "{\rtf").
    static std::optional<RichDocument> Read(const QByteArray& rtf);
};
