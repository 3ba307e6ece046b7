#include "base/FormEncoding.h"
#include "importers/BreakNoteReader.h"
#include "importers/MusicItemReader.h"
#include "importers/MusicLogLine.h"

#include "support/Columns.h"
#include "support/OperatorHome.h"

#include <gtest/gtest.h>

class MusicLineReadersTest : public OperatorHome {
protected:
    void SetUp() override {
        OperatorHome::SetUp();
        context.ScriptsRangeStart = u"9000"_s;
        context.ScriptsRangeEnd = u"9099"_s;
        context.CartGroupsStart = u"9100"_s;
        context.CartGroupsEnd = u"9199"_s;
        context.HourStart = 50400;
        context.LookupCart = [this](const QString& number) {
            looked.append(number);
            return carts.value(number);
        };
    }

    std::optional<LogItem> Item(const QString& line, const QStringList& more = {}) {
        ListLineSource source(more);
        const auto note = MusicLogLine::Note(line, decoder);
        return note ? MusicItemReader::Read(line, *note, source, context).Item : std::nullopt;
    }
    std::optional<LogItem> Note(const QString& command, const QString& cart = QString(),
                                const QString& code = QString()) {
        LogItem item;
        const QString line = Columns({{1, u":"_s}, {15, command}, {64, cart}, {80, code}});
        return BreakNoteReader::Read(line, item, context) ? std::optional(item) : std::nullopt;
    }
    static QString ItemLine(const QString& kind, const QString& cart, const QString& title,
                            const QString& end = {}, const QString& code = {}, const QString& note = {}) {
        return Columns(
            {{1, kind}, {2, cart}, {10, title}, {44, u"First Text"_s}, {74, end}, {80, code}, {101, note}});
    }

    FormEncoding decoder;
    MusicFormatContext context;
    QHash<QString, StationDatabase::CartLookup> carts{
        {u"1234"_s, {3, false}}, {u"2000"_s, {2, true}}, {u"9150"_s, {13, false}}, {u"777"_s, {8, false}}};
    QStringList looked;
};

TEST_F(MusicLineReadersTest, ItemLinesTakeTheirTypeFromTheKindOrTheCart) {
    const struct {
        const char16_t* kind;
        const char16_t* cart;
        int type;
        const char16_t* cartAfter;
        int transition;
    } cases[] = {
        {u"A", u"1234", 4, u"1234", 0},   {u"C", u"1234", 2, u"1234", 0},   {u"S", u"1234", 7, u"1234", 0},
        {u"L", u"1234", 3, u"1234", 0},   {u"W", u"1234", 3, u"1234", 100}, {u"#", u"1234", 3, u"1234", 0},
        {u"#", u"2000", 2, u"2000", 100}, // the lookup flag plays through
        {u"#", u"9150", 13, u"", 0},      {u"#", u"777", 8, u"", 0},        {u"#", u"5555", 8, u"", 0},
    };
    for (const auto& c : cases) {
        const auto item = Item(ItemLine(QString::fromUtf16(c.kind), QString::fromUtf16(c.cart), u"Title"_s));
        ASSERT_TRUE(item);
        EXPECT_EQ(item->Type, c.type)
            << QString::fromUtf16(c.kind).toStdString() << QString::fromUtf16(c.cart).toStdString();
        EXPECT_EQ(item->CartNumber, QString::fromUtf16(c.cartAfter));
        EXPECT_EQ(item->Transition, c.transition);
        EXPECT_EQ(item->State, 2);
        EXPECT_EQ(item->Title, u"Title");
        EXPECT_EQ(item->Text1, u"First Text");
    }
    EXPECT_FLOAT_EQ(Item(ItemLine(u"#"_s, u"9150"_s, u"Group"_s))->Parameter(1), 51);
    EXPECT_EQ(looked.count(u"1234"_s), 1); // only "#" and "@" lines look their cart up
}

TEST_F(MusicLineReadersTest, ItemLinesReadTheirCodesNotesAndContinuationLines) {
    const struct {
        const char16_t* end;
        int endStyle;
        const char16_t* code;
        int transition;
        int flags;
    } codes[] = {
        {u"E", 1, u"@", 100, 0}, {u"f", 2, u"A", 100, 0}, {u"S", 4, u"X", 50, 0}, {u"SF", 8, u"N", 50, 0},
        {u"Q", 0, u"O", 50, 0},  {u"", 0, u"#", 50, 1},   {u"", 0, u"F", 50, 1},  {u"", 0, u"-", 0, 0},
        {u"", 0, u"Y", 0, 0},    {u"", 0, u"P", 0, 0},    {u"", 0, u"+", 0, 1},   {u"", 0, u"C", 0, 1},
        {u"", 0, u"Z", 0, 0},    {u"", 0, u"  X", 50, 0},
    };
    for (const auto& c : codes) {
        const auto item =
            Item(ItemLine(u"L"_s, u"1"_s, u"T"_s, QString::fromUtf16(c.end), QString::fromUtf16(c.code)));
        EXPECT_EQ(item->EndStyle, c.endStyle) << QString::fromUtf16(c.end).toStdString();
        EXPECT_EQ(item->Transition, c.transition) << QString::fromUtf16(c.code).toStdString();
        EXPECT_EQ(item->Flags, c.flags) << QString::fromUtf16(c.code).toStdString();
    }
    // A "W" line plays through whatever its code says.
    EXPECT_EQ(Item(ItemLine(u"W"_s, u"1"_s, u"T"_s, {}, u"-"_s))->Transition, 100);

    EXPECT_EQ(Item(ItemLine(u"L"_s, u"1"_s, u"T"_s, {}, {}, u"Hello%21+World"_s))->Note, u"Hello! World");
    EXPECT_FALSE(Item(ItemLine(u"L"_s, u"1"_s, u"T"_s, {}, {}, u"50%+off"_s))); // a bad escape

    ListLineSource source({Columns({{44, u"Second Text"_s}}),
                           Columns({{10, u"A note from the third line"_s}}), u"next item"_s});
    std::optional<LogItem> item =
        MusicItemReader::Read(ItemLine(u"@"_s, u"1234"_s, u"Song"_s), QString(), source, context).Item;
    EXPECT_EQ(item->Text2, u"Second Text");
    EXPECT_EQ(item->Note, u"A note from the third line");
    EXPECT_EQ(source.Consumed(), 2);
    ListLineSource blankSecond({u"   "_s, u"next item"_s});
    item = MusicItemReader::Read(ItemLine(u"@"_s, u"1234"_s, u"Song"_s), u"own note"_s, blankSecond, context)
               .Item;
    EXPECT_EQ(item->Text2, QString());
    EXPECT_EQ(item->Note, u"own note");
    EXPECT_EQ(blankSecond.Consumed(), 1); // a blank second line has no third after it
}

TEST_F(MusicLineReadersTest, AnItemLineThatCannotBeReadSaysWhyAndReadsNoFurther) {
    const QString nul(QChar(0));
    const struct {
        QString line;
        const char16_t* why;
    } junk[] = {
        {u"#abc"_s, u"its cart column holds 'abc', not a cart number"},
        {ItemLine(u"L"_s, u"12 4"_s, u"Title"_s), u"its cart column holds '12 4', not a cart number"},
        {u"@"_s, u"its cart column is blank, and a '@' line takes its type from its cart"},
        {u"S"_s + nul + nul, u"it holds the control character 0x00 at column 2"},
        {ItemLine(u"A"_s, u"1001"_s, u"Ti\u001btle"_s), u"it holds the control character 0x1b at column 12"},
    };
    for (const auto& c : junk) {
        ListLineSource more({Columns({{44, u"Second Text"_s}}), u"third"_s});
        const MusicItemReader::Reading read = MusicItemReader::Read(c.line, QString(), more, context);
        EXPECT_FALSE(read.Item) << c.line.toStdString();
        EXPECT_EQ(read.Problem, QString::fromUtf16(c.why));
        EXPECT_EQ(more.Consumed(), 0); // the line after it is the importer's to read
    }
    // An "@" line's continuation lines are its own: a control character there spoils it too.
    const QString featured = ItemLine(u"@"_s, u"1234"_s, u"Song"_s);
    ListLineSource badSecond({nul, u"third"_s});
    EXPECT_EQ(MusicItemReader::Read(featured, QString(), badSecond, context).Problem,
              u"it holds the control character 0x00 at column 1");
    EXPECT_EQ(badSecond.Consumed(), 1);
    ListLineSource badThird({Columns({{44, u"Second Text"_s}}), u"  \u0007"_s});
    EXPECT_EQ(MusicItemReader::Read(featured, QString(), badThird, context).Problem,
              u"it holds the control character 0x07 at column 3");
    // A page break before a continuation line, a tab, and a blank cart where the kind gives the type are
    // fine.
    ListLineSource paged({u"\f"_s + Columns({{44, u"Second Text"_s}}), u"third"_s});
    EXPECT_TRUE(MusicItemReader::Read(featured, QString(), paged, context).Item);
    EXPECT_EQ(Item(ItemLine(u"L"_s, u"1"_s, u"Left\tRight"_s))->Title, u"Left\tRight");
    EXPECT_EQ(Item(u"S"_s)->Type, ItemType::Sweeper);
}

TEST_F(MusicLineReadersTest, CartOffsetsAddAudioOrLinkThenTheGeneralOne) {
    context.OffsetAudioItems = 1000;
    EXPECT_EQ(Item(ItemLine(u"L"_s, u"123"_s, u"T"_s))->CartNumber, u"1123");
    context.CartOffset = -3;
    EXPECT_EQ(Item(ItemLine(u"L"_s, u"123"_s, u"T"_s))->CartNumber, u"1120");
    EXPECT_EQ(Item(ItemLine(u"L"_s, QString(), u"T"_s))->CartNumber, QString());
    context.OffsetLinkItems = 5;
    EXPECT_EQ(Note(u"Link to news"_s, u"1232"_s)->CartNumber, u"1234");
    EXPECT_EQ(Note(u"Link to news"_s, u"1232"_s)->Type, 3);
}

TEST_F(MusicLineReadersTest, BreakNotesSetTheModeOrMakeTheirItems) {
    const struct {
        const char16_t* command;
        int mode;
        bool flag;
    } modes[] = {{u"$AON", 2, true}, {u"$aoff", 1, false}, {u"$QL", 1, false}, {u"$QA", 2, false},
                 {u"$LR", 2, true},  {u"$Qx", 2, false},   {u"$D", 2, false}};
    for (const auto& c : modes) {
        EXPECT_FALSE(Note(QString::fromUtf16(c.command))) << QString::fromUtf16(c.command).toStdString();
        EXPECT_EQ(context.Mode, c.mode) << QString::fromUtf16(c.command).toStdString();
        EXPECT_EQ(context.HourFlag, c.flag) << QString::fromUtf16(c.command).toStdString();
    }

    auto item = Note(u"BREAK 00:15:00"_s);
    EXPECT_EQ(item->Type, 4);
    EXPECT_EQ(item->State, 1);
    EXPECT_EQ(item->Title, u"Advert Break");
    EXPECT_FLOAT_EQ(item->Time, 50400 + 900);
    EXPECT_FLOAT_EQ(item->Duration, 120);
    EXPECT_FLOAT_EQ(Note(u"$BREAK 00:30:15"_s)->Time, 50400 + 1815);
    EXPECT_FLOAT_EQ(Note(u"$$ 14:45:00"_s)->Time, 50400 + 2700);
    item = Note(u"SPLIT 00:59:30"_s);
    EXPECT_EQ(item->Type, 14);
    EXPECT_EQ(item->State, 2);
    EXPECT_FLOAT_EQ(item->Time, 50400 + 3570);

    item = Note(u"$T12:30.50 Top of the news"_s);
    EXPECT_EQ(item->Type, 1);
    EXPECT_FLOAT_EQ(item->Time, 50400 + 750.5f);
    EXPECT_EQ(item->Title, u"Top of the news");
    item = Note(u"$W05:00 $IS12 Wait for the studio  "_s);
    EXPECT_FLOAT_EQ(item->Time, 50400 + 300);
    EXPECT_EQ(item->InputFlag, 1);
    EXPECT_EQ(item->InputNumber, 12);
    EXPECT_EQ(item->Title, u"Wait for the studio");
    EXPECT_EQ(Note(u"$W05:00 $IC3 x"_s)->InputFlag, 0);

    item = Note(u"$HS25 Sweep into news"_s);
    EXPECT_EQ(item->Type, 5);
    EXPECT_FLOAT_EQ(item->Parameter(1), 25);
    EXPECT_FLOAT_EQ(item->Parameter(2), 1);
    EXPECT_EQ(item->Title, u"Sweep into news");
    EXPECT_FLOAT_EQ(Note(u"$HP7 x"_s)->Parameter(2), 3);
    EXPECT_FLOAT_EQ(Note(u"$HQ7 x"_s)->Parameter(2), 0);
    item = Note(u"$CPresenter chat"_s);
    EXPECT_EQ(item->Type, 11);
    EXPECT_EQ(item->Description, u"Presenter");

    EXPECT_FALSE(Note(u"$I42"_s));
    EXPECT_TRUE(context.WaitForHardware); // the importer tells the operator
    EXPECT_TRUE(BreakNoteReader::WaitForHardwareMessage().startsWith(
        u"You are using the Wait For Hardware event ($Ixxx).\n\nThis is not supported in Ostrel v3 - Please "
        u"email "_s));
}

TEST_F(MusicLineReadersTest, HooksTakeNamedOrNumericModes) {
    auto item = Note(u"$HOOK12,RANDOM,a,b,c,d,3"_s);
    EXPECT_EQ(item->Type, 21);
    EXPECT_EQ(item->Title, u"Auto-Hook");
    EXPECT_FLOAT_EQ(item->Parameter(1), 12);
    EXPECT_FLOAT_EQ(item->Parameter(2), 2);
    EXPECT_FLOAT_EQ(item->Parameter(3), 3);
    EXPECT_EQ(item->TextParameter(1), u"a");
    EXPECT_EQ(item->TextParameter(4), u"d");
    EXPECT_FLOAT_EQ(Note(u"$K 4, nextreverse"_s)->Parameter(2), 4097);
    EXPECT_FLOAT_EQ(Note(u"$K4,7"_s)->Parameter(2), 7);
    EXPECT_EQ(Note(u"$K4,7"_s)->TextParameter(1), QString());
    // Not a hook that can play: the item stays as made, with only its transition code.
    item = Note(u"$K0,NEXT"_s, QString(), u"A"_s);
    EXPECT_EQ(item->Type, 0);
    EXPECT_EQ(item->Transition, 100);
    EXPECT_EQ(Note(u"$K5,SIDEWAYS"_s)->Type, 0);
}

TEST_F(MusicLineReadersTest, OtherNotesAreLinkCarts) {
    auto item = Note(u"  News headlines  "_s, QString(), u"C"_s);
    EXPECT_EQ(item->Type, 8); // no cart: a timed note, its length from columns 70-74
    EXPECT_EQ(item->Title, u"News headlines");
    EXPECT_EQ(item->Transition, 0);
    EXPECT_EQ(item->Flags, 1);
    // Columns 70-74 overlap the empty cart columns, so only column 74 can hold a figure: it counts as
    // seconds (characters 4 on) and as minutes (characters 2 on).
    LogItem made;
    ASSERT_TRUE(BreakNoteReader::Read(Columns({{1, u":"_s}, {15, u"Talk"_s}, {74, u"5"_s}}), made, context));
    EXPECT_FLOAT_EQ(made.Duration, 305);
    EXPECT_EQ(Note(u"Script"_s, u"9050"_s)->Type, 8);
    EXPECT_EQ(Note(u"Script"_s, u"9050"_s)->CartNumber, QString());
    item = Note(u"Group"_s, u"9102"_s);
    EXPECT_EQ(item->Type, 13);
    EXPECT_FLOAT_EQ(item->Parameter(1), 3);
    item = Note(u"Jingle"_s, u"2000"_s);
    EXPECT_EQ(item->Type, 2);
    EXPECT_EQ(item->Transition, 100);
    EXPECT_EQ(item->CartNumber, u"2000");
    EXPECT_EQ(Note(u"Unknown"_s, u"4444"_s)->Type, 0); // the lookup's type, whatever it is
    EXPECT_EQ(Note(QString(u"A"_s).repeated(60))->Title.size(), 40);
}
