#pragma once

#include "playout/DirectoryUser.h"

#include <QList>
#include <QString>
#include <optional>

// The events the tool records with the directory: who records them, and what
// happened (the numbers are the playout system's).
namespace DirectoryEvent {
enum Source : int { AudioSystem = 2, LogImporter = 4 };
enum Code : int { GlobalCueboardSettings = 15, LogAdded = 201, LogAdvertsAdded = 211 };
} // namespace DirectoryEvent

// The playout system's directory of users: who may use the tools and with what
// rights, who is logged in, and which tools are running. The default directory is
// the file "Directory/Users.ini" in the product folder: one group per user
// identifier with Name, the four rights as true or false, and the password's hash.
class Directory {
public:
    // Given by the start-up before opening.
    int DebugLevel = 0;
    QString Profile;
    int ApplicationType = 0;
    QString ApplicationName;
    int Options = 0;

    static QString DefaultFolder();

    // Reads the default directory; False when its store cannot be read.
    bool OpenDefault();
    void Close();

    // Registration of the running tool, so the directory knows it is in use.
    bool RegisterApplication(int type);
    void UnregisterApplication(int type);
    // Records an event of the running tool in the directory's event log ("Events.log"
    // in its folder); False when the directory is not open.
    bool RecordEvent(int kind, int code, const QString& text1, const QString& text2, int flag);

    // When the log-in is optional, a log-in with nobody chosen lets the operator in
    // as the station's own user, with every right.
    void SetLoginOptional(bool optional) { loginOptional = optional; }

    std::optional<DirectoryUser> FindUser(const QString& guid) const;
    const QList<DirectoryUser>& Users() const { return users; }
    // The settings dialog over the users; True when changes were accepted and stored.
    bool ShowSettings();
    // Stores the users in the default directory, replacing those it held. The file
    // holds password hashes, so only its owner may read it.
    bool SaveUsers(const QList<DirectoryUser>& changed);

    // Whether a password is the user's (see Password); a user without one takes only
    // an empty password.
    static bool PasswordMatches(const DirectoryUser& user, const QString& password);
    // A new user identifier.
    static QString NewGuid();
    bool LogIn(const DirectoryUser& user, int type, const QString& product);
    // The log-in dialog; False when it is cancelled or a wrong password is given
    // three times. With autoLogIn the only user of a one-user directory who has no
    // password is logged in without asking.
    bool InteractiveLogIn(const QString& product, bool autoLogIn);
    const std::optional<DirectoryUser>& CurrentUser() const { return currentUser; }
    void ForgetUser() { currentUser.reset(); }

private:
    QString registrationFile() const;
    static QString usersFile();
    // Replaces a password kept in the older form by its Argon2id form, once its user
    // has given it; a directory that cannot be stored keeps the older form.
    void upgradePassword(const DirectoryUser& user, const QString& password);

    bool open = false;
    bool loginOptional = false;
    QList<DirectoryUser> users;
    std::optional<DirectoryUser> currentUser;
};
