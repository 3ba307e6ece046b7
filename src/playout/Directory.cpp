#include "playout/Directory.h"

#include "playout/Clock.h"
#include "playout/FileTools.h"
#include "playout/GeneralTools.h"
#include "playout/OperatorSeam.h"
#include "playout/ProfileLibrary.h"
#include "playout/SystemTools.h"

#include <QCoreApplication>
#include <QSettings>

QString Directory::DefaultFolder() {
    return ProfileLibrary::ProductFolder() + QStringLiteral("/Directory");
}

bool Directory::OpenDefault() {
    users.clear();
    if (!FileTools::CreateFolder(DefaultFolder()))
        return false;
    QSettings store(DefaultFolder() + QStringLiteral("/Users.ini"), QSettings::IniFormat);
    if (store.status() != QSettings::NoError)
        return false;
    for (const QString& guid : store.childGroups()) {
        store.beginGroup(guid);
        users.append({guid, store.value(QStringLiteral("Name")).toString(),
                      store.value(QStringLiteral("CanEditScheduledLog")).toBool(),
                      store.value(QStringLiteral("CanEditSettings")).toBool(),
                      store.value(QStringLiteral("CanEditStationDatabaseSettings")).toBool(),
                      store.value(QStringLiteral("CanEditDirectorySettings")).toBool()});
        store.endGroup();
    }
    open = true;
    return true;
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
    if (autoLogIn && users.size() == 1) {
        currentUser = users.front();
        return true;
    }
    const auto chosen = FindUser(OperatorSeam::Current().LogIn(users, product));
    if (!chosen)
        return false;
    currentUser = chosen;
    return true;
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
