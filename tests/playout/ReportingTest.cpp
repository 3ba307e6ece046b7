#include "playout/Reporting.h"

#include "base/GeneralTools.h"
#include "support/OperatorHome.h"

#include <gtest/gtest.h>

class ReportingTest : public OperatorHome {};

TEST_F(ReportingTest, ProblemsAreShownUnlessSilentAndAlwaysTraced) {
    GeneralTools::SetDebugLevel(5);
    EXPECT_EQ(Reporting::ReportProblem(u" opening the log "_s, QString(), false),
              u"There was a problem opening the log");
    const QString withDescription =
        u"There was a problem reading the file and the error's description was reported as "
        u": \n\n\"Disk full\""_s;
    EXPECT_EQ(Reporting::ReportProblem(u"reading the file"_s, u"  Disk full "_s, true), withDescription);
    ASSERT_EQ(op.MessageTexts(), QStringList{u"There was a problem opening the log"_s});
    EXPECT_EQ(op.Messages[0].IconShown, Operator::Exclamation);
    const QStringList debug = LinesOf(Path(u"DebugFiles/logimporter.20101123.log"_s));
    ASSERT_EQ(debug.size(), 2);
    EXPECT_EQ(debug[0], u"14:03:22 There was a problem opening the log");
    EXPECT_EQ(debug[1], u"14:03:22 "_s + withDescription);
}
