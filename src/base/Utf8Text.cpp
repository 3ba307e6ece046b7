#include "base/Utf8Text.h"

namespace {

// The length of the sequence a lead byte starts and the bits it gives, or 0 for a
// byte that cannot lead one (a continuation byte, or one of an overlong two-byte
// form, or above the last code point).
int sequenceLength(unsigned char lead, char32_t& value) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        value = lead & 0x1F;
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        value = lead & 0x0F;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        value = lead & 0x07;
        return 4;
    }
    return 0;
}

bool validCodePoint(char32_t value, int length) {
    if (length == 3)
        return value >= 0x800 && (value < 0xD800 || value > 0xDFFF);
    if (length == 4)
        return value >= 0x10000 && value <= 0x10FFFF;
    return true;
}

} // namespace

bool Utf8Text::HoldsMultiByteText(QByteArrayView bytes) {
    bool multiByte = false;
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        char32_t value = 0;
        const int length = sequenceLength(lead, value);
        if (length == 0 || i + length > size)
            return false;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            value = (value << 6) | (next & 0x3F);
        }
        if (!validCodePoint(value, length))
            return false;
        multiByte = true;
        i += length;
    }
    return multiByte;
}
