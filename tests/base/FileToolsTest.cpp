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
