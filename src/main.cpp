// logimporter: fills a station's Scheduled Log from the music and advert logs.
// Until its windows exist it runs without a display: the start-up, the unattended
// import of /SCHEDULE or /IMPORT, and the shut-down.

#include "mainwindow/HeadlessMainView.h"
#include "mainwindow/MainWindowController.h"
#include "playout/Application.h"
#include "playout/GeneralTools.h"
#include "startup/AppLog.h"
#include "startup/CommandLineOptions.h"
#include "startup/DebugLog.h"
#include "startup/EnterpriseMode.h"
#include "startup/ToolStartup.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

namespace {
const QString toolName = u"Log Importer"_s;
}

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(toolName);
    GeneralTools::SetApp(Application::OfRunningProgram(toolName));
    const QString commandLine = CommandLineOptions::FromArguments(QCoreApplication::arguments().mid(1));
    QTextStream out(stdout);
    QTextStream err(stderr);

    ToolState state;
    state.EnterpriseMode = EnterpriseMode::Decide(commandLine);
    ToolStartup startup(state, commandLine, nullptr);
    int status = 0;
    if (!startup.InitialiseTool(toolName, 3, true, QString(), true)) {
        err << u"logimporter: start-up failed: "_s << startup.FailureReason() << Qt::endl;
        status = 1;
    } else {
        HeadlessMainView view;
        view.SetTitle(toolName);
        MainWindowController controller(state, view);
        if (!controller.Start()) {
            err << u"logimporter: start-up failed: "_s << controller.FailureReason() << Qt::endl;
            status = 1;
        } else if (!state.ScheduleMode) {
            err << u"logimporter: no window can be shown without a display; give /SCHEDULE or /IMPORT to import"_s
                << Qt::endl;
        } else {
            controller.RunScheduled();
            if (!controller.LastRunComplete()) {
                err << u"logimporter: an importer could not run (see its message above)"_s << Qt::endl;
                status = 2;
            }
        }
        controller.Shutdown();
        out << u"Application log: "_s << AppLog::FileName() << Qt::endl;
    }
    startup.TerminateTool();
    out << u"Debug log: "_s << (DebugLog::FileName().isEmpty() ? u"(none)"_s : DebugLog::FileName())
        << Qt::endl;
    return status;
}
