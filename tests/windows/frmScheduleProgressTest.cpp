#include "windows/frmScheduleProgress.h"

#include <QLabel>
#include <QLocale>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

class frmScheduleProgressTest : public testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    QString Caption(const QString& name) const {
        const auto* label = window.findChild<QLabel*>(name);
        EXPECT_NE(label, nullptr) << name.toStdString();
        return label ? label->text() : QString();
    }

    frmScheduleProgress window;
    iScheduleCallback& progress = *window.Display();
};

TEST_F(frmScheduleProgressTest, CountersAreTitledClearedAndCountedOneByOne) {
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

TEST_F(frmScheduleProgressTest, EachCaptionChangeLetsWaitingEventsRunButABarChangeDoesNot) {
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    progress.SetOverallProcessProgressPercent(10);
    EXPECT_FALSE(ran);
    progress.SetCurrentTaskName(u"Writing Hour to Log"_s);
    EXPECT_TRUE(ran);
}
