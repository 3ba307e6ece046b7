#include "importers/HourHeaderReader.h"
#include "importers/MusicLogLine.h"

#include "support/Columns.h"
#include "support/TempHome.h"

#include <QLocale>
#include <gtest/gtest.h>

class HourHeaderReaderTest : public TempHome {
protected:
    void TearDown() override {
        QLocale::setDefault(QLocale::system());
        TempHome::TearDown();
    }
    std::optional<HourHeaderReader::Header> Read(const QString& first, const QStringList& more = {}) {
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
    EXPECT_TRUE(op.Messages.isEmpty());

    EXPECT_FALSE(Read(u"+notadate 14:00 Drive"_s));
    ASSERT_EQ(op.MessageTexts(), QStringList{u"There was a problem reading the date from the Music Log"_s});
    EXPECT_EQ(MusicLogLine::KindOf(MusicLogLine::WithoutFormFeed(u"\f+23/11/10 14:00 Drive"_s)),
              MusicLogLine::HourHeader);
}

TEST_F(HourHeaderReaderTest, BlockHeadersReadTheirDateHourAndClockLines) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    const QStringList block = {u"Some other line"_s, u"Date : 23/11/10"_s,       u"Ignored"_s,
                               u"Hour : 14"_s,       u"Clock:   Drive Time  "_s, u"@next item"_s};
    ListLineSource source(block);
    const auto header = HourHeaderReader::Read(u"+*** Hour ***"_s, source);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Hour, (ScheduleDate{nov23, 50400}));
    EXPECT_EQ(header->Name, u"Drive Time");
    EXPECT_EQ(source.Consumed(), 5); // the item after the clock line is left for the caller

    EXPECT_EQ(Read(u"+*"_s, {u"Date : 23/11/2010"_s, u"Hour : 0"_s, u"Clock: Night"_s})->Hour,
              (ScheduleDate{nov23, 0}));
    EXPECT_EQ(Read(u"+*"_s, {u"Date : 01/12/10"_s, u"Hour : 5"_s, u"Clock: x"_s})->Hour.Day, nov23 + 8);

    EXPECT_FALSE(Read(u"+*"_s, {u"Date : 23/11/10"_s, u"Hour : 24"_s, u"Clock: x"_s}));
    EXPECT_EQ(op.MessageTexts(), QStringList{u"There was a problem reading the time from the Music Log"_s});
    op.Messages.clear();
    // The end of the lines inside a block fails without a word.
    EXPECT_FALSE(Read(u"+*"_s, {u"Date : 23/11/10"_s, u"Hour : 14"_s}));
    EXPECT_FALSE(Read(u"+*"_s, {u"Date : 23/11/10"_s}));
    EXPECT_FALSE(Read(u"+*"_s, {}));
    EXPECT_TRUE(op.Messages.isEmpty());
    EXPECT_FALSE(Read(u"+*"_s, {u"Date : 99/99/99"_s, u"Hour : 14"_s, u"Clock: x"_s}));
    EXPECT_EQ(op.MessageTexts(), QStringList{u"There was a problem reading the date from the Music Log"_s});
}
