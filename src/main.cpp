// logimporter: fills a station's Scheduled Log from the music and advert logs.

#include "playout/Application.h"
#include "playout/GeneralTools.h"
#include "startup/AppLog.h"
#include "startup/CommandLineOptions.h"
#include "startup/DebugLog.h"
#include "startup/EnterpriseMode.h"
#include "startup/ToolStartup.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {
const QString toolName = QStringLiteral("Log Importer");
}

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(toolName);
    GeneralTools::SetApp(Application::OfRunningProgram(toolName));
    const QString commandLine = CommandLineOptions::FromArguments(QCoreApplication::arguments().mid(1));

    ToolState state;
    state.EnterpriseMode = EnterpriseMode::Decide(commandLine);
    ToolStartup startup(state, commandLine, nullptr);
    const bool started = startup.InitialiseTool(toolName, 3, true, QString(), true);
    if (started) {
        AppLog::OpenAppLog(state.PlayoutGeneral->Folder(PlayoutGeneral::ApplicationLogs) + u'/' + toolName,
                           AppLog::Numbered | AppLog::ComputerName);
    }
    startup.TerminateTool();

    QTextStream out(stdout);
    out << "Debug log: " << (DebugLog::FileName().isEmpty() ? QStringLiteral("(none)") : DebugLog::FileName())
        << Qt::endl;
    if (started)
        out << "Application log: " << AppLog::FileName() << Qt::endl;
    return started ? 0 : 1;
}
