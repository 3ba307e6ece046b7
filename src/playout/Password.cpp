#include "playout/Password.h"

#include <QCryptographicHash>

#include <sodium.h>

namespace {

bool sodiumReady() {
    static const bool ready = sodium_init() >= 0;
    return ready;
}

QByteArray olderForm(const QString& guid, const QString& password) {
    const QByteArray text = (guid.toUpper() + u':' + password).toUtf8();
    return QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex();
}

} // namespace

QString Password::Hash(const QString& password) {
    if (!sodiumReady())
        return {};
    const QByteArray text = password.toUtf8();
    char hashed[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(hashed, text.constData(), quint64(text.size()), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        return {};
    return QString::fromLatin1(hashed);
}

bool Password::Matches(const QString& stored, const QString& guid, const QString& password) {
    if (!sodiumReady())
        return false;
    if (IsOlderForm(stored)) {
        const QByteArray given = olderForm(guid, password);
        const QByteArray kept = stored.toLatin1().toLower();
        return sodium_memcmp(given.constData(), kept.constData(), size_t(given.size())) == 0;
    }
    const QByteArray kept = stored.toLatin1();
    const QByteArray text = password.toUtf8();
    return crypto_pwhash_str_verify(kept.constData(), text.constData(), quint64(text.size())) == 0;
}

bool Password::IsOlderForm(const QString& stored) {
    static const QString hexDigits = QStringLiteral("0123456789abcdefABCDEF");
    if (stored.size() != 64)
        return false;
    for (const QChar c : stored) {
        if (!hexDigits.contains(c))
            return false;
    }
    return true;
}
