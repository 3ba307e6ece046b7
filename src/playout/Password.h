#pragma once

#include <QString>

// How the directory keeps a user's password: an Argon2id hash in libsodium's text
// form ("$argon2id$..."), with a salt of its own, never the password itself. The
// form kept before (the SHA-256 hex of the user's identifier and password) is still
// recognised, so that its user can log in once and have it replaced.
class Password {
public:
    // The Argon2id form of a password, at the interactive limits; "" when it could
    // not be made (the memory it needs was refused).
    static QString Hash(const QString& password);
    // Whether `password` is the one `stored` was made from, compared in constant
    // time. `guid` is the user's identifier, which the older form was made with.
    static bool Matches(const QString& stored, const QString& guid, const QString& password);
    // Whether `stored` is in the older form and should be replaced.
    static bool IsOlderForm(const QString& stored);
};
