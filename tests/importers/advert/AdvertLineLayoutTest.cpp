#include "importers/advert/AdvertLineLayout.h"

#include "support/Columns.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {
QString native(const QString& time, const QString& type, const QString& cart, const QString& title,
               const QString& reference, const QString& notes = {}) {
    return AdvertLineLayout::BuildAdvertLine(time, type, cart, title, reference, 30, false, notes);
}
} // namespace

TEST(AdvertLineLayout, FieldsAreCutFromTheNativeColumns) {
    const QString line = u"06:15:00|SPOT|    1234|Double Glazing Sale           |  30|REF"_s;
    EXPECT_EQ(native(u"06:15:00"_s, u"SPOT"_s, u"1234"_s, u"Double Glazing Sale"_s, u"REF"_s), line);
    EXPECT_FLOAT_EQ(AdvertLineLayout::AdvertLineSeconds(line), 22500);
    EXPECT_EQ(AdvertLineLayout::AdvertLineType(line), u"SPOT");
    EXPECT_EQ(AdvertLineLayout::AdvertLineCart(line, 0), u"1234");
    EXPECT_EQ(AdvertLineLayout::AdvertLineTitle(line), u"Double Glazing Sale");
    EXPECT_EQ(AdvertLineLayout::AdvertLineReference(line), u"REF");
    EXPECT_EQ(AdvertLineLayout::AdvertLineNotes(line), QString());
    EXPECT_EQ(AdvertLineLayout::NormaliseAdvertLine(line), line);

    const QString zeros = native(u"07:00:00"_s, u"spot"_s, u"0034"_s, u"T"_s, u"R"_s);
    EXPECT_EQ(AdvertLineLayout::AdvertLineCart(zeros, 0), u"0034");
    EXPECT_EQ(AdvertLineLayout::AdvertLineCart(zeros, 1000), u"1034");
    EXPECT_EQ(AdvertLineLayout::AdvertLineCart(native(u"07:00:00"_s, {}, {}, u"T"_s, {}), 5), u"5");
    EXPECT_EQ(AdvertLineLayout::AdvertLineType(zeros), u"SPOT");
    // A cart number fills all eight of its columns.
    EXPECT_EQ(
        AdvertLineLayout::AdvertLineCart(native(u"07:00:00"_s, u"SPOT"_s, u"12345678"_s, u"T"_s, u"R"_s), 0),
        u"12345678");

    // Empty and short lines: nothing is refused.
    EXPECT_FLOAT_EQ(AdvertLineLayout::AdvertLineSeconds(QString()), -1);
    EXPECT_EQ(AdvertLineLayout::AdvertLineCart(QString(), 250), u"0");
    EXPECT_EQ(AdvertLineLayout::AdvertLineTitle(QString()), QString());
    EXPECT_EQ(AdvertLineLayout::AdvertLineReference(u"   "_s), QString());
    EXPECT_FLOAT_EQ(AdvertLineLayout::AdvertLineSeconds(u"1x:3"_s), 3600 + 180);
    EXPECT_EQ(AdvertLineLayout::AdvertLineTitle(u"12:00:00|SP"_s), QString());
}

TEST(AdvertLineLayout, EveryLayoutBecomesNative) {
    const struct {
        const char16_t* raw;
        const char16_t* time;
        const char16_t* type;
        const char16_t* cart;
        const char16_t* title;
        const char16_t* reference;
    } cases[] = {
        // short-time: hh:mm, a 4-wide cart, a 3-wide length
        {u"14:30|SPOT|1234|Carpet Warehouse              | 30|REF-9", u"14:30:00", u"SPOT", u"1234",
         u"Carpet Warehouse", u"REF-9"},
        // prefixed: columns 1-4 ignored, a 42-wide title cut to 30
        {u"0001|14:30:15|01234|SPOT|A Very Long Advert Title That Runs On And On  | 40", u"14:30:15", u"SPOT",
         u"01234", u"A Very Long Advert Title That", u""},
        // C-record in either case: no type
        {u"C1430:  5678Garden Centre             00:30    BOOKING-REF-0000000000000000001", u"14:30:00", u"",
         u"5678", u"Garden Centre", u"BOOKING-REF-0000000000000000001"},
        {u"c0605:  0099Bakery                    00:20    R", u"06:05:00", u"", u"0099", u"Bakery", u"R"},
        // a "C" line without the colon is judged by columns 5 and 6
        {u"CAR1|14:30:15|01234|AD  |Car Dealer", u"14:30:15", u"AD", u"01234", u"Car Dealer", u""},
    };
    for (const auto& c : cases) {
        const QString raw = QString::fromUtf16(c.raw);
        const QString line = AdvertLineLayout::NormaliseAdvertLine(raw);
        EXPECT_EQ(AdvertLineLayout::NormaliseAdvertLine(line), line)
            << raw.toStdString(); // normalising is idempotent
        EXPECT_EQ(line.left(8), QString::fromUtf16(c.time)) << raw.toStdString();
        EXPECT_EQ(AdvertLineLayout::AdvertLineType(raw), QString::fromUtf16(c.type)) << raw.toStdString();
        EXPECT_EQ(AdvertLineLayout::AdvertLineCart(raw, 0), QString::fromUtf16(c.cart)) << raw.toStdString();
        EXPECT_EQ(AdvertLineLayout::AdvertLineTitle(raw), QString::fromUtf16(c.title)) << raw.toStdString();
        EXPECT_EQ(AdvertLineLayout::AdvertLineReference(raw).trimmed(), QString::fromUtf16(c.reference))
            << raw.toStdString();
        EXPECT_EQ(line.mid(53, 1), u"|") << raw.toStdString(); // the columns after the title stay in place
    }
    EXPECT_EQ(AdvertLineLayout::NormaliseAdvertLine(u"14:30|SPOT|1234|x"_s).mid(18, 4), u"1234");
    EXPECT_EQ(AdvertLineLayout::NormaliseAdvertLine(QString::fromUtf16(cases[2].raw)).mid(54, 4), u"  30");
}
