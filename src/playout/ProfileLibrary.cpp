#include "playout/ProfileLibrary.h"

#include "base/FileTools.h"
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
    const QStringList profiles = Profiles();
    const QString chosen = OperatorSeam::Current().ChooseProfile(profiles, suggestion);
    if (chosen.isEmpty())
        return chosen;
    QString problem;
    const QString profile = FindOrCreate(chosen, &problem);
    if (profile.isEmpty())
        OperatorSeam::Message(problem, Operator::Exclamation);
    return profile;
}

QString ProfileLibrary::FindOrCreate(const QString& name, QString* problem) const {
    for (const QString& profile : Profiles()) {
        if (profile.compare(name, Qt::CaseInsensitive) == 0)
            return profile;
    }
    return CreateProfile(name, problem) ? name : QString();
}

bool ProfileLibrary::CreateProfile(const QString& name, QString* problem) {
    QString reason = FileTools::NameProblem(name);
    if (reason.isEmpty() && FileTools::FolderExists(ProfileFolder(name)))
        reason = QStringLiteral("There is already a profile called '%1'").arg(name);
    if (reason.isEmpty() && !FileTools::CreateFolder(ProfileFolder(name)))
        reason = QStringLiteral("The profile folder '%1' could not be created").arg(ProfileFolder(name));
    if (problem)
        *problem = reason;
    return reason.isEmpty();
}
