#pragma once

#include <QString>
#include <QStringList>

// The README's Installing lines that set a station up from the command line, as a
// reader copies them: from the line that defines `as` up to the line that imports
// the carts. Script() makes them run in a test's home with the built programs: `as`
// runs a program with OSTREL_HOME set to the home (the README's runs it as the
// package's user), and the folders the lines name (/var/lib/logimporter, /srv/logs)
// are the home's.
class ReadmeInstalling {
public:
    // The lines, as the README gives them; empty when the README no longer has them.
    static QStringList Lines();
    // A bash script of the lines. `programs` is the folder of the built programs;
    // `logs` takes the place of /srv/logs.
    static QString Script(const QString& home, const QString& logs, const QString& programs);
};
