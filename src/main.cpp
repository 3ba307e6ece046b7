// logimporter: fills a station's Scheduled Log from the music and advert logs.
// At a display it shows its splash window during start-up (unless /SILENT), then
// its main window; without one it runs the start-up, the unattended import of
// /SCHEDULE or /IMPORT, and the shut-down, and says on its standard streams what
// it would have shown.

#include "app/EnterpriseMode.h"
#include "app/HeadlessMainView.h"
#include "app/MainWindowController.h"
#include "app/ReadinessCheck.h"
#include "app/RunOptions.h"
#include "app/ScheduledRun.h"
#include "app/ToolStartup.h"
#include "base/AppLog.h"
#include "base/Application.h"
#include "base/CommandLineOptions.h"
#include "base/DebugLog.h"
#include "base/GeneralTools.h"
#include "base/StopSignal.h"
#include "importers/RecentHistory.h"
#include "importers/RunOutcome.h"
#include "importers/RunReport.h"
#include "playout/OperatorSeam.h"
#include "windows/AppIcon.h"
#include "windows/MainWindow.h"
#include "windows/QtOperator.h"
#include "windows/SplashWindow.h"

#include <QApplication>
#include <QFile>
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
    if (applicationLog && QFile::exists(AppLog::FileName())) // only one the run wrote in
        out << u"Application log: "_s << AppLog::FileName() << Qt::endl;
    out << u"Debug log: "_s << (DebugLog::FileName().isEmpty() ? u"(none)"_s : DebugLog::FileName())
        << Qt::endl;
}

// The end of an unattended run at the window: its summary on the standard output
// (a dry run's preview ends with its own).
int finishRun(const MainWindowController& controller) {
    if (!controller.LastRun().DryRun())
        QTextStream(stdout) << controller.RunSummary() << Qt::flush;
    return controller.LastRun().Status();
}

// A failed start-up says why on standard error and writes its run report all the
// same (an alert sends this night's report, not the last one's).
int startUpFailed(const ToolState& state, const QString& reason) {
    QTextStream err(stderr);
    err << u"logimporter: start-up failed: "_s << reason << Qt::endl;
    const QString& report = state.Options.Report;
    const QString& profile = !state.CurrentProfile.isEmpty() ? state.CurrentProfile : state.Options.Profile;
    if (QString problem;
        !report.isEmpty() && !RunReport::WriteStartUpFailure(report, profile, reason, &problem))
        err << u"logimporter: the run report could not be written to '%1': %2"_s.arg(report, problem)
            << Qt::endl;
    return RunOutcome::StartUpFailed;
}

// /CHECK: the readiness of the next hours, shown in the view; the check's status.
int runCheck(const ToolState& state, MainView& view) {
    ReadinessCheck check(state);
    const int status = check.Run();
    if (status == RunOutcome::StartUpFailed)
        return startUpFailed(state, check.FailureReason());
    if (!check.Text().isEmpty())
        view.ShowText(check.Text(), u"Readiness"_s);
    return status;
}

int runHeadless(ToolState& state, ToolStartup& startup) {
    if (!startup.InitialiseTool(toolName, 3, true, QString(), true)) {
        startUpFailed(state, startup.FailureReason());
        startup.TerminateTool();
        printLogs(false);
        return RunOutcome::StartUpFailed;
    }
    HeadlessMainView view;
    view.SetTitle(toolName);
    if (state.Options.CheckHours != 0) {
        const int status = runCheck(state, view);
        startup.TerminateTool();
        printLogs(false);
        return status;
    }
    int status = RunOutcome::Complete;
    if (!state.Options.Schedule && !state.Options.DryRun) {
        QTextStream(stderr) << u"logimporter: no window can be shown without a display; give /SCHEDULE or "
                               u"/IMPORT to import"_s
                            << Qt::endl;
        for (const QString& warning : state.Options.Warnings) // what the command line held that was not taken
            state.WarningSink(warning);
    } else if (ScheduledRun run(state); !run.Start()) {
        status = startUpFailed(state, run.FailureReason());
    } else {
        status = run.Run();
    }
    startup.TerminateTool();
    printLogs(true);
    return status;
}

void warnOnStandardError(const QString& text) {
    QTextStream(stderr) << u"logimporter: warning: "_s << text << Qt::endl;
}

int runWithWindows(const RunOptions& options) {
    QApplication::setWindowIcon(AppIcon::Icon());
    QtOperator op;
    OperatorSeam::Set(&op);
    // Decided with the operator at hand: /StandardAsk asks them.
    ToolState state;
    state.Options = options;
    state.WarningSink = warnOnStandardError;
    state.EnterpriseMode = EnterpriseMode::Decide(options.Look);
    std::unique_ptr<SplashWindow> splash;
    if (!options.Silent)
        splash = std::make_unique<SplashWindow>();
    ToolStartup startup(state, splash.get());
    MainWindow window;
    if (state.EnterpriseMode)
        window.GraphicsRenderer().SetValue(GraphicsRenderer::Enterprise);
    window.SetTitle(toolName);
    window.SetSplash(splash.get());
    op.SetOwner(&window);
    int status = RunOutcome::StartUpFailed;
    if (!startup.InitialiseTool(toolName, 3, true, QString(), true)) {
        startUpFailed(state, startup.FailureReason());
    } else if (state.Options.CheckHours != 0) {
        window.UnloadSplash();
        status = runCheck(state, window);
    } else {
        MainWindowController controller(state, window);
        window.Attach(&controller);
        if (controller.Start()) {
            window.show(); // which unloads the splash
            // /START and /END apply whether or not a run follows.
            const bool quit = controller.RunScheduled();
            status = quit ? finishRun(controller) : QApplication::exec();
        } else {
            startUpFailed(state, controller.FailureReason());
        }
        window.Attach(nullptr);
        controller.Shutdown();
    }
    window.UnloadSplash();
    startup.TerminateTool();
    OperatorSeam::Set(nullptr);
    return status;
}

const char* const usage = R"(Usage: logimporter [options]

Fills a station's Scheduled Log from the music and advert log files of its
scheduling programs. At a display it shows its main window; with /SCHEDULE it
imports by itself, as a scheduler runs it.

Options (names ignore case; a value with blanks in double quotes):
  /SCHEDULE, /IMPORT    import music, then adverts, over the offered range
  /START=when           start of the range, such as /START="24/11/2010 06:00"
  /END=when             end of the range
  /DRYRUN               plan the run and show what it would do; nothing is written
  /REPORT=file          write the run's plan and outcome to the file, as JSON
  /CHECK[=hours]        check instead of importing: is every hour of the next
                        hours (48 unless given; 1 to 8784) in the Scheduled Log with its
                        adverts? Prints the hours as a table (as JSON to /REPORT)
  /SILENT               no splash window, no report, no summary box
  /QUIT                 end the program after the run
  /Profile=name         the playout system's profile to use
  /DATABASE=name        the Station Database to open
  /PLAYERS=n            the number of players, for this run
  /UserGuid=id          log this user in without asking
  /DEBUG[=MAX|NORMAL|MEDIUM|NONE|OFF]  write the debug log
  /NOPREVCHECK          start even when the program already runs
  /StandardAsk, /Standard  the Enterprise appearance: ask, or never
  --help, -h, /?        this text

Exit statuses of an unattended run (when several apply, the first listed wins):
  0  everything the log files offered in the range is in the Scheduled Log
     (also when there was nothing new)
  1  the start-up failed (no profile, station settings, rights or database)
  2  an importer could not run (its settings, or a question answered No)
  3  the range was refused and nothing was written (start after end, or a
     /START or /END outside the years allowed)
  4  incomplete: an hour or a break the files offered was not written (the
     Station Database stayed busy, was full or refused it)
  5  finished with warnings: an unknown option, a /START or /END that could
     not be read, an empty log file, or log lines that could not be read (an
     advert hour with a corrupt line is written with none of its adverts and
     left for a later run; a music hour with one is not written); an hour on
     air whose advert log gives adverts for it; an advert line that went into
     no break (unplaced); /CHECK: a number of hours that is not one from 1 to
     8784 (nothing checked)
  6  /CHECK: an hour of the checked range is not ready (not scheduled, missing
     audio, adverts missing, music only, short, a break over- or underfilled,
     an advert's copy length differs)
  7  stopped: SIGTERM or SIGINT ended the run before the end of its range; the
     hour in hand was finished or undone, and the summary, the /REPORT file
     and RecentHistory.log say so (this wins over 4 and 5)

A write or a read waits up to 30 seconds in all for a Station Database that
another program keeps busy (the registry value "BusyWaitSeconds" of the Log
Importer key sets it); after that, or when the connection to a server database
is lost, the run reads and writes nothing more, reports the hours left as not
written and exits with 4. SIGTERM or SIGINT ends such a wait at once (7).

An hour that the Scheduled Log held and that had started when the run began
is on air or past: an unattended run never changes it (its breaks are "too
late"); at the window the operator is asked once first.

Environment: OSTREL_HOME, when set, holds every file and setting the program
touches.

Example, for a scheduler every night, and for monitoring every morning:
  logimporter /SCHEDULE /SILENT /QUIT /Profile=Studio1
  logimporter /CHECK /SILENT /Profile=Studio1
)";

} // namespace

int main(int argc, char* argv[]) {
    if (CommandLineOptions::AsksForHelp(argc, argv)) {
        QTextStream(stdout) << usage;
        return 0;
    }
    const bool windows = hasDisplay();
    std::unique_ptr<QCoreApplication> app =
        windows ? std::make_unique<QApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(toolName);
    GeneralTools::SetApp(Application::OfRunningProgram(toolName));
    const RunOptions options = RunOptions::FromArguments(QCoreApplication::arguments().mid(1));

    // A scheduler's stop ends an unattended run between two hours, with its records
    // written; at the window, without /QUIT, the program ends as any other does.
    if (!windows || options.Quit)
        StopSignal::Catch();
    if (windows)
        return runWithWindows(options);
    ToolState state;
    state.Options = options;
    state.WarningSink = warnOnStandardError;
    state.EnterpriseMode = EnterpriseMode::Decide(options.Look);
    ToolStartup startup(state, nullptr);
    return runHeadless(state, startup);
}
