// A station set up from nothing through the program's own dialogs, as an engineer
// does on a new machine: a profile, the library settings, a new Station Database,
// its settings, then an import that writes hours.

#include "app/MainWindowController.h"
#include "app/ToolStartup.h"
#include "playout/LibrarySettings.h"
#include "playout/OperatorSeam.h"
#include "playout/ProfileLibrary.h"
#include "support/Columns.h"
#include "support/TempHome.h"
#include "windows/ListChooserDialog.h"
#include "windows/MainWindow.h"
#include "windows/QtOperator.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Answers the dialogs as they open: each step fills the dialog whose caption starts
// with its own and presses OK. Message boxes are read and answered with their
// default button.
class DialogScript {
public:
    using Fill = std::function<void(QDialog&)>;

    DialogScript() {
        QObject::connect(&timer, &QTimer::timeout, [this] { answer(); });
        timer.start(10);
    }

    void Expect(const QString& caption, Fill fill) { steps.append({caption, std::move(fill)}); }
    QStringList Captions;
    QStringList Messages;
    int Left() const { return int(steps.size()); }

private:
    // Buttons are pressed from the event loop, not from this timer's own call: a
    // timer does not fire again until its call returns, and a press may open a
    // message box that must be answered meanwhile.
    static void press(QPushButton* button) {
        QMetaObject::invokeMethod(button, &QPushButton::click, Qt::QueuedConnection);
    }

    void answer() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
            if (box != answered) {
                answered = box;
                Messages.append(box->text());
                press(box->defaultButton());
            }
            return;
        }
        if (dialog == handled || steps.isEmpty() || !dialog->windowTitle().startsWith(steps.front().first)) {
            Captions.append(u"Refused: "_s + dialog->windowTitle());
            dialog->reject(); // a dialog nobody expected, or one that would not take its values
            return;
        }
        handled = dialog;
        Captions.append(dialog->windowTitle());
        steps.takeFirst().second(*dialog);
        if (auto* ok = dialog->findChild<QPushButton*>(u"cmdOK"_s))
            press(ok);
        else
            dialog->close(); // a report, read and closed
    }

    QPointer<QDialog> handled;
    QPointer<QMessageBox> answered;
    QList<std::pair<QString, Fill>> steps;
    QTimer timer;
};

void NewName(QDialog& chooser, const QString& name) {
    chooser.findChild<QLineEdit*>(u"txtNewName"_s)->setText(name);
    chooser.findChild<QPushButton*>(u"cmdNew"_s)->click();
}

} // namespace

class NewStationTest : public TempHome {
protected:
    void SetUp() override {
        TempHome::SetUp();
        OperatorSeam::Set(&screen);
        // Two hours of music for 24 November 2010, in the folder the engineer will give.
        QStringList lines;
        for (const char* hour : {"06", "07"}) {
            lines << u"+24/11/10 %1:00 Hour"_s.arg(QLatin1String(hour));
            lines << Columns({{1, u"L"_s}, {2, u"1"_s}, {10, u"Morning Song"_s}});
            lines << Columns({{1, u"L"_s}, {2, u"2"_s}, {10, u"Another Song"_s}});
        }
        WriteFile(Path(u"Logs/Music/Daily101124.txt"_s), lines.join(u"\r\n"_s).toLatin1());
    }

    QtOperator screen;
};

TEST_F(NewStationTest, AStationIsSetUpFromNothingAndItsFirstHoursImported) {
    ASSERT_TRUE(ProfileLibrary().Profiles().isEmpty());
    DialogScript script;
    script.Expect(u"Choose Profile"_s, [](QDialog& chooser) { NewName(chooser, u"Breakfast FM"_s); });
    script.Expect(u"Ostrel Settings"_s, [](QDialog&) {}); // choosing the database at each start
    script.Expect(u"Choose Station Database"_s, [](QDialog& chooser) { NewName(chooser, u"Breakfast"_s); });

    ToolState tool;
    tool.Options.NoPreviousCheck = true;
    ToolStartup startup(tool, nullptr);
    ASSERT_TRUE(startup.InitialiseTool(u"Log Importer"_s, 3, true, QString(), true))
        << startup.FailureReason().toStdString();
    MainWindow window;
    screen.SetOwner(&window);
    window.SetTitle(u"Log Importer"_s);
    MainWindowController controller(tool, window);
    window.Attach(&controller);
    ASSERT_TRUE(controller.Start()) << controller.FailureReason().toStdString();
    window.show();
    EXPECT_EQ(tool.CurrentProfile, u"Breakfast FM");
    EXPECT_EQ(window.windowTitle(), u"Log Importer - Breakfast");

    // The new database knows no log folder yet; the engineer gives it one.
    const QString music = Path(u"Logs/Music"_s);
    script.Expect(u"Station Database Settings - Breakfast"_s, [music](QDialog& settings) {
        settings.findChild<QLineEdit*>(u"txtMusicLogsDirectory"_s)->setText(music);
        settings.findChild<QLineEdit*>(u"txtMusicFileNamePrefix"_s)->setText(u"Daily"_s);
        settings.findChild<QComboBox*>(u"cboMusicFileNameFormat"_s)->setCurrentText(u"yymmdd"_s);
    });
    window.MenuCommand(u"Station &Database Settings"_s)->trigger();
    EXPECT_EQ(window.Range().Start, (ScheduleDate{40506, 6 * 3600}));
    EXPECT_EQ(window.Range().End, (ScheduleDate{40506, 7 * 3600 + 3599.99f}));

    // The first music import turns the cart ranges on, with the operator's leave, and
    // shows them; the songs are not in the new database's cart store, so the run's
    // log is shown at the end.
    script.Expect(u"Log Importer Settings"_s, [](QDialog& settings) {
        const char* const ranges[] = {"SongsStart",    "SongsEnd",          "JinglesStart",
                                      "JinglesEnd",    "SweepersStart",     "SweepersEnd",
                                      "AdvertsStart",  "AdvertsEnd",        "CartGroupsStart",
                                      "CartGroupsEnd", "ScriptsRangeStart", "ScriptsRangeEnd"};
        for (int i = 0; i < 12; ++i)
            settings.findChild<QLineEdit*>(u"txt"_s + QLatin1String(ranges[i]))
                ->setText(QString::number(1000 * (i / 2 + 1) + 999 * (i % 2)));
    });
    script.Expect(u"Import Log"_s, [](QDialog&) {});
    QTest::mouseClick(window.findChild<QPushButton*>(u"cmdImport(1)"_s), Qt::LeftButton);
    EXPECT_EQ(script.Left(), 0);
    EXPECT_EQ(script.Captions,
              QStringList({u"Choose Profile"_s, u"Ostrel Settings"_s, u"Choose Station Database"_s,
                           u"Station Database Settings - Breakfast"_s, u"Log Importer Settings"_s,
                           u"Import Log"_s}));
    EXPECT_EQ(script.Messages.filter(u"needs to activate"_s).size(), 1);
    int hours = 0, songs = 0;
    StationDatabase& db = *controller.Database();
    for (auto item = db.Log().FirstLogItem(); item; item = db.Log().NextLogItem(item->Position)) {
        hours += item->Type == ItemType::HourStart ? 1 : 0;
        songs += item->Title.endsWith(u"Song"_s) ? 1 : 0;
    }
    EXPECT_EQ(hours, 2);
    EXPECT_EQ(songs, 4);

    // What was set up stays for the next start.
    LibrarySettings library;
    library.LoadProfile(u"Breakfast FM"_s);
    EXPECT_EQ(library.DatabaseMode, 1);
    StationDatabase reopened;
    ASSERT_EQ(reopened.OpenLocation(ProfileLibrary::ProductFolder() + u"/Databases/Breakfast.sdb"_s),
              StationDatabase::Opened);
    EXPECT_EQ(reopened.Settings().MusicLogsDirectory(), music);

    window.Attach(nullptr);
    controller.Shutdown();
    startup.TerminateTool();
}
