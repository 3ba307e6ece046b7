#pragma once

#include "support/TempHome.h"

#include <QTemporaryDir>

// A home for the project's programs run as child processes, as a scheduler runs
// them: their user folders (home, XDG, temp) point at an empty folder outside
// OSTREL_HOME, and each run's output is kept.
class ProgramHome : public TempHome {
protected:
    // The child's exit code; its standard output and error in Output and Errors.
    int Run(const QString& program, const QStringList& arguments);

    QTemporaryDir outside;
    QString Output;
    QString Errors;
};
