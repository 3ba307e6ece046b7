#include "playout/Directory.h"

#include "base/Clock.h"
#include "base/FileTools.h"
#include "base/GeneralTools.h"
#include "base/SystemTools.h"
#include "playout/OperatorSeam.h"
#include "playout/Password.h"
#include "playout/ProfileLibrary.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QUuid>

namespace {

constexpr int logInTries = 3;

const QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

} // namespace

QString Directory::DefaultFolder() {
    return ProfileLibrary::ProductFolder() + QStringLiteral("/Directory");
}

QString Directory::usersFile() {
    return DefaultFolder() + QStringLiteral("/Users.ini");
}

bool Directory::OpenDefault() {
    users.clear();
    if (!FileTools::CreateFolder(DefaultFolder()))
        return false;
    // The password hashes are the owner's alone, in a file an older version left
    // readable too: narrowed at every opening, not only when a user logs in.
    QFile file(usersFile());
    if (file.exists() && file.permissions() != ownerOnly)
        file.setPermissions(ownerOnly);
    QSettings store(usersFile(), QSettings::IniFormat);
    if (store.status() != QSettings::NoError)
        return false;
    for (const QString& guid : store.childGroups()) {
        store.beginGroup(guid);
        DirectoryUser user{guid, store.value(QStringLiteral("Name")).toString()};
        for (const DirectoryRight& right : DirectoryRights)
            user.*right.Flag = store.value(QLatin1String(right.Name)).toBool();
        user.PasswordHash = store.value(QStringLiteral("Password")).toString();
        users.append(user);
        store.endGroup();
    }
    open = true;
    return true;
}

bool Directory::SaveUsers(const QList<DirectoryUser>& changed) {
    // Made (or narrowed) to the owner's reading first: the settings file is written
    // through a file that takes the mode of the one it replaces.
    QFile file(usersFile());
    if (!file.exists() && !file.open(QIODevice::WriteOnly, ownerOnly))
        return false;
    file.close();
    if (!file.setPermissions(ownerOnly))
        return false;
    QSettings store(usersFile(), QSettings::IniFormat);
    store.clear();
    for (const DirectoryUser& user : changed) {
        store.beginGroup(user.Guid);
        store.setValue(QStringLiteral("Name"), user.Name);
        for (const DirectoryRight& right : DirectoryRights)
            store.setValue(QLatin1String(right.Name), user.*right.Flag);
        if (!user.PasswordHash.isEmpty())
            store.setValue(QStringLiteral("Password"), user.PasswordHash);
        store.endGroup();
    }
    store.sync();
    if (store.status() != QSettings::NoError)
        return false;
    users = changed;
    return true;
}

bool Directory::ShowSettings() {
    QList<DirectoryUser> changed = users;
    if (!OperatorSeam::Current().EditDirectory(changed))
        return false;
    if (SaveUsers(changed))
        return true;
    OperatorSeam::Message(QStringLiteral("The directory's users could not be stored in ") + usersFile(),
                          Operator::Exclamation);
    return false;
}

bool Directory::PasswordMatches(const DirectoryUser& user, const QString& password) {
    if (user.PasswordHash.isEmpty())
        return password.isEmpty();
    return Password::Matches(user.PasswordHash, user.Guid, password);
}

void Directory::upgradePassword(const DirectoryUser& user, const QString& password) {
    if (!Password::IsOlderForm(user.PasswordHash))
        return;
    const QString hash = Password::Hash(password);
    if (hash.isEmpty())
        return;
    QList<DirectoryUser> changed = users;
    for (DirectoryUser& kept : changed) {
        if (kept.Guid == user.Guid)
            kept.PasswordHash = hash;
    }
    SaveUsers(changed);
}

QString Directory::NewGuid() {
    return QUuid::createUuid().toString(QUuid::WithBraces).toUpper();
}

void Directory::Close() {
    open = false;
    currentUser.reset();
}

QString Directory::registrationFile() const {
    return DefaultFolder() + QStringLiteral("/Applications.ini");
}

bool Directory::RegisterApplication(int type) {
    if (!open)
        return false;
    QSettings store(registrationFile(), QSettings::IniFormat);
    store.setValue(QStringLiteral("%1/%2-%3/Name")
                       .arg(type)
                       .arg(SystemTools::ComputerName())
                       .arg(QCoreApplication::applicationPid()),
                   ApplicationName);
    store.sync();
    return store.status() == QSettings::NoError;
}

void Directory::UnregisterApplication(int type) {
    QSettings store(registrationFile(), QSettings::IniFormat);
    store.remove(QStringLiteral("%1/%2-%3")
                     .arg(type)
                     .arg(SystemTools::ComputerName())
                     .arg(QCoreApplication::applicationPid()));
}

std::optional<DirectoryUser> Directory::FindUser(const QString& guid) const {
    for (const DirectoryUser& user : users) {
        if (user.Guid.compare(guid, Qt::CaseInsensitive) == 0)
            return user;
    }
    return std::nullopt;
}

bool Directory::LogIn(const DirectoryUser& user, int, const QString&) {
    if (!open)
        return false;
    currentUser = user;
    return true;
}

bool Directory::InteractiveLogIn(const QString& product, bool autoLogIn) {
    if (!open)
        return false;
    if (loginOptional) {
        currentUser = DirectoryUser{QString(), QStringLiteral("Station"), true, true, true, true};
        return true;
    }
    if (autoLogIn && users.size() == 1 && users.front().PasswordHash.isEmpty()) {
        currentUser = users.front();
        return true;
    }
    for (int tries = 0; tries < logInTries; ++tries) {
        const DirectoryLogIn given = OperatorSeam::Current().LogIn(users, product);
        const auto chosen = FindUser(given.Guid);
        if (given.Guid.isEmpty() || !chosen)
            return false;
        if (PasswordMatches(*chosen, given.Password)) {
            upgradePassword(*chosen, given.Password);
            currentUser = FindUser(given.Guid);
            return true;
        }
        OperatorSeam::Message(QStringLiteral("The password for '%1' is not correct.").arg(chosen->Name),
                              Operator::Exclamation);
    }
    return false;
}

bool Directory::RecordEvent(int kind, int code, const QString& text1, const QString& text2, int flag) {
    if (!open)
        return false;
    const QString user = currentUser ? currentUser->Name : QString();
    const QString line = QStringList{Clock::Now().toString(Qt::ISODate),
                                     ApplicationName,
                                     user,
                                     QString::number(kind),
                                     QString::number(code),
                                     text1,
                                     text2,
                                     QString::number(flag)}
                             .join(u'\t');
    return GeneralTools::AppendLineToFile(DefaultFolder() + QStringLiteral("/Events.log"), line);
}
