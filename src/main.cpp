// logimporter: fills a station's Scheduled Log from the music and advert logs.
// At a display it shows its splash window during start-up (unless /SILENT), then
// its main window; without one it runs the start-up, the unattended import of
// /SCHEDULE or /IMPORT, and the shut-down, and says on its standard streams what
// it would have shown.

#include "mainwindow/HeadlessMainView.h"
#include "mainwindow/MainWindowController.h"
#include "mainwindow/QtOperator.h"
#include "mainwindow/frmMain.h"
#include "playout/Application.h"
#include "playout/GeneralTools.h"
#include "playout/OperatorSeam.h"
#include "splash/frmSplash.h"
#include "startup/AppLog.h"
#include "startup/CommandLineOptions.h"
#include "startup/DebugLog.h"
#include "startup/EnterpriseMode.h"
#include "startup/ToolStartup.h"

#include <QApplication>
#include <QTextStream>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString toolName = u"Log Importer"_s;

// Whether windows can be shown. The off-screen and minimal platforms draw for
// nobody, so a run under them is a run without a display.
bool hasDisplay() {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return true;
#else
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty())
        return !platform.startsWith("offscreen") && !platform.startsWith("minimal");
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
#endif
}

void printLogs(bool applicationLog) {
    QTextStream out(stdout);
    if (applicationLog)
        out << u"Application log: "_s << AppLog::FileName() << Qt::endl;
    out << u"Debug log: "_s << (DebugLog::FileName().isEmpty() ? u"(none)"_s : DebugLog::FileName())
        << Qt::endl;
}

int runHeadless(ToolState& state, ToolStartup& startup) {
    QTextStream err(stderr);
    if (!startup.InitialiseTool(toolName, 3, true, QString(), true)) {
        err << u"logimporter: start-up failed: "_s << startup.FailureReason() << Qt::endl;
        startup.TerminateTool();
        printLogs(false);
        return 1;
    }
    HeadlessMainView view;
    view.SetTitle(toolName);
    MainWindowController controller(state, view);
    int status = 0;
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
    startup.TerminateTool();
    printLogs(true);
    return status;
}

int runWithWindows(const QString& commandLine) {
    QtOperator op;
    OperatorSeam::Set(&op);
    // Decided with the operator at hand: /StandardAsk asks them.
    ToolState state;
    state.EnterpriseMode = EnterpriseMode::Decide(commandLine);
    std::unique_ptr<frmSplash> splash;
    if (!commandLine.contains(u"/SILENT"_s, Qt::CaseInsensitive))
        splash = std::make_unique<frmSplash>();
    ToolStartup startup(state, commandLine, splash.get());
    frmMain window;
    if (state.EnterpriseMode)
        window.GraphicsRenderer().SetValue(GraphicsRenderer::Enterprise);
    window.SetTitle(toolName);
    window.SetSplash(splash.get());
    op.SetOwner(&window);
    int status = 1;
    if (startup.InitialiseTool(toolName, 3, true, QString(), true)) {
        MainWindowController controller(state, window);
        window.Attach(&controller);
        if (controller.Start()) {
            window.show();
            window.UnloadSplash();
            const bool quit = state.ScheduleMode && controller.RunScheduled();
            status = quit ? 0 : QApplication::exec();
        } else {
            QTextStream(stderr) << u"logimporter: start-up failed: "_s << controller.FailureReason()
                                << Qt::endl;
        }
        window.Attach(nullptr);
        controller.Shutdown();
    }
    window.UnloadSplash();
    startup.TerminateTool();
    OperatorSeam::Set(nullptr);
    return status;
}

} // namespace

int main(int argc, char* argv[]) {
    const bool windows = hasDisplay();
    std::unique_ptr<QCoreApplication> app =
        windows ? std::make_unique<QApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(toolName);
    GeneralTools::SetApp(Application::OfRunningProgram(toolName));
    const QString commandLine = CommandLineOptions::FromArguments(QCoreApplication::arguments().mid(1));

    if (windows)
        return runWithWindows(commandLine);
    ToolState state;
    state.EnterpriseMode = EnterpriseMode::Decide(commandLine);
    ToolStartup startup(state, commandLine, nullptr);
    return runHeadless(state, startup);
}
