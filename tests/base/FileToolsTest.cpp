#include "base/FileTools.h"

#include "support/TempHome.h"

#include <gtest/gtest.h>

class FileToolsTest : public TempHome {};

TEST(FileTools, SplitsPathsWithEitherSeparator) {
    EXPECT_EQ(FileTools::FolderOfPath(u"C:\\Logs\\Music\\101123.txt"_s), u"C:/Logs/Music");
    EXPECT_EQ(FileTools::FolderOfPath(u"/var/log/x.log"_s), u"/var/log");
    EXPECT_EQ(FileTools::FolderOfPath(u"plain.txt"_s), QString());
    EXPECT_EQ(FileTools::FileTitle(u"/data/Station One.sdb"_s), u"Station One");
    EXPECT_EQ(FileTools::Extension(u"C:\\Reports\\Import.Log.RTF"_s), u"RTF");
    EXPECT_EQ(FileTools::Extension(u"/data.d/README"_s), QString());
    EXPECT_EQ(FileTools::ParentFolder(u"/opt/Kestrane/Tools/"_s), u"/opt/Kestrane");
}

TEST_F(FileToolsTest, AnswersForFilesAndFoldersUnderTheHome) {
    const QString folder = Path(u"a/b/c"_s);
    EXPECT_FALSE(FileTools::FolderExists(folder));
    EXPECT_TRUE(FileTools::CreateFolder(folder));
    EXPECT_TRUE(FileTools::FolderExists(folder));
    EXPECT_FALSE(FileTools::FileExists(folder));
    EXPECT_EQ(FileTools::FileSize(folder + u"/missing.txt"_s), -1);
    WriteFile(folder + u"/five.txt"_s, "12345");
    EXPECT_TRUE(FileTools::FileExists(folder + u"/five.txt"_s));
    EXPECT_EQ(FileTools::FileSize(folder + u"/five.txt"_s), 5);
    EXPECT_EQ(FileTools::SpecialFolder(FileTools::CommonAppData), Home() + u"/ProgramData"_s);
    EXPECT_EQ(FileTools::SpecialFolder(36), QString());
    EXPECT_FALSE(FileTools::CreateFolder(QString()));
}
