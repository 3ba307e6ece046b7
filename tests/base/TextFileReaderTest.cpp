#include "base/TextFileReader.h"

#include "support/TempHome.h"

#include <gtest/gtest.h>

class TextFileReaderTest : public TempHome {
protected:
    QStringList ReadAll(const QByteArray& bytes) {
        WriteFile(Path(u"log.txt"_s), bytes);
        TextFileReader reader;
        EXPECT_TRUE(reader.Open(Path(u"log.txt"_s)));
        QStringList lines;
        while (!reader.AtEnd())
            lines.append(reader.ReadTextLine());
        EXPECT_EQ(reader.ReadTextLine(), QString());
        EXPECT_EQ(reader.BytesRead(), reader.Size());
        return lines;
    }
};

TEST_F(TextFileReaderTest, LineEndingsOfEveryKindReadTheSame) {
    const QStringList expected{u"+06:00 Morning"_s, QString(), u"@1234 Song"_s};
    EXPECT_EQ(ReadAll("+06:00 Morning\r\n\r\n@1234 Song\r\n"), expected);
    EXPECT_EQ(ReadAll("+06:00 Morning\n\n@1234 Song\n"), expected);
    EXPECT_EQ(ReadAll("+06:00 Morning\r\r@1234 Song\r"), expected); // lone carriage returns
    EXPECT_EQ(ReadAll("+06:00 Morning\n\r\n@1234 Song"), expected); // mixed, no final line end
    EXPECT_EQ(ReadAll("+06:00 Morning\r\n\r@1234 Song"), expected);
    EXPECT_EQ(ReadAll(""), QStringList());
    EXPECT_EQ(ReadAll("\n"), QStringList{QString()});
    EXPECT_EQ(ReadAll("\r"), QStringList{QString()});
}

TEST_F(TextFileReaderTest, TextIsUtf8WhenMarkedOrValidWithAMultiByteSequenceAndWindows1252Otherwise) {
    const QStringList cafe{u"Caf\u00e9 \u20ac"_s};
    EXPECT_EQ(ReadAll("Caf\xe9 \x80\n"), cafe);
    EXPECT_EQ(ReadAll("\xEF\xBB\xBF"
                      "Caf\xc3\xa9 \xe2\x82\xac\n"),
              cafe);
    EXPECT_EQ(ReadAll("Caf\xc3\xa9 \xe2\x82\xac\n"), cafe);
    EXPECT_EQ(ReadAll("\x93quoted\x94 Caf\xc3\xa9\n"), QStringList{u"\u201cquoted\u201d Caf\u00c3\u00a9"_s})
        << "one invalid sequence anywhere makes it Windows-1252";
    EXPECT_EQ(ReadAll("plain\n"), QStringList{u"plain"_s});
    // C1 A9 would be an overlong "i" in UTF-8, which UTF-8 forbids: Windows-1252.
    EXPECT_EQ(ReadAll("Caf\xc1\xa9\n"), QStringList{u"Caf\u00c1\u00a9"_s});
    // The limit of the rule: Windows-1252 text whose bytes happen to be valid UTF-8.
    EXPECT_EQ(ReadAll("\xc3\xa9\n"), QStringList{u"\u00e9"_s});
}

TEST_F(TextFileReaderTest, LongLinesCrossTheReadBuffer) {
    const QByteArray longLine(200000, 'x');
    const QStringList lines = ReadAll(longLine + "\r\nnext\r\n" + longLine);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].size(), 200000);
    EXPECT_EQ(lines[1], u"next");
    EXPECT_EQ(lines[2].size(), 200000);
}
