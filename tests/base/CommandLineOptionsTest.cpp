#include "base/CommandLineOptions.h"

#include "support/TempHome.h"

#include <gtest/gtest.h>

namespace {
QString option(const QString& text, const QString& name) {
    return CommandLineOptions::GetCommandLineOption(text, name, u"="_s, u" "_s);
}
} // namespace

TEST(CommandLineOptions, FindsOptionsAsWholeWordsIgnoringCase) {
    const QString line = u"/SILENT /Profile=\"Studio 2\" /PLAYERS=4"_s;
    EXPECT_EQ(option(line, u"/Profile"_s), u"Studio 2");
    EXPECT_EQ(option(line, u"/PLAYERS"_s), u"4");
    EXPECT_EQ(option(line, u"/DATABASE"_s), QString());
    EXPECT_EQ(option(u"/profile=Studio"_s, u"/Profile"_s), u"Studio"); // at the very start, lower case
    EXPECT_EQ(option(u"/XProfile=Studio"_s, u"/Profile"_s), QString());
    EXPECT_EQ(option(u"/A A/Profile=Studio"_s, u"/Profile"_s), QString());
    EXPECT_EQ(option(u"/Profile=One Two"_s, u"/Profile"_s), u"One");         // unquoted ends at a blank
    EXPECT_EQ(option(u"/Profile=\"Open end"_s, u"/Profile"_s), u"Open end"); // no closing quote
    EXPECT_EQ(option(u"/Profile="_s, u"/Profile"_s), QString());
    EXPECT_EQ(option(u"/DEBUG /PROFILE=X "_s, u"/DEBUG"_s), QString()); // a flag has no value
}

TEST(CommandLineOptions, WholeWordMatchingIsSwitchedOffAsAsked) {
    // A name beginning "<", the separator ">" or no delimiter match anywhere.
    EXPECT_EQ(CommandLineOptions::GetCommandLineOption(u"<a>1<b>2"_s, u"<b"_s, u">"_s, u"<"_s), u"2");
    EXPECT_EQ(CommandLineOptions::GetCommandLineOption(u"X/Profile=S"_s, u"/Profile"_s, u"="_s, QString()),
              u"S");
    EXPECT_EQ(CommandLineOptions::GetCommandLineOption(u"X/Profile=S"_s, u"/Profile"_s, u"="_s, u" "_s),
              QString());
    EXPECT_EQ(CommandLineOptions::GetCommandLineOptionEx(u"X/START=1"_s, u"/START"_s, u"="_s, u" "_s, false),
              u"1");
    EXPECT_EQ(CommandLineOptions::GetCommandLineOptionEx(u"X/START=1"_s, u"/START"_s, u"="_s, u" "_s, true),
              QString());
    EXPECT_EQ(
        CommandLineOptions::GetCommandLineOptionEx(u"/IMPORT /START=\"23/11/2010 06:00\" /END=24/11/2010"_s,
                                                   u"/START"_s, u"="_s, u" "_s, true),
        u"23/11/2010 06:00");
}

TEST(CommandLineOptions, ArgumentVectorsBecomeWindowsCommandLines) {
    EXPECT_EQ(CommandLineOptions::FromArguments({u"/SILENT"_s, u"/Profile=Studio 2"_s, u"/PLAYERS=4"_s}),
              u"/SILENT /Profile=\"Studio 2\" /PLAYERS=4");
    EXPECT_EQ(CommandLineOptions::FromArguments({u"two words"_s, u"/X=\"already\""_s}),
              u"\"two words\" /X=\"already\"");
    const QString line = CommandLineOptions::FromArguments({u"/Profile=Studio 2"_s, u"/DEBUG"_s});
    EXPECT_EQ(option(line, u"/Profile"_s), u"Studio 2");
}
