#include "app/SplashText.h"
#include "support/TempHome.h"

#include <QDir>
#include <gtest/gtest.h>

class SplashLogoTest : public TempHome {};

TEST_F(SplashLogoTest, TheLogoIsTheFirstOfFiveFilesThatExists) {
    const QString program = Path(u"Tools/Log Importer"_s);
    ASSERT_TRUE(QDir().mkpath(program));
    EXPECT_EQ(SplashText::LogoFile(program, u"logimporter"_s), QString());
    const QStringList order = {Path(u"Tools/logo.bmp"_s), Path(u"Tools/tools.bmp"_s),
                               program + u"/logo.bmp"_s, program + u"/tools.bmp"_s,
                               program + u"/logimporter.bmp"_s};
    for (const QString& file : order) {
        WriteFile(file, "BM");
        EXPECT_EQ(SplashText::LogoFile(program, u"logimporter"_s), file);
    }
}
