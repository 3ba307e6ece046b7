#include "support/ThrowawayServer.h"

#include <QProcess>

namespace {

bool runScript(const QStringList& arguments, QString& output) {
    QProcess script;
    script.start(QStringLiteral("bash"),
                 QStringList{QStringLiteral(SCRIPTS_DIR "/throwaway-postgres.sh")} + arguments);
    const bool ended = script.waitForFinished(120000);
    output = QString::fromUtf8(script.readAllStandardOutput() + script.readAllStandardError()).trimmed();
    return ended && script.exitStatus() == QProcess::NormalExit && script.exitCode() == 0;
}

} // namespace

ThrowawayServer& ThrowawayServer::Get() {
    static ThrowawayServer server(Fast);
    return server;
}

ThrowawayServer::ThrowawayServer(Disk disk) : disk(disk) {
    QString output;
    const QStringList arguments = startArguments();
    if (!folder.isValid())
        problem = QStringLiteral("no temporary folder for the server: ") + folder.errorString();
    else if (!runScript(arguments, output))
        problem = QStringLiteral("the throw-away PostgreSQL server did not start: ") + output;
    else
        address = output.split(u'\n').last();
}

ThrowawayServer::~ThrowawayServer() {
    QString output;
    if (problem.isEmpty())
        runScript({QStringLiteral("stop"), folder.path()}, output);
}

bool ThrowawayServer::Crash() {
    QString output;
    return runScript({QStringLiteral("crash"), folder.path()}, output);
}

bool ThrowawayServer::Restart() {
    QString output;
    return runScript(startArguments(), output);
}

QStringList ThrowawayServer::startArguments() const {
    QStringList arguments{QStringLiteral("start"), folder.path()};
    if (disk == Fast)
        arguments.append(QStringLiteral("--fast"));
    return arguments;
}

QString ThrowawayServer::NewLocation() {
    return address + QStringLiteral("?schema=station_%1").arg(++schemas);
}
