#include "app/SplashText.h"
#include "support/TempHome.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

WindowsVersionInfo version(int platform, int major, int minor, int productType = 1) {
    WindowsVersionInfo info;
    info.PlatformId = platform;
    info.Major = major;
    info.Minor = minor;
    info.ProductType = productType;
    return info;
}

} // namespace

TEST(SplashText, PlatformLabelsFollowTheVersionTable) {
    const QString design = u"Platform"_s;
    const QList<std::tuple<WindowsVersionInfo, QString>> cases = {
        {version(1, 4, 0), u"Windows 95"_s},
        {version(1, 4, 10), u"Windows 98"_s},
        {version(1, 4, 90), design},
        {version(2, 3, 51), u"Windows NT v3.51"_s},
        {version(2, 4, 0), u"Windows NT v4"_s},
        {version(2, 5, 0), u"Windows 2000"_s},
        {version(2, 5, 1), u"Windows XP/2003"_s},
        {version(2, 5, 2, 3), u"Windows XP/2003"_s},
        {version(2, 6, 0, 1), u"Windows Vista"_s},
        {version(2, 6, 0, 3), u"Windows Server 2008"_s},
        {version(2, 6, 1, 1), u"Windows 7"_s},
        {version(2, 6, 1, 3), u"Windows Server 2008 R2"_s},
        {version(2, 10, 0), design},
        {version(0, 0, 0), design}, // no Windows record: the design caption stays
    };
    for (const auto& [info, label] : cases)
        EXPECT_EQ(SplashText::PlatformLabel(info, design), label)
            << info.PlatformId << " " << info.Major << "." << info.Minor << " type " << info.ProductType;
}

TEST(SplashText, TheServicePackEndsAtANullOrAComma) {
    EXPECT_EQ(SplashText::ServicePack(u"Service Pack 2, v.3264"_s), u"Service Pack 2");
    EXPECT_EQ(SplashText::ServicePack(u"Service Pack 1\0garbage, more"_s), u"Service Pack 1");
    EXPECT_EQ(SplashText::ServicePack(QString()), QString());
}

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
