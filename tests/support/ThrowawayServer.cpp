#include "support/ThrowawayServer.h"

#include <QProcess>

namespace {

bool runScript(const QStringList& arguments, QString& output) {
    QProcess script;
    script.start(QStringLiteral("bash"), arguments);
    const bool ended = script.waitForFinished(120000);
    output = QString::fromUtf8(script.readAllStandardOutput() + script.readAllStandardError()).trimmed();
    return ended && script.exitStatus() == QProcess::NormalExit && script.exitCode() == 0;
}

} // namespace

QString ThrowawayServer::script() {
    return QStringLiteral(SCRIPTS_DIR "/throwaway-postgres.sh");
}

ThrowawayServer& ThrowawayServer::Get() {
    static ThrowawayServer server;
    return server;
}

ThrowawayServer::ThrowawayServer() {
    QString output;
    if (!folder.isValid())
        problem = QStringLiteral("no temporary folder for the server: ") + folder.errorString();
    else if (!runScript({script(), QStringLiteral("start"), folder.path(), QStringLiteral("--fast")}, output))
        problem = QStringLiteral("the throw-away PostgreSQL server did not start: ") + output;
    else
        address = output.split(u'\n').last();
}

ThrowawayServer::~ThrowawayServer() {
    QString output;
    if (problem.isEmpty())
        runScript({script(), QStringLiteral("stop"), folder.path()}, output);
}

QString ThrowawayServer::NewLocation() {
    return address + QStringLiteral("?schema=station_%1").arg(++schemas);
}
