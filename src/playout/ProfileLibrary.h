#pragma once

#include <QString>
#include <QStringList>

// The playout system's profiles: each is a folder under the product folder's
// "Profiles". Also names the folders the tools keep per profile.
class ProfileLibrary {
public:
    // The all-users application data folder + "/Kestrane/Ostrel v3".
    static QString ProductFolder();
    static QString ProfileFolder(const QString& profile);
    // The product folder + "/Tools/" + tool + "/Profiles/" + profile.
    static QString ToolProfileFolder(const QString& tool, const QString& profile);

    // The profiles that exist, sorted ignoring case.
    QStringList Profiles() const;
    // Lets the operator choose a profile, suggesting one; "" when cancelled. A new
    // name chosen there is created first; when it cannot be, the operator is told why
    // and "" is returned.
    QString ChooseProfile(const QString& suggestion) const;
    // Makes the folder of a new profile. False (with the reason) when it cannot.
    static bool CreateProfile(const QString& name, QString* problem = nullptr);
    // The profile of that name, ignoring case, as it is spelt; when there is none, it
    // is made. "" (with the reason) when it cannot be.
    QString FindOrCreate(const QString& name, QString* problem) const;
};
