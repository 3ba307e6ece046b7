#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QProcess;

// One of the project's programs run to its end as a child process, in the
// environment a scheduler gives it (see ChildEnvironment).
class ChildProgram {
public:
    ChildProgram(const QString& home, const QString& outside) : home(home), outside(outside) {}

    // From now on the child runs as an unprivileged user when the tests run as
    // root, for whom file permissions do not hold. The home and outside folders
    // are opened to everyone, and the program runs from a copy in the outside
    // folder, which that user can reach wherever the build is.
    void Unprivileged();

    // The child's exit code, or -1 when it crashed or did not finish in two minutes.
    int Run(const QString& program, const QStringList& arguments);

    // Called once the child has started, while it runs (to signal it, say).
    std::function<void(QProcess&)> WhileRunning;

    QString Output;
    QString Errors;

private:
    QString reachable(const QString& program) const;

    QString home;
    QString outside;
    bool unprivileged = false;
};
