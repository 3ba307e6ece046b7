#include "windows/frmSplash.h"

#include <QLabel>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

class frmSplashTest : public testing::Test {
protected:
    void SetUp() override { splash.Load(); }
    QLabel* Label(const QString& name) const { return splash.findChild<QLabel*>(name); }

    frmSplash splash;
};

TEST_F(frmSplashTest, IconsOutsideTheRowAreIgnored) {
    splash.SetNumberIcons(3);
    splash.SetIconInfo(2, u"playout"_s, u"Audio Systems"_s);
    EXPECT_EQ(splash.LastIconChangedIndex(), 2);
    EXPECT_EQ(Label(u"lblIconDescription(2)"_s)->text(), u"Audio Systems");
    EXPECT_FALSE(Label(u"imgIcon(2)"_s)->pixmap().isNull());

    splash.SetIconInfo(4, u"securityon"_s, u"User Security"_s);
    splash.SetIconInfo(0, u"localon"_s, u"Local Settings"_s);
    EXPECT_EQ(splash.LastIconChangedIndex(), 2);
    EXPECT_EQ(Label(u"lblIconDescription(4)"_s), nullptr);
    EXPECT_EQ(Label(u"lblIconDescription(1)"_s)->text(), QString());

    splash.SetNumberIcons(0);
    EXPECT_EQ(Label(u"lblIconDescription(2)"_s)->text(), QString());
    EXPECT_TRUE(Label(u"imgIcon(2)"_s)->isHidden());
}
