#include "base/TempFile.h"

#include "base/FileTools.h"
#include "base/GeneralTools.h"
#include "support/TempHome.h"

#include <QFileInfo>
#include <gtest/gtest.h>

class TempFileTest : public TempHome {};

TEST_F(TempFileTest, MakesNewFilesNamedAfterTheTitle) {
    GeneralTools::SetDebugLevel(5);
    const QString first = TempFile::GetTempFile(QString(), QString());
    const QString second = TempFile::GetTempFile(QString(), u"tmp"_s);
    EXPECT_NE(first, second);
    for (const QString& name : {first, second}) {
        EXPECT_EQ(QFileInfo(name).absolutePath(), Path(u"Temp"_s));
        EXPECT_TRUE(QFileInfo(name).fileName().startsWith(u"LOG")) << name.toStdString();
        EXPECT_TRUE(name.endsWith(u".TMP")) << name.toStdString();
        EXPECT_TRUE(FileTools::FileExists(name));
    }
    EXPECT_EQ(LinesOf(Path(u"DebugFiles/logimporter.20101123.log"_s)).mid(0, 7),
              QStringList({u"14:03:22 Start GetTempFile"_s, u"14:03:22     Assign a string"_s,
                           u"14:03:22     Get the user's temp path"_s,
                           u"14:03:22     AlphaNum the app.title"_s, u"14:03:22     Call GetTempFilename"_s,
                           u"14:03:22     Process the return"_s, u"14:03:22 End GetTempFile"_s}));
}
