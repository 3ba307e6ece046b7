#include "base/GeneralTools.h"

#include "base/FormEncoding.h"
#include "support/TempHome.h"

#include <QCoreApplication>
#include <QProcess>
#include <gtest/gtest.h>

class GeneralToolsTest : public TempHome {};

TEST(GeneralTools, PaddingCutsLongerTextsToTheWidth) {
    EXPECT_EQ(GeneralTools::PadLeft(u"42"_s, 5), u"   42");
    EXPECT_EQ(GeneralTools::PadRight(u"42"_s, 5), u"42   ");
    EXPECT_EQ(GeneralTools::PadRight(u"Long Title"_s, 4), u"Long");
    EXPECT_EQ(GeneralTools::PadLeft(u"123456"_s, 4), u"1234");
    EXPECT_EQ(GeneralTools::PadRight(u"abc"_s, 3), u"abc");
    EXPECT_EQ(GeneralTools::PadLeft(u"7"_s, 3, u'0'), u"007");
}

TEST(GeneralTools, TimeTextsBecomeSeconds) {
    EXPECT_DOUBLE_EQ(GeneralTools::TextToSeconds(u"03:30"_s, 3), 210);
    EXPECT_DOUBLE_EQ(GeneralTools::TextToSeconds(u"00330"_s, 3), 210);
    EXPECT_DOUBLE_EQ(GeneralTools::TextToSeconds(u"00045"_s, 3), 45);
    EXPECT_DOUBLE_EQ(GeneralTools::TextToSeconds(u"1:00:05"_s, 3), 3605);
    EXPECT_DOUBLE_EQ(GeneralTools::TextToSeconds(u"00000"_s, 3), 0);
    EXPECT_DOUBLE_EQ(GeneralTools::TextToSeconds(u"195"_s, 1), 195);
    EXPECT_DOUBLE_EQ(GeneralTools::TextToSeconds(u" 2:05 "_s, 1), 125);
}

TEST_F(GeneralToolsTest, ASecondProcessSeesTheFirstInstanceRunning) {
    auto probe = [this] {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"LOGIMPORTER_INSTANCE_PROBE"_s, u"logimporter"_s);
        env.insert(u"OSTREL_HOME"_s, Home());
        process.setProcessEnvironment(env);
        process.start(QCoreApplication::applicationFilePath(), {});
        EXPECT_TRUE(process.waitForFinished(30000));
        return QString::fromLatin1(process.readAllStandardOutput()).trimmed();
    };
    EXPECT_EQ(probe(), u"alone"); // nobody holds the lock, and the probe's lock ends with it
    EXPECT_FALSE(GeneralTools::PreviousInstanceRunning());
    EXPECT_FALSE(GeneralTools::PreviousInstanceRunning()); // asking again does not find ourselves
    EXPECT_EQ(probe(), u"running");
}
