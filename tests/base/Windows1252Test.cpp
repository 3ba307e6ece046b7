#include "base/Windows1252.h"

#include <gtest/gtest.h>

TEST(Windows1252, TheUpperControlRangeMapsToItsOwnCharacters) {
    const struct {
        unsigned char byte;
        char16_t code;
    } cases[] = {{0x80, 0x20AC},
                 {0x82, 0x201A},
                 {0x85, 0x2026},
                 {0x8A, 0x0160},
                 {0x8C, 0x0152},
                 {0x8E, 0x017D},
                 {0x91, 0x2018},
                 {0x92, 0x2019},
                 {0x93, 0x201C},
                 {0x94, 0x201D},
                 {0x96, 0x2013},
                 {0x97, 0x2014},
                 {0x99, 0x2122},
                 {0x9C, 0x0153},
                 {0x9F, 0x0178},
                 // the five undefined codes stay as the control of that value
                 {0x81, 0x0081},
                 {0x8D, 0x008D},
                 {0x8F, 0x008F},
                 {0x90, 0x0090},
                 {0x9D, 0x009D},
                 // outside 0x80-0x9F it is Latin-1
                 {0x41, 0x0041},
                 {0xA3, 0x00A3},
                 {0xE9, 0x00E9},
                 {0xFF, 0x00FF}};
    for (const auto& c : cases)
        EXPECT_EQ(Windows1252::ToChar(c.byte).unicode(), c.code) << int(c.byte);
}

TEST(Windows1252, EveryByteSurvivesDecodingAndEncoding) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = Windows1252::Decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(Windows1252::Encode(text), all);
    EXPECT_EQ(Windows1252::Encode(u"\u20AC \u4E2D"), QByteArray("\x80 ?"));
}
