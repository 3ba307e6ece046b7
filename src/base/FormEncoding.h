#pragma once

#include <QString>
#include <optional>

// The tool's internet functions; the import uses the URL decoding only.
class FormEncoding {
public:
    // Turns form-encoded text back into plain text: "+" becomes a blank and each
    // "%" with two hexadecimal digits the Windows-1252 character of that code.
    // Nothing when an escape is not followed by two hexadecimal digits.
    std::optional<QString> Decode(const QString& encoded) const;
};
