#include "windows/ProgressWindow.h"

#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

class ProgressWindowTest : public testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    QString Caption(const QString& name) const {
        const auto* label = window.findChild<QLabel*>(name);
        EXPECT_NE(label, nullptr) << name.toStdString();
        return label ? label->text() : QString();
    }

    ProgressWindow window;
    ProgressReceiver& progress = *window.Display();
};

TEST_F(ProgressWindowTest, CountersAreTitledClearedAndCountedOneByOne) {
    progress.SetOverallProcessName(u"Sending Music Log"_s);
    progress.SetCurrentProcessProgressPercent(30);
    progress.Clear(QString(), QString());
    EXPECT_EQ(Caption(u"lblReportDescCap(1)"_s), u"n/a");
    EXPECT_EQ(Caption(u"lblReportCountCap(1)"_s), QString());
    EXPECT_EQ(Caption(u"lblReportDescCap(2)"_s), u"n/a");
    EXPECT_EQ(Caption(u"lblReportCountCap(2)"_s), QString());
    progress.IncrementReportCount(1);
    EXPECT_EQ(Caption(u"lblReportCountCap(1)"_s), u"1");

    progress.Clear(u"Number of items missing audio:"_s, u"Number of Underrunning Hours:"_s);
    EXPECT_EQ(Caption(u"lblReportDescCap(1)"_s), u"Number of items missing audio:");
    EXPECT_EQ(Caption(u"lblReportCountCap(1)"_s), u"0");
    EXPECT_EQ(Caption(u"lblReportDescCap(2)"_s), u"Number of Underrunning Hours:");
    for (int i = 0; i < 12; ++i)
        progress.IncrementReportCount(2);
    progress.IncrementReportCount(3);
    progress.IncrementReportCount(0);
    EXPECT_EQ(Caption(u"lblReportCountCap(1)"_s), u"0");
    EXPECT_EQ(Caption(u"lblReportCountCap(2)"_s), u"12");
    // Clear leaves the names and bars as they were.
    EXPECT_EQ(progress.OverallProcessName(), u"Sending Music Log");
    EXPECT_EQ(progress.CurrentProcessProgressPercent(), 30);
}

TEST_F(ProgressWindowTest, APushCountsItsAdvertsInAThirdCounterThatClearTakesAway) {
    progress.Clear(u"Number of items missing audio:"_s, u"Number of Underrunning Hours:"_s);
    progress.IncrementReportCount(3); // not titled: ignored
    progress.TitleThirdCount(u"Number of adverts pushed:"_s);
    EXPECT_EQ(Caption(u"lblReportDescCap(3)"_s), u"Number of adverts pushed:");
    EXPECT_EQ(Caption(u"lblReportCountCap(3)"_s), u"0");
    progress.IncrementReportCount(3);
    progress.IncrementReportCount(3);
    EXPECT_EQ(Caption(u"lblReportCountCap(3)"_s), u"2");
    progress.Clear(QString(), QString());
    progress.IncrementReportCount(3);
    EXPECT_TRUE(window.findChild<QLabel*>(u"lblReportCountCap(3)"_s)->isHidden());
    EXPECT_EQ(Caption(u"lblReportCountCap(3)"_s), u"2"); // untouched once taken away
}

TEST_F(ProgressWindowTest, TheHourRowSaysWhichHourOfHowManyAndTheTimeLeftAtTheBarsPace) {
    progress.SetHourNumber(37, 168);
    EXPECT_EQ(Caption(u"lblHourCap"_s), u"hour 37 of 168"); // no pace yet: no time left
    // A quarter done in 10 s leaves three quarters: 30 s; in 60 s, 3 minutes.
    EXPECT_EQ(ProgressWindow::TimeLeft(10000, 25, 75), u"about 30 s left");
    EXPECT_EQ(ProgressWindow::TimeLeft(60000, 25, 75), u"about 3 min left");
    EXPECT_EQ(ProgressWindow::TimeLeft(999, 25, 75), QString());
    EXPECT_EQ(ProgressWindow::TimeLeft(10000, 0, 100), QString());
    EXPECT_EQ(ProgressWindow::TimeLeft(10000, 50, 0), u"about 0 s left");
}

TEST_F(ProgressWindowTest, ChangesYieldToTheEventLoopAtMostEveryFiftyMillisecondsAndTheBarsEndExact) {
    bool first = false, second = false;
    QTimer::singleShot(0, [&] { first = true; });
    progress.SetCurrentTaskName(u"Finding 14:00 in the Scheduled Log"_s);
    EXPECT_TRUE(first); // the first change yields
    QTimer::singleShot(0, [&] { second = true; });
    progress.SetCurrentTaskName(u"Writing Hour to Log"_s);
    progress.SetOverallProcessProgressPercent(40);
    EXPECT_FALSE(second); // within 50 ms: no yield, but every value is kept
    EXPECT_EQ(Caption(u"lblCurrentTaskCap"_s), u"Writing Hour to Log");
    EXPECT_EQ(progress.OverallProcessProgressPercent(), 40);
    QThread::msleep(60);
    progress.SetCurrentProcessProgressPercent(75);
    EXPECT_TRUE(second); // 50 ms on, the next change yields
    const auto* overall = window.findChild<QProgressBar*>(u"prgOverallProcess"_s);
    const auto* current = window.findChild<QProgressBar*>(u"prgCurrentProcess"_s);
    EXPECT_EQ(overall->value(), 40);
    EXPECT_EQ(current->value(), 75);
    // A last value set inside the 50 ms is shown once the event loop runs.
    progress.SetOverallProcessProgressPercent(100);
    EXPECT_EQ(overall->value(), 40);
    QTest::qWait(120);
    EXPECT_EQ(overall->value(), 100);
}
