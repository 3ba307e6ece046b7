#include "windows/frmMain.h"
#include "app/MainWindowController.h"
#include "windows/DateRangeControl.h"

#include <QAction>
#include <QDateTimeEdit>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

class frmMainTest : public testing::Test {
protected:
    void SetUp() override { window.Attach(&controller); }

    QPushButton* Button(int index) const {
        return window.findChild<QPushButton*>(u"cmdImport(%1)"_s.arg(index));
    }
    QStringList CaptionsOf(const QMenu* menu) const {
        QStringList captions;
        for (const QAction* action : menu->actions()) {
            if (!action->isSeparator())
                captions.append(action->text());
        }
        return captions;
    }
    const QMenu* Menu(const QString& title) const {
        for (const QAction* action : window.menuBar()->actions()) {
            if (action->text() == title)
                return action->menu();
        }
        return nullptr;
    }
    // Sets the range as the controller does, which also brings the buttons up to date.
    void Offer(const ScheduleDate& start, const ScheduleDate& end) {
        DateRange range = window.Range();
        range.Start = start;
        range.End = end;
        window.SetRange(range);
    }

    ToolState tool;
    frmMain window;
    MainWindowController controller{tool, window};
};

TEST_F(frmMainTest, MenusCarryTheirCaptionsAndAccessKeys) {
    QStringList titles;
    for (const QAction* action : window.menuBar()->actions())
        titles.append(action->text());
    EXPECT_EQ(titles, QStringList({u"&File"_s, u"Scheduled &Log"_s, u"&Advert Log"_s, u"&Import"_s,
                                   u"Settin&gs"_s, u"&Help"_s}));
    EXPECT_EQ(CaptionsOf(Menu(u"&File"_s)),
              QStringList({u"&View History Log File"_s, u"View &All Log Files"_s,
                           u"&Scan available Log files for new date range"_s, u"E&xit"_s}));
    EXPECT_EQ(CaptionsOf(Menu(u"Scheduled &Log"_s)),
              QStringList({u"&Remove all Song, Link, and Advert Information from the 'Database'"_s,
                           u"&Remove Entries for the Date and Time range given below"_s,
                           u"Remove &ALL the Entries from the log"_s,
                           u"Remove and then re-&send the Date and Time range below"_s}));
    EXPECT_EQ(CaptionsOf(Menu(u"&Advert Log"_s)),
              QStringList({u"&View Log"_s, u"&Remove Adverts for the Date and Time range given below"_s,
                           u"Remove and then Re-&send the adverts for the Date and Time range below"_s}));
    EXPECT_EQ(CaptionsOf(window.MenuCommand(u"&View Log"_s)->menu()),
              QStringList({u"&Start Date"_s, u"&End Date"_s, u"&Other Date"_s}));
    EXPECT_EQ(CaptionsOf(Menu(u"Settin&gs"_s)),
              QStringList({u"&Audio Setup"_s, u"&Audio Settings"_s, u"Cueboard &Settings (Global)"_s,
                           u"&Ostrel Settings"_s, u"&Edit Commands"_s, u"&Hardware Card Settings"_s,
                           u"&Log Importer Settings"_s, u"Station &Database Settings"_s,
                           u"Kestrane D&irectory Settings"_s}));
    EXPECT_EQ(CaptionsOf(window.MenuCommand(u"&Ostrel Settings"_s)->menu()),
              QStringList({u"Ostrel &File Locations"_s, u"Ostrel &Settings"_s}));
    EXPECT_EQ(CaptionsOf(Menu(u"&Help"_s)), QStringList({u"&Update Information"_s, u"&About"_s}));
    EXPECT_EQ(Button(3)->text(), u"Import Music and Adverts");
}

TEST_F(frmMainTest, AnInvalidRangeDisablesTheThreeButtonsAndTheThreeRangeCommandsAtOnce) {
    const QStringList rangeCommands = {u"&Remove Entries for the Date and Time range given below"_s,
                                       u"Remove &ALL the Entries from the log"_s,
                                       u"Remove and then re-&send the Date and Time range below"_s};
    auto expectEnabled = [&](bool enabled) {
        for (int i = 1; i <= 3; ++i)
            EXPECT_EQ(Button(i)->isEnabled(), enabled) << i;
        for (const QString& caption : rangeCommands)
            EXPECT_EQ(window.MenuCommand(caption)->isEnabled(), enabled) << caption.toStdString();
        EXPECT_TRUE(
            window.MenuCommand(u"&Remove Adverts for the Date and Time range given below"_s)->isEnabled());
    };
    Offer({40505, 0}, {40505, 86399.99f});
    expectEnabled(true);
    Offer({40506, 0}, {40505, 86399.99f}); // the end before the start
    expectEnabled(false);
    EXPECT_EQ(window.findChild<QLabel*>(u"lblRangeProblem"_s)->text(),
              u"The end of the range must not come before its start");

    // The operator moves the end past the start in the control itself.
    auto* end = window.findChild<QDateTimeEdit*>(u"dtEnd"_s);
    end->setDateTime(end->dateTime().addDays(2));
    expectEnabled(true);
    EXPECT_EQ(window.Range().End.Day, 40507);
    EXPECT_FLOAT_EQ(window.Range().End.Seconds, 86399.99f); // the end of its minute
}

TEST_F(frmMainTest, TheControllerFillsThePanelAndTheTitle) {
    window.SetTitle(u"Log Importer - Demo Station"_s);
    window.SetMusicScheduled(u"Wed 24/11/2010 00:00 to Thu 25/11/2010 23:59"_s);
    window.SetAdvertsScheduled(u"Thu 25/11/2010 23:59"_s);
    EXPECT_EQ(window.windowTitle(), u"Log Importer - Demo Station");
    EXPECT_EQ(window.findChild<QLabel*>(u"lblMusicScheduled"_s)->text(),
              u"Wed 24/11/2010 00:00 to Thu 25/11/2010 23:59");
    EXPECT_EQ(window.findChild<QLabel*>(u"lblAdvertsScheduled"_s)->text(), u"Thu 25/11/2010 23:59");
    window.SetEnabled(iMainView::DatabaseSettings, false);
    EXPECT_FALSE(window.MenuCommand(u"Station &Database Settings"_s)->isEnabled());
    window.SetEnabled(iMainView::AudioAndOstrelSettings, false);
    EXPECT_FALSE(window.MenuCommand(u"&Audio Setup"_s)->isEnabled());
    EXPECT_FALSE(window.MenuCommand(u"&Ostrel Settings"_s)->isEnabled());
    EXPECT_TRUE(window.MenuCommand(u"&Audio Settings"_s)->isEnabled());
}

TEST_F(frmMainTest, TheWindowTakesItsColoursFromTheRendererWhenItsFactorsChange) {
    auto* label = window.findChild<QLabel*>(u"lblMusicScheduled"_s);
    const QColor standardPanel = label->palette().color(QPalette::Window);
    window.GraphicsRenderer().SetValue(GraphicsRenderer::Enterprise);
    EXPECT_EQ(window.centralWidget()->palette().color(QPalette::Window).rgb() & 0xFFFFFF,
              window.GraphicsRenderer().Background());
    EXPECT_EQ(label->palette().color(QPalette::Window).rgb() & 0xFFFFFF, window.GraphicsRenderer().Panel());
    EXPECT_EQ(label->palette().color(QPalette::WindowText).rgb() & 0xFFFFFF,
              window.GraphicsRenderer().Text());
    EXPECT_NE(label->palette().color(QPalette::Window), standardPanel);
    const auto* range = window.findChild<QWidget*>(u"dtImportRange"_s);
    EXPECT_EQ(range->palette().color(QPalette::Window).rgb() & 0xFFFFFF, window.GraphicsRenderer().Panel());
}
