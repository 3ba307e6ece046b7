#include "app/EnterpriseMode.h"

#include "base/RegistryTools.h"
#include "support/OperatorHome.h"

#include <gtest/gtest.h>

class EnterpriseModeTest : public OperatorHome {
protected:
    static void SetLevel(int level) {
        RegistryTools::SetNumber(RegistryTools::LocalMachine, u"Software\\Kestrane\\Ostrel v3"_s,
                                 u"EnterpriseLevel"_s, level);
    }
};

TEST_F(EnterpriseModeTest, StandardRunsWithoutItAndStandardAskAsks) {
    SetLevel(35);
    EXPECT_TRUE(EnterpriseMode::Decide(u"/SILENT"_s));
    EXPECT_FALSE(EnterpriseMode::Decide(u"/standard"_s));
    EXPECT_TRUE(op.Messages.isEmpty());

    op.Answers = {iOperator::Yes, iOperator::No};
    EXPECT_TRUE(EnterpriseMode::Decide(u"/STANDARDASK"_s)); // not taken for /Standard
    EXPECT_FALSE(EnterpriseMode::Decide(u"/StandardAsk"_s));
    ASSERT_EQ(op.Messages.size(), 2);
    EXPECT_EQ(op.Messages[0].Text, u"Do you want to run Log Importer in Enterprise Mode?");
    EXPECT_EQ(op.Messages[0].IconShown, iOperator::Question);
    EXPECT_EQ(op.Messages[0].ButtonsShown, iOperator::YesNo);
}
