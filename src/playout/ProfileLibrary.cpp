#include "playout/ProfileLibrary.h"

#include "playout/FileTools.h"
#include "playout/OperatorSeam.h"

#include <QDir>

QString ProfileLibrary::ProductFolder() {
    return FileTools::SpecialFolder(FileTools::CommonAppData) + QStringLiteral("/Kestrane/Ostrel v3");
}

QString ProfileLibrary::ProfileFolder(const QString& profile) {
    return ProductFolder() + QStringLiteral("/Profiles/") + profile;
}

QString ProfileLibrary::ToolProfileFolder(const QString& tool, const QString& profile) {
    return ProductFolder() + QStringLiteral("/Tools/") + tool + QStringLiteral("/Profiles/") + profile;
}

QStringList ProfileLibrary::Profiles() const {
    QStringList names =
        QDir(ProductFolder() + QStringLiteral("/Profiles")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    names.sort(Qt::CaseInsensitive);
    return names;
}

QString ProfileLibrary::ChooseProfile(const QString& suggestion) const {
    return OperatorSeam::Current().ChooseProfile(Profiles(), suggestion);
}
