#pragma once

#include <QProcessEnvironment>
#include <QString>

// The environment of a child program run as a scheduler runs it: OSTREL_HOME set,
// the user folders (home, XDG, temp) pointed at `outside`, and no display.
QProcessEnvironment ChildEnvironment(const QString& home, const QString& outside);
