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

TEST(CommandLineOptions, ArgumentVectorsBecomeWindowsCommandLines) {
    EXPECT_EQ(CommandLineOptions::FromArguments({u"/SILENT"_s, u"/Profile=Studio 2"_s, u"/PLAYERS=4"_s}),
              u"/SILENT /Profile=\"Studio 2\" /PLAYERS=4");
    EXPECT_EQ(CommandLineOptions::FromArguments({u"two words"_s, u"/X=\"already\""_s}),
              u"\"two words\" /X=\"already\"");
    const QString line = CommandLineOptions::FromArguments({u"/Profile=Studio 2"_s, u"/DEBUG"_s});
    EXPECT_EQ(option(line, u"/Profile"_s), u"Studio 2");
}
