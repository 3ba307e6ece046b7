// screenshots: draws the program's windows, filled with a demo station's data, to
// PNG files in the folder given, off-screen (no display needed). It makes the demo
// station in a temporary OSTREL_HOME, runs the start-up with the splash window,
// opens the main window, presses "Import Music and Adverts" and keeps the
// progress window and the closing report as they show.

#include "datepicker/frmDatePicker.h"
#include "demo/DemoStation.h"
#include "importers/advert/frmAdLogViewer.h"
#include "mainwindow/MainWindowController.h"
#include "mainwindow/QtOperator.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/frmScheduleProgress.h"
#include "playout/Application.h"
#include "playout/Clock.h"
#include "playout/GeneralTools.h"
#include "playout/OperatorSeam.h"
#include "playout/ScheduleDateTools.h"
#include "settings/LogImportSettingsModel.h"
#include "settings/frmLogImportSettings.h"
#include "splash/frmSplash.h"
#include "startup/ToolStartup.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
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

// Answers every message box and dialog of the run with its default, so the
// drawing never waits for a person.
class DefaultOperator : public QtOperator {
public:
    Answer MessageBox(const QString&, Icon, Buttons buttons, int defaultButton, const QString&) override {
        return DefaultAnswer(buttons, defaultButton);
    }
};

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("OSTREL_HOME", home.path().toUtf8());
    QApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: screenshots FOLDER" << Qt::endl;
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
    DefaultOperator op;
    OperatorSeam::Set(&op);

    ToolState tool;
    frmSplash splash;
    ToolStartup startup(tool, u"/Profile=Demo /NOPREVCHECK"_s, &splash);
    if (!startup.InitialiseTool(u"Log Importer"_s, 3, true, QString(), true)) {
        err << "screenshots: start-up failed: " << startup.FailureReason() << Qt::endl;
        return 1;
    }
    splash.SetCurrentAction(u"Reading Last Scheduled Information..."_s);
    save(&splash, u"splash"_s);

    frmMain window;
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
    auto* progress = window.findChild<frmScheduleProgress*>();
    QTimer during;
    QObject::connect(&during, &QTimer::timeout, [&] {
        if (progress->isVisible() && progress->OverallProcessProgressPercent() >= 40 &&
            !saved.contains(folder + u"/progress.png"_s))
            save(progress, u"progress"_s);
        if (QWidget* modal = QApplication::activeModalWidget()) {
            save(modal, u"report"_s);
            modal->close();
        }
    });
    during.start(5);
    window.findChild<QPushButton*>(u"cmdImport(3)"_s)->click();
    during.stop();
    save(&window, u"main-after-import"_s);
    window.GraphicsRenderer().SetValue(GraphicsRenderer::Enterprise);
    save(&window, u"main-enterprise"_s);

    frmDatePicker picker(&window);
    picker.Open({ScheduleDateTools::DaySerial(Clock::Today().addDays(1)), 14 * 3600}, 3);
    picker.show();
    save(&picker, u"datepicker"_s);
    picker.hide();

    frmAdLogViewer adverts(*controller.Database(), &window);
    adverts.DisplayLog({ScheduleDateTools::DaySerial(Clock::Today().addDays(1)), 6 * 3600});
    adverts.show();
    save(&adverts, u"advertlog"_s);
    adverts.hide();

    LogImportSettingsModel settings;
    settings.Load(*controller.Database());
    frmLogImportSettings settingsDialog(settings, window.palette().color(QPalette::Window), &window);
    settingsDialog.show();
    save(&settingsDialog, u"settings"_s);
    settingsDialog.hide();

    window.Attach(nullptr);
    controller.Shutdown();
    startup.TerminateTool();
    OperatorSeam::Set(nullptr);
    for (const QString& path : saved)
        QTextStream(stdout) << path << Qt::endl;
    return 0;
}
