#include "base/Windows1252.h"

#include <array>

namespace {

// 0x80-0x9F; 0 marks the five codes the code page leaves undefined, which map to
// the C1 control of the same value.
constexpr std::array<char16_t, 32> upperControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

QChar Windows1252::ToChar(unsigned char byte) {
    if (byte < 0x80 || byte > 0x9F)
        return QChar(char16_t(byte));
    const char16_t mapped = upperControls[byte - 0x80];
    return QChar(mapped ? mapped : char16_t(byte));
}

QString Windows1252::Decode(QByteArrayView bytes) {
    QString text;
    text.resize(bytes.size());
    QChar* out = text.data();
    for (const char byte : bytes)
        *out++ = ToChar(static_cast<unsigned char>(byte));
    return text;
}

QByteArray Windows1252::Encode(QStringView text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t code = ch.unicode();
        if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
            bytes.append(static_cast<char>(code));
            continue;
        }
        char byte = '?';
        for (int i = 0; i < int(upperControls.size()); ++i) {
            const char16_t mapped = upperControls[i] ? upperControls[i] : char16_t(0x80 + i);
            if (mapped == code) {
                byte = static_cast<char>(0x80 + i);
                break;
            }
        }
        bytes.append(byte);
    }
    return bytes;
}
