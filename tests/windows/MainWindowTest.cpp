#include "windows/MainWindow.h"
#include "app/MainWindowController.h"
#include "windows/DateRangeControl.h"
#include "windows/QtOperator.h"
#include "windows/ReadinessGrid.h"
#include "windows/SplashWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <optional>

using namespace Qt::Literals::StringLiterals;

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override { window.Attach(&controller); }

    QPushButton* Button(int index) const {
        return window.findChild<QPushButton*>(u"cmdImport(%1)"_s.arg(index));
    }
    // Sets the range as the controller does, which also brings the buttons up to date.
    void Offer(const ScheduleDate& start, const ScheduleDate& end) {
        DateRange range = window.Range();
        range.Start = start;
        range.End = end;
        window.SetRange(range);
    }

    ToolState tool;
    MainWindow window;
    MainWindowController controller{tool, window};
};

TEST_F(MainWindowTest, AnInvalidRangeDisablesTheThreeButtonsAndTheThreeRangeCommandsAtOnce) {
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

TEST_F(MainWindowTest, TheWindowTakesItsColoursFromTheRendererWhenItsFactorsChange) {
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

TEST_F(MainWindowTest, TheStripOfTheNextHoursIsHeadedEverySixHoursAndCarriesItsLegend) {
    const auto* strip = window.findChild<ReadinessGrid*>(u"grdReadinessStrip"_s);
    ASSERT_NE(strip, nullptr);
    EXPECT_FALSE(strip->horizontalHeader()->isHidden());
    QStringList headings;
    for (int hour = 0; hour < 24; ++hour)
        headings.append(strip->horizontalHeaderItem(hour)->text());
    EXPECT_EQ(headings.join(u','), u"00,,,,,,06,,,,,,12,,,,,,18,,,,,"_s);
    QStringList legend;
    for (const QLabel* label : window.findChild<QWidget*>(u"pnlStripLegend"_s)->findChildren<QLabel*>())
        legend.append(label->text());
    EXPECT_TRUE(legend.contains(u"not scheduled, its log offers it: Import adds it"_s))
        << legend.join(u'|').toStdString();
    EXPECT_TRUE(legend.contains(u"not scheduled"_s));
}

TEST_F(MainWindowTest, TheSplashStaysUntilTheWindowShowsAndTheOpenedWindowsCloseFirstTheMostRecentFirst) {
    SplashWindow splash;
    splash.show();
    window.SetSplash(&splash);
    window.SplashAction(u"Reading Last Scheduled Information..."_s);
    EXPECT_TRUE(splash.isVisible());
    window.show();
    EXPECT_FALSE(splash.isVisible());

    class CloseOrder : public QObject {
    public:
        QStringList Closed;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Close)
                Closed.append(watched->objectName());
            return false;
        }
    } order;
    for (const QString& name : {u"first"_s, u"second"_s, u"third"_s}) {
        auto* other = new QWidget(&window, Qt::Window);
        other->setObjectName(name);
        other->installEventFilter(&order);
        other->show();
    }
    window.close();
    EXPECT_EQ(order.Closed, QStringList({u"third"_s, u"second"_s, u"first"_s}));
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, LongWorkShowsTheWaitCursorAndAQuestionInItTheArrow) {
    QtOperator op;
    op.SetOwner(&window);
    window.SetBusy(true);
    window.SetBusy(true); // spans nest
    std::optional<Qt::CursorShape> whileAsked;
    QTimer::singleShot(0, [&] {
        whileAsked = QGuiApplication::overrideCursor()->shape();
        QApplication::activeModalWidget()->close();
    });
    op.MessageBox(u"Carry on?"_s, Operator::Question, Operator::YesNo, 1, u"Log Importer"_s);
    EXPECT_EQ(whileAsked, Qt::ArrowCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    window.SetBusy(false);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    window.SetBusy(false);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
