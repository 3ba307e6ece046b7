#include "base/DateConversion.h"

#include "support/TempHome.h"

#include <gtest/gtest.h>

namespace {

const QLocale british(QLocale::English, QLocale::UnitedKingdom);
const QLocale american(QLocale::English, QLocale::UnitedStates);
const QLocale swedish(QLocale::Swedish, QLocale::Sweden); // short dates as 2010-11-23

} // namespace

class DateConversionTest : public TempHome {}; // "this year" comes from the clock: 2010

TEST_F(DateConversionTest, ReadsDatesAsTheLocalesDayOrderWants) {
    const struct {
        const QLocale* locale;
        const char16_t* text;
        QDateTime expected;
    } cases[] = {
        {&british, u"23/11/10", QDateTime(QDate(2010, 11, 23), QTime(0, 0), Qt::UTC)},
        {&american, u"11/23/10", QDateTime(QDate(2010, 11, 23), QTime(0, 0), Qt::UTC)},
        {&swedish, u"10-11-23", QDateTime(QDate(2010, 11, 23), QTime(0, 0), Qt::UTC)},
        {&british, u"1/2/2010", QDateTime(QDate(2010, 2, 1), QTime(0, 0), Qt::UTC)},
        {&american, u"1/2/2010", QDateTime(QDate(2010, 1, 2), QTime(0, 0), Qt::UTC)},
        // a day order that gives no date falls back to one that does
        {&american, u"23/11/2010", QDateTime(QDate(2010, 11, 23), QTime(0, 0), Qt::UTC)},
        {&british, u"11/23/2010", QDateTime(QDate(2010, 11, 23), QTime(0, 0), Qt::UTC)},
        // four digits first is always year, month, day
        {&british, u"2010-11-23 14:30", QDateTime(QDate(2010, 11, 23), QTime(14, 30), Qt::UTC)},
        {&american, u"2010/1/2", QDateTime(QDate(2010, 1, 2), QTime(0, 0), Qt::UTC)},
        // two-digit years: 00-29 in this century, 30-99 in the last
        {&british, u"1.2.29", QDateTime(QDate(2029, 2, 1), QTime(0, 0), Qt::UTC)},
        {&british, u"1.2.30", QDateTime(QDate(1930, 2, 1), QTime(0, 0), Qt::UTC)},
        // month names and abbreviations, in any position, with weekday names ignored
        {&american, u"2010 November 23", QDateTime(QDate(2010, 11, 23), QTime(0, 0), Qt::UTC)},
        {&swedish, u"23 Nov 2010 6:05:09 PM", QDateTime(QDate(2010, 11, 23), QTime(18, 5, 9), Qt::UTC)},
        {&british, u"Tue 23 November 2010 14:00:00", QDateTime(QDate(2010, 11, 23), QTime(14, 0), Qt::UTC)},
        {&british, u"November 23, 2010 12:00 am", QDateTime(QDate(2010, 11, 23), QTime(0, 0), Qt::UTC)},
        {&swedish, u"23 november 2010", QDateTime(QDate(2010, 11, 23), QTime(0, 0), Qt::UTC)},
        // no year: this year
        {&british, u"5/6", QDateTime(QDate(2010, 6, 5), QTime(0, 0), Qt::UTC)},
        {&american, u"5/6 10:15", QDateTime(QDate(2010, 5, 6), QTime(10, 15), Qt::UTC)},
        {&british, u"  07/03/2011  ", QDateTime(QDate(2011, 3, 7), QTime(0, 0), Qt::UTC)},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        const auto got = DateConversion::Read(text, *c.locale);
        ASSERT_TRUE(got.has_value()) << text.toStdString() << " in " << c.locale->name().toStdString();
        EXPECT_EQ(*got, c.expected) << text.toStdString() << " in " << c.locale->name().toStdString();
    }
}

TEST_F(DateConversionTest, RefusesTextsThatNameNoDate) {
    const char16_t* texts[] = {u"",
                               u"hello",
                               u"14:30",
                               u"31/02/2010",
                               u"32/13/2010",
                               u"23 Foo 2010",
                               u"23/11/2010 25:00",
                               u"1/2/3/4",
                               u"23/11/2010 x",
                               u"13:00 PM 1/2/2010",
                               u"2010"};
    for (const char16_t* text : texts) {
        EXPECT_FALSE(DateConversion::Read(QString::fromUtf16(text), british).has_value())
            << QString::fromUtf16(text).toStdString();
    }
}
