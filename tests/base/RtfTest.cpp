#include "base/RtfReader.h"
#include "base/RtfWriter.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

RichRun run(const QString& text, bool bold = false, bool italic = false, bool underline = false,
            int halfPoints = 24) {
    return {text, bold, italic, underline, halfPoints};
}

QStringList texts(const RichDocument& document) {
    QStringList paragraphs;
    for (const RichParagraph& paragraph : document) {
        QString text;
        for (const RichRun& r : paragraph.Runs)
            text += r.Text;
        paragraphs.append(text);
    }
    return paragraphs;
}

// Release notes as a word processor saves them: tables of fonts and colours, a
// generator, a picture, a header, Unicode and code-page escapes.
const QByteArray wordProcessorNotes =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang2057{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}"
    "{\\f1\\fnil\\fcharset2 Symbol;}}\r\n"
    "{\\colortbl ;\\red0\\green0\\blue255;}\r\n"
    "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
    "{\\header\\pard\\plain Page header text\\par}\r\n"
    "\\pard\\sa200\\sl276\\slmult1\\b\\fs32\\lang9 Log Importer 3.0\\b0\\fs22\\par\r\n"
    "Imports now cost \\'80 nothing and run \\i much\\i0  faster \\endash  see \\ul below\\ulnone .\\par\r\n"
    "{\\pict\\wmetafile8\\picw100\\pich100 0100090000035000000000002700000000000400}\r\n"
    "Caf\\'e9 \\u8364?5 \\{braces\\} and a back\\\\slash\\tab tabbed\\line next line\\par\r\n"
    "{\\*\\unknowndestination hidden words}\\ldblquote quoted\\rdblquote\\par\r\n"
    "}\r\n";

} // namespace

TEST(RtfTest, AWordProcessorsDocumentReadsAsItsShownText) {
    const auto document = RtfReader::Read(wordProcessorNotes);
    ASSERT_TRUE(document);
    EXPECT_EQ(texts(*document),
              QStringList({u"Log Importer 3.0"_s,
                           u"Imports now cost \u20AC nothing and run much faster \u2013 see below."_s,
                           u"Caf\u00E9 \u20AC5 {braces} and a back\\slash\ttabbed\u2028next line"_s,
                           u"\u201Cquoted\u201D"_s}));
    const RichParagraph& title = (*document)[0];
    ASSERT_EQ(title.Runs.size(), 1);
    EXPECT_EQ(title.Runs[0], run(u"Log Importer 3.0"_s, true, false, false, 32));
    const QList<RichRun>& second = (*document)[1].Runs;
    ASSERT_EQ(second.size(), 5);
    EXPECT_EQ(second[0], run(u"Imports now cost \u20AC nothing and run "_s, false, false, false, 22));
    EXPECT_EQ(second[1], run(u"much"_s, false, true, false, 22));
    EXPECT_EQ(second[3], run(u"below"_s, false, false, true, 22));
}

TEST(RtfTest, WrittenDocumentsReadBackRunForRun) {
    const RichDocument document = {
        {{run(u"Import Log"_s, true, false, false, 28)}},
        {},
        {{run(u"Music:"_s, false, false, true), run(u"Caf\u00E9 \u20AC \u4F60 {x} \\ \t end\u2028next"_s)}},
        {{run(u"small italic"_s, false, true, false, 16)}},
    };
    const QByteArray rtf = RtfWriter::Write(document);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
    EXPECT_TRUE(rtf.contains("Caf\\'e9 \\'80 \\u20320?"));
    const auto back = RtfReader::Read(rtf);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, document);
}
