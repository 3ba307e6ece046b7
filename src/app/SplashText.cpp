#include "app/SplashText.h"

#include "base/FileTools.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QString windows9x(int minor, const QString& current) {
    if (minor == 0)
        return u"Windows 95"_s;
    return minor == 10 ? u"Windows 98"_s : current;
}

QString windowsNT(const WindowsVersionInfo& v, const QString& current) {
    const bool workstation = v.ProductType == 1;
    switch (v.Major) {
    case 3:
        return u"Windows NT v3."_s + QString::number(v.Minor);
    case 4:
        return u"Windows NT v"_s + QString::number(v.Major);
    case 5:
        return v.Minor == 0 ? u"Windows 2000"_s : u"Windows XP/2003"_s;
    case 6:
        if (v.Minor == 0)
            return workstation ? u"Windows Vista"_s : u"Windows Server 2008"_s;
        return workstation ? u"Windows 7"_s : u"Windows Server 2008 R2"_s;
    default:
        return current;
    }
}

} // namespace

QString SplashText::PlatformLabel(const WindowsVersionInfo& version, const QString& current) {
    if (version.PlatformId == 1)
        return windows9x(version.Minor, current);
    return version.PlatformId == 2 ? windowsNT(version, current) : current;
}

QString SplashText::ServicePack(const QString& raw) {
    return raw.section(QChar(u'\0'), 0, 0).section(u',', 0, 0);
}

QString SplashText::LogoFile(const QString& programFolder, const QString& exeName) {
    const QString above = FileTools::ParentFolder(programFolder);
    for (const QString& candidate :
         {programFolder + u'/' + exeName + u".bmp"_s, programFolder + u"/tools.bmp"_s,
          programFolder + u"/logo.bmp"_s, above + u"/tools.bmp"_s, above + u"/logo.bmp"_s}) {
        if (FileTools::FileExists(candidate))
            return candidate;
    }
    return {};
}
