#include "base/Windows1252.h"

#include <gtest/gtest.h>

TEST(Windows1252, EveryByteSurvivesDecodingAndEncoding) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = Windows1252::Decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(Windows1252::Encode(text), all);
    EXPECT_EQ(Windows1252::Encode(u"\u20AC \u4E2D"), QByteArray("\x80 ?"));
}
