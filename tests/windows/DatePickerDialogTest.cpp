#include "windows/DatePickerDialog.h"
#include "base/Clock.h"
#include "base/ScheduleDateTools.h"
#include "support/OperatorHome.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

class DatePickerDialogTest : public OperatorHome {
protected:
    void SetUp() override {
        OperatorHome::SetUp();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    }
    template <typename T> T* Find(const QString& name) const {
        T* found = picker.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QString Text(const QString& name) const { return Find<QLineEdit>(name)->text(); }

    static constexpr qint32 nov9 = 40491; // 9 November 2010
    DatePickerDialog picker;
};

TEST_F(DatePickerDialogTest, AnHourWithFlagsThreeShowsItsHourAndLockedMinutes) {
    picker.Open({nov9, 50400}, 3);
    EXPECT_EQ(Text(u"txtDate"_s), u"09 Nov 2010");
    EXPECT_EQ(Find<QLabel>(u"lblDay"_s)->text(), u"Tue");
    EXPECT_EQ(Text(u"txtHours"_s), u"14");
    EXPECT_EQ(Text(u"txtMinutes"_s), u"00");
    EXPECT_TRUE(Find<QLineEdit>(u"txtMinutes"_s)->isReadOnly());
    EXPECT_EQ(Find<QLineEdit>(u"txtMinutes"_s)->palette().color(QPalette::Base),
              picker.palette().color(QPalette::Button));
    EXPECT_FALSE(Find<QToolButton>(u"cmdMinuteUp"_s)->isEnabled());
    EXPECT_EQ(Find<QScrollBar>(u"scrollHours"_s)->value(), 14);
    picker.accept();
    const ScheduleDate chosen = picker.Result();
    EXPECT_EQ(chosen.Day, nov9);
    EXPECT_FLOAT_EQ(chosen.Seconds, 50400);

    picker.Open({nov9, 50400}, 7); // 4 with 2: the minutes may change
    EXPECT_FALSE(Find<QLineEdit>(u"txtMinutes"_s)->isReadOnly());
    EXPECT_TRUE(Find<QToolButton>(u"cmdMinuteUp"_s)->isEnabled());
    picker.Open({nov9, 50400}, 1);
    EXPECT_FALSE(Find<QWidget>(u"picTime"_s)->isVisibleTo(&picker));
}

TEST_F(DatePickerDialogTest, TheCalendarAndTheDateBoxFollowEachOther) {
    picker.Open({nov9, 0}, 2);
    auto* calendar = Find<QCalendarWidget>(u"dtMonth"_s);
    auto* date = Find<QLineEdit>(u"txtDate"_s);
    date->selectAll();
    QTest::keyClicks(date, u"25/12/2010"_s);
    EXPECT_EQ(calendar->selectedDate(), QDate(2010, 12, 25));
    EXPECT_EQ(Find<QLabel>(u"lblDay"_s)->text(), u"Sat");
    QTest::keyClicks(date, u"x"_s);
    EXPECT_EQ(Find<QLabel>(u"lblDay"_s)->text(), QString());

    calendar->setSelectedDate(QDate(2010, 11, 30));
    emit calendar->clicked(QDate(2010, 11, 30));
    EXPECT_EQ(date->text(), u"30 Nov 2010");
    EXPECT_EQ(Find<QLabel>(u"lblDay"_s)->text(), u"Tue");

    picker.show(); // the keys move the day with no click: the box and the weekday follow
    QTest::keyClick(calendar->findChild<QTableView*>(), Qt::Key_Right);
    EXPECT_EQ(calendar->selectedDate(), QDate(2010, 12, 1));
    EXPECT_EQ(date->text(), u"01 Dec 2010");
    EXPECT_EQ(Find<QLabel>(u"lblDay"_s)->text(), u"Wed");
}

TEST_F(DatePickerDialogTest, TheDayPartsStandBesideTheirHoursOnTheHourBar) {
    picker.Open({nov9, 0}, 2);
    picker.show();
    const QScrollBar* bar = Find<QScrollBar>(u"scrollHours"_s);
    const int arrows = bar->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const double track = bar->height() - 2 * arrows;
    // The hour (0-23) on the bar's track level with the middle of a label.
    const auto hourBeside = [&](const QString& name) {
        const QLabel* label = Find<QLabel>(name);
        const int middle =
            label->mapTo(&picker, label->rect().center()).y() - bar->mapTo(&picker, QPoint()).y();
        return (middle - arrows) / track * 24;
    };
    EXPECT_GE(hourBeside(u"lblBreakfast"_s), 6);
    EXPECT_LE(hourBeside(u"lblBreakfast"_s), 10);
    EXPECT_GE(hourBeside(u"lblDriveTime"_s), 16);
    EXPECT_LE(hourBeside(u"lblDriveTime"_s), 20);
}

TEST_F(DatePickerDialogTest, WithFlagsOneAChosenDayIsTheAnswer) {
    picker.Open({nov9, 0}, 1);
    picker.show();
    auto* calendar = Find<QCalendarWidget>(u"dtMonth"_s);
    calendar->setSelectedDate(QDate(2010, 11, 12)); // as a click on the day does
    emit calendar->clicked(QDate(2010, 11, 12));
    EXPECT_FALSE(picker.isVisible());
    EXPECT_FALSE(picker.Cancelled());
    EXPECT_EQ(picker.Result().Day, nov9 + 3);

    picker.Open({nov9, 0}, 1); // a key moves the day but chooses nothing
    picker.show();
    QTest::keyClick(calendar->findChild<QTableView*>(), Qt::Key_Right);
    EXPECT_TRUE(picker.isVisible());
}
