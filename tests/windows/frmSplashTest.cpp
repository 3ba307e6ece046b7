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

TEST_F(frmSplashTest, EveryStartUpPictureHasAnOffAndAnOnFace) {
    for (const QString& stage : {u"local"_s, u"playout"_s, u"security"_s}) {
        const QImage off = frmSplash::Picture(stage).toImage();
        const QImage on = frmSplash::Picture(stage + u"on"_s).toImage();
        ASSERT_FALSE(off.isNull()) << stage.toStdString();
        ASSERT_FALSE(on.isNull()) << stage.toStdString();
        EXPECT_NE(off, on) << stage.toStdString();
    }
    EXPECT_TRUE(frmSplash::Picture(u"unknown"_s).isNull());
}

TEST_F(frmSplashTest, TheActionLineAndTheVersionAreShown) {
    splash.SetCurrentAction(u"Loading Audio Settings Profile"_s);
    EXPECT_EQ(Label(u"lblStatus"_s)->text(), u"Loading Audio Settings Profile");
    EXPECT_TRUE(Label(u"lblVersion"_s)->text().startsWith(u"Version "_s));
    splash.SetFloating(true);
    EXPECT_TRUE(splash.Floating());
    EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
}
