#include "base/FormEncoding.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

TEST(FormEncoding, ABadEscapeGivesNoResultAtAll) {
    const char16_t* bad[] = {u"%",   u"ab%", u"ab%4", u"%G1", u"%4G", u"%%41", u"fine %41 then %zz",
                             u"% 1", u"%-1"};
    const FormEncoding forms;
    for (const char16_t* text : bad)
        EXPECT_FALSE(forms.Decode(QString::fromUtf16(text)).has_value())
            << QString::fromUtf16(text).toStdString();
}
