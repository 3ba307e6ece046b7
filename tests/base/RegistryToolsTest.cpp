#include "base/RegistryTools.h"

#include "support/TempHome.h"

#include <QFileInfo>
#include <gtest/gtest.h>

class RegistryToolsTest : public TempHome {};

TEST_F(RegistryToolsTest, ValuesComeBackWithDefaultsForMissingOnes) {
    const QString key = u"Software\\Kestrane\\Ostrel v3\\Tools\\Log Importer"_s;
    EXPECT_EQ(RegistryTools::GetNumber(RegistryTools::CurrentUser, key, u"Role"_s, 1), 1);
    EXPECT_EQ(RegistryTools::GetString(RegistryTools::CurrentUser, key, u"LastDatabase"_s, u"none"_s),
              u"none");
    ASSERT_TRUE(RegistryTools::SetNumber(RegistryTools::CurrentUser, key, u"Role"_s, 2));
    ASSERT_TRUE(RegistryTools::SetString(RegistryTools::CurrentUser, key, u"LastDatabase"_s, u"Studio 2"_s));
    EXPECT_EQ(RegistryTools::GetNumber(RegistryTools::CurrentUser, key, u"Role"_s, 1), 2);
    EXPECT_EQ(RegistryTools::GetString(RegistryTools::CurrentUser, key, u"LastDatabase"_s, {}), u"Studio 2");
    // A string where a number is wanted gives the default.
    EXPECT_EQ(RegistryTools::GetNumber(RegistryTools::CurrentUser, key, u"LastDatabase"_s, 7), 7);
}
