#include "app/RunOptions.h"
#include "base/ScheduleDateTools.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(RunOptionsTest, EachOptionIsAWholeWordIgnoringCaseAndValuesKeepTheirCase) {
    const RunOptions options = RunOptions::Read(
        u"/schedule /Silent /QUIT /Profile=\"Studio 2\" /DATABASE=postgresql://Host/Hub?schema=Hub_FM "
        u"/REPORT=/tmp/Night.json /PLAYERS=6 /debug=normal /StandardAsk"_s);
    EXPECT_TRUE(options.Schedule);
    EXPECT_TRUE(options.Silent);
    EXPECT_TRUE(options.Quit);
    EXPECT_FALSE(options.DryRun);
    EXPECT_FALSE(options.NoPreviousCheck);
    EXPECT_EQ(options.Profile, u"Studio 2");
    EXPECT_EQ(options.Database, u"postgresql://Host/Hub?schema=Hub_FM");
    EXPECT_EQ(options.Report, u"/tmp/Night.json");
    EXPECT_EQ(options.Players, 6);
    EXPECT_EQ(options.Debug, u"NORMAL"_s);
    EXPECT_EQ(options.Look, RunOptions::AskOperator);
    EXPECT_EQ(options.CheckHours, 0);
    EXPECT_TRUE(options.Warnings.isEmpty()) << options.Warnings.join(u'\n').toStdString();

    // A longer word that begins with an option's name is not that option.
    const RunOptions near = RunOptions::Read(u"/SILENTLY /CHECKS /QUITE /Standardly"_s);
    EXPECT_FALSE(near.Silent);
    EXPECT_FALSE(near.Quit);
    EXPECT_EQ(near.CheckHours, 0);
    EXPECT_EQ(near.Look, RunOptions::Enterprise);
    EXPECT_EQ(near.Warnings.size(), 4);
}

TEST(RunOptionsTest, TheRangeAndTheCheckAreReadWithTheirRefusals) {
    const RunOptions options = RunOptions::Read(u"/START=\"05/11/2010 07:00\" /END=whenever /CHECK"_s);
    ASSERT_TRUE(options.Start);
    EXPECT_EQ(ScheduleDateTools::FormatSeconds(options.Start->Seconds, 0), u"07:00:00");
    EXPECT_FALSE(options.End); // not a date: the controller's test sees its warning
    EXPECT_EQ(options.Warnings.size(), 1);
    EXPECT_EQ(options.CheckHours, RunOptions::DefaultCheckHours);

    EXPECT_EQ(RunOptions::Read(u"/CHECK=168"_s).CheckHours, 168);
    for (const QString& refused : {u"/CHECK=0"_s, u"/CHECK=8785"_s, u"/CHECK=two"_s}) {
        const RunOptions check = RunOptions::Read(refused);
        EXPECT_EQ(check.CheckHours, -1) << refused.toStdString();
        EXPECT_TRUE(check.CheckRefused.startsWith(refused + u" is refused"_s))
            << check.CheckRefused.toStdString();
    }
}
