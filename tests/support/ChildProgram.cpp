#include "support/ChildProgram.h"

#include "support/ChildEnvironment.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <grp.h>
#include <unistd.h>

namespace {

// The user and group "nobody" of Debian.
constexpr uid_t nobody = 65534;

void openToEveryone(const QString& folder) {
    const QFileDevice::Permissions all = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                         QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                         QFileDevice::ReadOther | QFileDevice::WriteOther;
    const QFileDevice::Permissions enter =
        QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    QFile::setPermissions(folder, all | enter);
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile::setPermissions(path, QFileInfo(path).isDir() ? all | enter : all);
    }
}

} // namespace

void ChildProgram::Unprivileged() {
    if (geteuid() != 0)
        return;
    unprivileged = true;
    openToEveryone(home);
    openToEveryone(outside);
}

QString ChildProgram::reachable(const QString& program) const {
    if (!unprivileged)
        return program;
    const QString copy = outside + u'/' + QFileInfo(program).fileName();
    if (!QFileInfo::exists(copy)) {
        QFile::copy(program, copy);
        QFile::setPermissions(copy,
                              QFile::permissions(copy) | QFileDevice::ExeOther | QFileDevice::ReadOther);
    }
    return copy;
}

int ChildProgram::Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessEnvironment(ChildEnvironment(home, outside));
    if (unprivileged) {
        process.setChildProcessModifier([] {
            // Only async-signal-safe calls here: the child is between fork and exec.
            if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0)
                _exit(127);
        });
    }
    process.start(reachable(program), arguments);
    if (WhileRunning && process.waitForStarted())
        WhileRunning(process);
    const bool finished = process.waitForFinished(120000);
    Output = QString::fromLocal8Bit(process.readAllStandardOutput());
    Errors = QString::fromLocal8Bit(process.readAllStandardError());
    return finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}
