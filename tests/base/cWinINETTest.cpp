#include "base/cWinINET.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

TEST(cWinINET, DecodesPlusSignsAndEscapes) {
    const struct {
        const char16_t* encoded;
        const char16_t* decoded;
    } cases[] = {
        {u"Rock+%26+Roll", u"Rock & Roll"},
        {u"Plain text, no escapes", u"Plain text, no escapes"},
        {u"100%25", u"100%"},
        {u"%41%42", u"AB"},
        {u"%25%41", u"%A"}, // a decoded "%" does not start another escape
        {u"a+b++c", u"a b  c"},
        {u"%80uro %e9t%E9", u"\u20acuro \u00e9t\u00e9"},
        {u"%2B", u"+"},
        {u"", u""},
    };
    const cWinINET inet;
    for (const auto& c : cases) {
        const auto got = inet.URLDecode2(QString::fromUtf16(c.encoded));
        ASSERT_TRUE(got.has_value()) << QString::fromUtf16(c.encoded).toStdString();
        EXPECT_EQ(*got, QString::fromUtf16(c.decoded)) << QString::fromUtf16(c.encoded).toStdString();
    }
}

TEST(cWinINET, ABadEscapeGivesNoResultAtAll) {
    const char16_t* bad[] = {u"%",   u"ab%", u"ab%4", u"%G1", u"%4G", u"%%41", u"fine %41 then %zz",
                             u"% 1", u"%-1"};
    const cWinINET inet;
    for (const char16_t* text : bad)
        EXPECT_FALSE(inet.URLDecode2(QString::fromUtf16(text)).has_value())
            << QString::fromUtf16(text).toStdString();
}
