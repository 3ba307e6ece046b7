#include "importers/HourHeaderReader.h"
#include "importers/MusicLogLine.h"

#include "base/ListLineSource.h"
#include "support/Columns.h"
#include "support/OperatorHome.h"

#include <QLocale>
#include <gtest/gtest.h>

class HourHeaderReaderTest : public OperatorHome {
protected:
    void TearDown() override {
        QLocale::setDefault(QLocale::system());
        OperatorHome::TearDown();
    }
    std::optional<HourHeaderReader::Header> Read(const QString& first, const QStringList& more = {}) {
        return ReadWhy(first, more).Read;
    }
    static HourHeaderReader::Result ReadWhy(const QString& first, const QStringList& more = {}) {
        ListLineSource source(more);
        return HourHeaderReader::Read(first, source);
    }
    static constexpr qint32 nov23 = 40505;
};

TEST_F(HourHeaderReaderTest, OneLineHeadersFollowTheSystemsDayOrder) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    auto header = Read(u"+23/11/10 14:00 Drive"_s);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Hour, (ScheduleDate{nov23, 50400}));
    EXPECT_EQ(header->Name, u"Drive");
    header = Read(u"+23/11/2010 06:00  Breakfast Show "_s);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Hour, (ScheduleDate{nov23, 21600}));
    EXPECT_EQ(header->Name, u" Breakfast Show "); // the name is not trimmed
    EXPECT_EQ(Read(u"+23/11/10 00:00"_s)->Name, QString());

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    header = Read(u"+11/23/10 23:00 Late"_s);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Hour, (ScheduleDate{nov23, 82800}));
    EXPECT_EQ(Read(u"+1/2/10 09:00 x"_s)->Hour.Day, nov23 - 325); // 2 January 2010

    // Unreadable: the date is not one, the hour is not one of 0 to 23. The reader
    // only says why; telling the operator is its caller's, which knows the line.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    EXPECT_EQ(ReadWhy(u"+notadate 14:00 Drive"_s).Why, HourHeaderReader::BadDate);
    EXPECT_EQ(ReadWhy(u"+31/02/10 14:00 Drive"_s).Why, HourHeaderReader::BadDate);
    EXPECT_EQ(ReadWhy(u"+23/11/10 25:00 Drive"_s).Why, HourHeaderReader::BadHour);
    EXPECT_FALSE(Read(u"+23/11/10 24:00 Drive"_s));
    EXPECT_EQ(HourHeaderReader::Action(HourHeaderReader::BadHour), u"reading the time from the Music Log");
    EXPECT_TRUE(op.Messages.isEmpty());
    EXPECT_EQ(MusicLogLine::KindOf(MusicLogLine::WithoutFormFeed(u"\f+23/11/10 14:00 Drive"_s)),
              MusicLogLine::HourHeader);
}

TEST_F(HourHeaderReaderTest, BlockHeadersReadTheirDateHourAndClockLines) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    const QStringList block = {u"Some other line"_s, u"Date : 23/11/10"_s,       u"Ignored"_s,
                               u"Hour : 14"_s,       u"Clock:   Drive Time  "_s, u"@next item"_s};
    ListLineSource source(block);
    const auto header = HourHeaderReader::Read(u"+*** Hour ***"_s, source).Read;
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Hour, (ScheduleDate{nov23, 50400}));
    EXPECT_EQ(header->Name, u"Drive Time");
    EXPECT_EQ(source.Consumed(), 5); // the item after the clock line is left for the caller

    EXPECT_EQ(Read(u"+*"_s, {u"Date : 23/11/2010"_s, u"Hour : 0"_s, u"Clock: Night"_s, QString()})->Hour,
              (ScheduleDate{nov23, 0}));
    EXPECT_EQ(Read(u"+*"_s, {u"Date : 01/12/10"_s, u"Hour : 5"_s, u"Clock: x"_s, u"@"_s})->Hour.Day,
              nov23 + 8);

    EXPECT_EQ(ReadWhy(u"+*"_s, {u"Date : 23/11/10"_s, u"Hour : 24"_s, u"Clock: x"_s, u"@"_s}).Why,
              HourHeaderReader::BadHour);
    EXPECT_EQ(ReadWhy(u"+*"_s, {u"Date : 99/99/99"_s, u"Hour : 14"_s, u"Clock: x"_s, u"@"_s}).Why,
              HourHeaderReader::BadDate);
    // A block cut off by the end of the file fails, its "Clock:" line as the last line
    // included: its hour would be written empty.
    for (const QStringList& cut : {QStringList{u"Date : 23/11/10"_s, u"Hour : 14"_s, u"Clock: x"_s},
                                   QStringList{u"Date : 23/11/10"_s, u"Hour : 14"_s},
                                   QStringList{u"Date : 23/11/10"_s}, QStringList{}})
        EXPECT_EQ(ReadWhy(u"+*"_s, cut).Why, HourHeaderReader::CutShort) << cut.join(u'|').toStdString();
    EXPECT_TRUE(HourHeaderReader::Action(HourHeaderReader::CutShort).isEmpty()); // told of without a box
}
