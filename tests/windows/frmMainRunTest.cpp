// An operator's run through the main window: a demo station, the start-up, and a
// press of "Import Music and Adverts".

#include "app/MainWindowController.h"
#include "app/ToolStartup.h"
#include "support/OperatorHome.h"
#include "tools/demo/DemoStation.h"
#include "windows/frmMain.h"
#include "windows/frmScheduleProgress.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

class frmMainRunTest : public OperatorHome {
protected:
    void SetUp() override {
        OperatorHome::SetUp();
        QString problem;
        ASSERT_TRUE(DemoStation::Create(QDate(2010, 11, 24), 2, &problem)) << problem.toStdString();
    }
};

TEST_F(frmMainRunTest, ImportingMusicAndAdvertsFromTheWindowFillsTheLogAndReportsTheRun) {
    ToolState tool;
    ToolStartup startup(tool, u"/Profile=Demo /NOPREVCHECK"_s, nullptr);
    ASSERT_TRUE(startup.InitialiseTool(u"Log Importer"_s, 3, true, QString(), true))
        << startup.FailureReason().toStdString();
    frmMain window;
    MainWindowController controller(tool, window);
    window.Attach(&controller);
    ASSERT_TRUE(controller.Start()) << controller.FailureReason().toStdString();
    window.show();
    EXPECT_EQ(window.Range().Start.Day, 40506); // the demo logs' first day, 24 November 2010

    // Watch the progress window during the run, and close the closing report.
    auto* progress = window.findChild<frmScheduleProgress*>();
    bool progressShown = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout,
                     [&] { progressShown = progressShown || progress->isVisible(); });
    watch.start(0);
    QStringList reports;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            reports.append(modal->windowTitle());
            modal->close();
        }
    });
    closer.start(20);

    QTest::mouseClick(window.findChild<QPushButton*>(u"cmdImport(3)"_s), Qt::LeftButton);
    watch.stop();
    closer.stop();

    EXPECT_TRUE(progressShown);
    EXPECT_FALSE(progress->isVisible());
    ASSERT_TRUE(controller.Database());
    int hours = 0;
    for (auto item = controller.Database()->FirstLogItem(); item;
         item = controller.Database()->NextLogItem(item->Position))
        hours += item->Type == ItemType::HourStart ? 1 : 0;
    EXPECT_EQ(hours, 48);
    // The demo logs name carts that are missing, so the run's log is shown.
    EXPECT_EQ(reports, QStringList{u"Import Log"_s});
    EXPECT_EQ(op.MessageTexts().filter(u"successfully imported"_s), QStringList());

    window.Attach(nullptr);
    controller.Shutdown();
    startup.TerminateTool();
}
