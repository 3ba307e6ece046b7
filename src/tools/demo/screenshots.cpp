// screenshots: draws the program's windows, filled with a demo station's data, to
// PNG files in the folder given, off-screen (no display needed). It makes the demo
// station in a temporary OSTREL_HOME, runs the start-up with the splash window,
// opens the main window, presses "Import Music and Adverts" and keeps the
// progress window, the closing box and the Import Log as they show.

#include "app/LogImportSettingsModel.h"
#include "app/MainWindowController.h"
#include "app/ToolStartup.h"
#include "base/Application.h"
#include "base/Clock.h"
#include "base/CommandLineOptions.h"
#include "base/GeneralTools.h"
#include "base/ScheduleDateTools.h"
#include "playout/OperatorSeam.h"
#include "playout/ProfileLibrary.h"
#include "tools/demo/DemoStation.h"
#include "windows/AdvertLogWindow.h"
#include "windows/AudioSettingsDialog.h"
#include "windows/CueboardSettingsDialog.h"
#include "windows/DatePickerDialog.h"
#include "windows/DirectorySettingsDialog.h"
#include "windows/FileLocationsDialog.h"
#include "windows/LibrarySettingsDialog.h"
#include "windows/ListChooserDialog.h"
#include "windows/LogImportSettingsDialog.h"
#include "windows/LogInDialog.h"
#include "windows/MainWindow.h"
#include "windows/ProgressWindow.h"
#include "windows/QtOperator.h"
#include "windows/ReadinessDialog.h"
#include "windows/SplashWindow.h"
#include "windows/StationSettingsDialog.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

QString folder;
QStringList saved;

void save(QWidget* window, const QString& name) {
    const QString path = folder + u'/' + name + u".png"_s;
    if (window->grab().save(path))
        saved.append(path);
}

// Shows a window, draws it and hides it again.
void draw(QWidget& window, const QString& name) {
    window.show();
    save(&window, name);
    window.hide();
}

// A dialog with tabs: each tab drawn to a file of its own, NAME-1.png, NAME-2.png...
void drawTabs(QWidget& dialog, const QString& name) {
    auto* tabs = dialog.findChild<QTabWidget*>();
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        draw(dialog, u"%1-%2"_s.arg(name).arg(tab + 1));
    }
}

// The playout system's own dialogs, over the demo station's profile and database.
void drawPlayoutDialogs(ToolState& tool, StationDatabase& database, QWidget* owner, quint32 background) {
    ListChooserDialog profiles({u"Choose Profile"_s, u"&Profiles:"_s, u"New p&rofile:"_s},
                               {u"Breakfast"_s, u"Demo"_s, u"Overnight"_s}, u"Demo"_s, true, owner);
    draw(profiles, u"profile-chooser"_s);
    ListChooserDialog databases({u"Choose Station Database"_s, u"&Station Databases:"_s, u"New &database:"_s},
                                tool.StationLibrary->DatabaseNames(), database.DatabaseInfo().Name, true,
                                owner);
    draw(databases, u"database-chooser"_s);
    LogInDialog logIn({{u"{A1}"_s, u"Morning Presenter"_s}, {u"{B2}"_s, u"Engineer"_s}}, u"Log Importer"_s,
                      owner);
    draw(logIn, u"log-in"_s);
    LibrarySettingsDialog library(tool.StationLibrary->Settings(), tool.StationLibrary->DatabaseNames(),
                                  background, owner);
    draw(library, u"ostrel-settings"_s);

    StationSettings settings = database.Settings();
    StationSettingsDialog station(settings, database.DatabaseInfo().Name, owner);
    drawTabs(station, u"station-settings"_s);

    AudioSettingsDialog audio(*tool.AudioSettings, owner);
    draw(audio, u"audio-settings"_s);
    CueboardSettings cueboard;
    cueboard.Load();
    CueboardSettingsDialog cueboardDialog(cueboard, background, owner);
    draw(cueboardDialog, u"cueboard-settings"_s);
    FileLocations locations;
    locations.LoadProfile(tool.CurrentProfile);
    FileLocationsDialog locationsDialog(locations, background, owner);
    draw(locationsDialog, u"file-locations"_s);
    QList<DirectoryUser> users{{u"{A1}"_s, u"Morning Presenter"_s, true},
                               {u"{B2}"_s, u"Engineer"_s, true, true, true, true}};
    DirectorySettingsDialog directory(users, owner);
    draw(directory, u"directory-settings"_s);
}

// Answers every message box and dialog of the run with its default, so the
// drawing never waits for a person; while `Shown`, a box is shown (to be drawn
// and answered by a timer).
class DefaultOperator : public QtOperator {
public:
    bool Shown = false;
    Answer MessageBox(const QString& text, Icon icon, Buttons buttons, int defaultButton,
                      const QString& title) override {
        return Shown ? QtOperator::MessageBox(text, icon, buttons, defaultButton, title)
                     : DefaultAnswer(buttons, defaultButton);
    }
};

// The demo's last advert log has not come yet, as happens: the readiness shows
// that day's hours holding music only.
void withholdLastAdvertLog() {
    QDir adverts(ProfileLibrary::ProductFolder() + u"/Demo Logs/Adverts"_s);
    const QStringList files = adverts.entryList(QDir::Files, QDir::Name);
    if (!files.isEmpty())
        adverts.remove(files.last());
}

const char* const usage = R"(Usage: screenshots FOLDER

Draws the windows of Log Importer to PNG files in FOLDER (made when missing):
the splash (splash.png), the main window before and after an import (main.png,
main-after-import.png, main-enterprise.png in the Enterprise colours), the
progress window (progress.png), the run's closing box (closing.png) and the
Import Log it offers (report.png), the readiness
grid (readiness.png), the date picker (datepicker.png), the advert log viewer
(advertlog.png), the Log Importer Settings dialog (settings-N.png, a file per
tab) and the playout system's dialogs (profile-chooser.png, database-chooser.png,
log-in.png, ostrel-settings.png, station-settings-N.png, audio-settings.png,
cueboard-settings.png, file-locations.png, directory-settings.png). The data is a
demo station made in a temporary folder; no display is needed.

  --help, -h, /?   this text
)";

} // namespace

int main(int argc, char* argv[]) {
    if (CommandLineOptions::AsksForHelp(argc, argv)) {
        QTextStream(stdout) << usage;
        return 0;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("OSTREL_HOME", home.path().toUtf8());
    QApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2 || argv[1][0] == '-') {
        err << "usage: screenshots FOLDER (try --help)" << Qt::endl;
        return 2;
    }
    folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    GeneralTools::SetApp(Application::OfRunningProgram(u"Log Importer"_s));
    QString problem;
    if (!DemoStation::Create(Clock::Today().addDays(1), 2, &problem)) {
        err << "screenshots: " << problem << Qt::endl;
        return 1;
    }
    withholdLastAdvertLog();
    DefaultOperator op;
    OperatorSeam::Set(&op);

    ToolState tool;
    SplashWindow splash;
    tool.Options = RunOptions::Read(u"/Profile=Demo /NOPREVCHECK"_s);
    ToolStartup startup(tool, &splash);
    if (!startup.InitialiseTool(u"Log Importer"_s, 3, true, QString(), true)) {
        err << "screenshots: start-up failed: " << startup.FailureReason() << Qt::endl;
        return 1;
    }
    splash.SetCurrentAction(u"Reading Last Scheduled Information..."_s);
    save(&splash, u"splash"_s);

    MainWindow window;
    window.SetTitle(u"Log Importer"_s);
    window.SetSplash(&splash);
    MainWindowController controller(tool, window);
    window.Attach(&controller);
    if (!controller.Start()) {
        err << "screenshots: " << controller.FailureReason() << Qt::endl;
        return 1;
    }
    window.show();
    save(&window, u"main"_s);

    // During the run: the progress window once it has something to show, and the
    // closing report as it opens.
    auto* progress = window.findChild<ProgressWindow*>();
    QTimer during;
    QObject::connect(&during, &QTimer::timeout, [&] {
        // The demo's push takes less than a yield's 50 ms: the window as the push
        // leaves it, with its own counter, while the run pauses for it to be read.
        const auto* third = progress->findChild<QLabel*>(u"lblReportDescCap(3)"_s);
        if (progress->isVisible() && third->isVisible() &&
            progress->findChild<QProgressBar*>(u"prgOverallProcess"_s)->value() == 100 &&
            !saved.contains(folder + u"/progress.png"_s))
            save(progress, u"progress"_s);
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) { // the run's tally, then its Import Log
            save(box, u"closing"_s);
            box->defaultButton()->click();
        } else if (modal) {
            save(modal, u"report"_s);
            modal->close();
        }
    });
    during.start(5);
    op.Shown = true;
    window.findChild<QPushButton*>(u"cmdImport(3)"_s)->click();
    op.Shown = false;
    during.stop();
    save(&window, u"main-after-import"_s);
    window.GraphicsRenderer().SetValue(GraphicsRenderer::Enterprise);
    save(&window, u"main-enterprise"_s);
    ReadinessDialog* readiness = window.ViewReadiness();
    save(readiness, u"readiness"_s);
    readiness->close();

    DatePickerDialog picker(&window);
    picker.Open({ScheduleDateTools::DaySerial(Clock::Today().addDays(1)), 14 * 3600}, 3);
    draw(picker, u"datepicker"_s);

    AdvertLogWindow adverts(*controller.Database(), &window);
    adverts.DisplayLog({ScheduleDateTools::DaySerial(Clock::Today().addDays(1)), 6 * 3600});
    draw(adverts, u"advertlog"_s);

    LogImportSettingsModel settings;
    settings.Load(*controller.Database());
    // As the window opens it: in the colour scheme's background.
    LogImportSettingsDialog settingsDialog(settings, QColor::fromRgb(window.Background()), &window);
    drawTabs(settingsDialog, u"settings"_s);
    drawPlayoutDialogs(tool, *controller.Database(), &window, window.Background());

    window.Attach(nullptr);
    controller.Shutdown();
    startup.TerminateTool();
    OperatorSeam::Set(nullptr);
    for (const QString& path : saved)
        QTextStream(stdout) << path << Qt::endl;
    return 0;
}
