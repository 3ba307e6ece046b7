#include "base/DebugLog.h"

#include "base/GeneralTools.h"
#include "base/RegistryTools.h"
#include "support/TempHome.h"

#include <QDir>
#include <QRegularExpression>
#include <gtest/gtest.h>

class DebugLogTest : public TempHome {
protected:
    QString DebugFile() const { return Path(u"DebugFiles/logimporter.20101123.log"_s); }
};

TEST_F(DebugLogTest, LinesCarryTheTimeAndIndentation) {
    GeneralTools::SetDebugLevel(5);
    WriteDebug(u"Started InitialiseTool"_s, DebugLog::dbmNormal, DebugLog::IndentAfter);
    WriteDebug(u"Check if already running"_s);
    WriteDebug(u"Deeper"_s, -1, DebugLog::IndentAfter);
    WriteDebug(u"Inner"_s);
    WriteDebug(u"Back"_s, DebugLog::dbmNormal, DebugLog::OutdentBefore);
    WriteDebug(u"Finished OK"_s, DebugLog::dbmNormal, DebugLog::OutdentBefore);
    WriteDebug(u"Never below zero"_s, DebugLog::dbmNormal, DebugLog::OutdentBefore);
    WriteDebug(u"Indent"_s, DebugLog::dbmNormal, DebugLog::IndentAfter);
    WriteDebug(u"Reset"_s, DebugLog::dbmNormal, DebugLog::IndentReset);
    WriteDebug(u"a level 6 line is above level 5"_s, 6);
    EXPECT_EQ(DebugLog::FileName(), DebugFile());
    EXPECT_EQ(LinesOf(DebugFile()), QStringList({
                                        u"14:03:22 Started InitialiseTool"_s,
                                        u"14:03:22     Check if already running"_s,
                                        u"14:03:22     Deeper"_s,
                                        u"14:03:22         Inner"_s,
                                        u"14:03:22     Back"_s,
                                        u"14:03:22 Finished OK"_s,
                                        u"14:03:22 Never below zero"_s,
                                        u"14:03:22 Indent"_s,
                                        u"14:03:22 Reset"_s,
                                    }));
}
