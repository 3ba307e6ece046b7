#include "importers/advert/AdvertFormat.h"
#include "importers/FormatDescription.h"
#include "importers/advert/AdvertLineLayout.h"

#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// What the push reads of a line, field by field.
QStringList fields(const QString& line) {
    return {QString::number(AdvertLineLayout::AdvertLineSeconds(line)),
            AdvertLineLayout::AdvertLineType(line),
            AdvertLineLayout::AdvertLineCart(line, 0),
            AdvertLineLayout::AdvertLineTitle(line),
            QString::number(AdvertLineLayout::AdvertLineLength(line)),
            AdvertLineLayout::AdvertLineReference(line),
            AdvertLineLayout::AdvertLineNotes(line).value_or(u"(bad notes)"_s)};
}

AdvertFormat parsed(const QString& text) {
    QString problem;
    const std::optional<AdvertFormat> format = AdvertFormat::Parse(text, u"test.format"_s, &problem);
    EXPECT_TRUE(format) << problem.toStdString();
    return format.value_or(AdvertFormat());
}

QString refusal(const QString& text) {
    QString problem;
    EXPECT_FALSE(AdvertFormat::Parse(text, u"bad.format"_s, &problem));
    return problem;
}

} // namespace

TEST(AdvertFormat, TheShippedDescriptionsReadEveryLayoutAsTheLayoutsOwnReaderDoes) {
    QStringList lines;
    for (const QString& file :
         QDir(QStringLiteral(FUZZ_DIR) + u"/corpus/advert_line"_s).entryList(QDir::Files)) {
        QFile corpus(QStringLiteral(FUZZ_DIR) + u"/corpus/advert_line/"_s + file);
        ASSERT_TRUE(corpus.open(QIODevice::ReadOnly));
        lines.append(QString::fromUtf8(corpus.readAll()).trimmed());
    }
    lines << u"14:30|SPOT|1234|Carpet Warehouse              | 30|REF-9"_s
          << u"0001|14:30:15|01234|SPOT|A Very Long Advert Title That Runs On And On  | 40"_s
          << u"C1430:  1234Spot Title                 00:45    REF-C"_s
          << u"c0905:  0042Short                       0:30    R"_s
          << AdvertLineLayout::BuildAdvertLine(u"23:59:59"_s, u"PROM"_s, u"12345678"_s,
                                               u"Title, with a comma"_s, u"Ref"_s, 7.5, false,
                                               u"50% off & more"_s);
    QMap<QString, int> seen;
    for (const QString& line : lines) {
        const QString layout = AdvertLineLayout::LayoutName(AdvertLineLayout::LayoutOf(line));
        ++seen[layout];
        QString problem;
        const std::optional<AdvertFormat> format = AdvertFormat::Find(layout, &problem);
        ASSERT_TRUE(format) << problem.toStdString();
        const AdvertFormat::Reading reading = format->Read(line);
        ASSERT_EQ(reading.Problem, QString()) << line.toStdString();
        EXPECT_EQ(fields(reading.Native), fields(line)) << layout.toStdString() << ": " << line.toStdString();
    }
    EXPECT_EQ(seen.keys(), QStringList({u"c-record"_s, u"native"_s, u"prefixed"_s, u"short-time"_s}));
    for (const QString& name : seen.keys())
        EXPECT_TRUE(FormatDescription::Names().contains(name));
}

TEST(AdvertFormat, ADelimitedLayoutFindsItsColumnsByNameAndKeepsQuotedCommas) {
    AdvertFormat format = parsed(u"# a traffic system's CSV\n"
                                 u"kind = delimited\nheader = yes\nseparator = ,\n"
                                 u"time = Air Time\ntime form = hh:mm\ncart = Cart\ntitle = 4\n"
                                 u"length = Length\nreference = Order\ntype = 2\nnotes = Notes\n"_s);
    EXPECT_EQ(format.TakeHeader(u"Air Time,Kind,Order,Title,Cart,Length,Notes"_s), QString());
    const AdvertFormat::Reading read =
        format.Read(u"10:15,SPOT,ORD-7,\"Sofas, chairs and \"\"more\"\"\",5001,0:45,Read by Sam"_s);
    ASSERT_EQ(read.Problem, QString());
    EXPECT_EQ(fields(read.Native),
              QStringList({u"36900"_s, u"SPOT"_s, u"5001"_s, u"Sofas, chairs and \"more\""_s, u"45"_s,
                           u"ORD-7"_s.leftJustified(40), u"Read by Sam"_s}));
    EXPECT_EQ(format.Read(u"  "_s).Native, QString()); // a blank line stays one

    const AdvertFormat::Reading late = format.Read(u"25:15,SPOT,O,T,5001,30,"_s);
    EXPECT_EQ(late.Problem, u"the time '25:15' is not hh:mm");
    EXPECT_EQ(late.Column, 1);
    const AdvertFormat::Reading cut = format.Read(u"10:15,SPOT,O,T"_s);
    EXPECT_EQ(cut.Problem, u"the cart is field 5, and the line has 4");
    const AdvertFormat::Reading open = format.Read(u"10:15,SPOT,O,\"T,5001,30,"_s);
    EXPECT_EQ(open.Problem, u"a quote that is not closed at character 14");
    // A length that is no number is none, as in the shipped layouts.
    EXPECT_EQ(AdvertLineLayout::AdvertLineLength(format.Read(u"10:15,SPOT,O,T,5001,half,"_s).Native), 0);
    EXPECT_EQ(format.TakeHeader(u"Time,Cart"_s), u"the header row has no column 'Air Time'");
}

TEST(AdvertFormat, ABadDescriptionIsRefusedWithItsFileLineKeyAndWhy) {
    EXPECT_EQ(refusal(u"kind = fixed\ntime = 1-8\ncart = 8-15\n"_s),
              u"bad.format: the time and the cart overlap");
    EXPECT_EQ(refusal(u"kind = fixed\ncart = 15-22\n"_s), u"bad.format: the time's place is missing");
    EXPECT_EQ(refusal(u"kind = fixed\ntime = 1-8\n"_s),
              u"bad.format: neither the cart's place nor the title's is given");
    EXPECT_EQ(refusal(u"kind = fixed\ntime = 1-8\ncart = 1200-1208\n"_s),
              u"bad.format: line 3, key 'cart': columns run from 1 to 999");
    EXPECT_EQ(refusal(u"kind = fixed\ntime = 8-1\n"_s),
              u"bad.format: line 2, key 'time': its last column comes before its first");
    EXPECT_EQ(refusal(u"kind = columns\ntime = 1-8\n"_s),
              u"bad.format: line 1, key 'kind': an unknown kind 'columns': fixed or delimited");
    EXPECT_EQ(refusal(u"time = 1-8\n"_s), u"bad.format, key 'kind': missing: fixed or delimited");
    EXPECT_EQ(refusal(u"kind = fixed\ntime = 1-8\ncolour = blue\n"_s),
              u"bad.format: line 3, key 'colour': an unknown key");
    EXPECT_EQ(refusal(u"kind = delimited\ntime = Time\ncart = 2\n"_s),
              u"bad.format: the time is found by its column's name, so the layout needs header = yes");
    EXPECT_EQ(refusal(u"kind = delimited\ntime = 1\ncart = 1\n"_s),
              u"bad.format: the time and the cart overlap");
    EXPECT_EQ(refusal(u"kind = fixed\nseparator = ;\ntime = 1-8\ncart = 9-12\n"_s),
              u"bad.format: line 2, key 'separator': only a delimited layout has it");
    EXPECT_EQ(refusal(u"kind = fixed\ntime = 1-8\ntime form = hh.mm\ncart = 9-12\n"_s),
              u"bad.format: line 3, key 'time form': hh:mm:ss, hh:mm, hhmm or seconds");
    EXPECT_EQ(refusal(u"kind = fixed\njust words\n"_s), u"bad.format: line 2: not a 'key = value' line");
    QString problem;
    EXPECT_FALSE(AdvertFormat::Find(u"nowhere"_s, &problem));
    EXPECT_TRUE(problem.startsWith(u"no advert log format 'nowhere' was found in "_s))
        << problem.toStdString();
}
