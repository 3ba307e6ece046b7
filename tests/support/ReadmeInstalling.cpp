#include "support/ReadmeInstalling.h"

#include <QFile>

using namespace Qt::Literals::StringLiterals;

QStringList ReadmeInstalling::Lines() {
    QFile readme(QStringLiteral(README_PATH));
    if (!readme.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QStringList all = QString::fromUtf8(readme.readAll()).split(u'\n');
    const qsizetype section = all.indexOf(u"## Installing"_s);
    QStringList lines;
    for (qsizetype i = section; section >= 0 && i < all.size(); ++i) {
        const QString line = all[i].mid(4);
        if (!lines.isEmpty() && line.startsWith(u"as stationdb carts import"_s))
            return lines;
        if (!lines.isEmpty() || line.startsWith(u"as() {"_s))
            lines.append(line);
    }
    return {}; // the block did not end where it should
}

QString ReadmeInstalling::Script(const QString& home, const QString& logs, const QString& programs) {
    QStringList script{u"set -eu"_s, u"export PATH='%1':\"$PATH\""_s.arg(programs)};
    for (QString line : Lines()) {
        if (line.startsWith(u"as() {"_s))
            line = u"as() { env OSTREL_HOME='%1' \"$@\"; }"_s.arg(home);
        script.append(line.replace(u"/var/lib/logimporter"_s, home).replace(u"/srv/logs"_s, logs));
    }
    return script.join(u'\n') + u'\n';
}
