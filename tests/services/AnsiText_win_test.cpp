// Settings and log files hold ANSI text, as earlier versions wrote them.
#include "services/LogFile.h"
#include "services/ProfileFile.h"
#include "support/MachineScope.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

class AnsiTextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (GetACP() != 1252)
            GTEST_SKIP() << "the texts below are written for code page 1252";
    }
    TempFolder folder;
    MachineScope machine{folder.Path()};
    std::string Ini() const { return FileContent(folder.Sub("OrvanePatchLayouts.ini")); }
};

// "Th\xe8mes" is "Thèmes" in code page 1252.
const std::string kOldFile =
    "[OrvanePatchLayouts]\r\nLayoutsPath=C:\\Jeux\\Orvane-FE\\Th\xe8mes\\\r\n";

TEST_F(AnsiTextTest, AnAccentedPathOfAnOlderFileReadsAndIsWrittenBackByteForByte) {
    folder.Write("OrvanePatchLayouts.ini", kOldFile);
    const std::string path = ReadSetting("LayoutsPath");
    EXPECT_EQ(path, "C:\\Jeux\\Orvane-FE\\Th\xc3\xa8mes\\");
    WriteSetting("LayoutsPath", path);
    EXPECT_EQ(Ini(), kOldFile);
    WriteSetting("URL", "http://example.invalid/loadscr.zip");
    EXPECT_EQ(Ini(), kOldFile + "URL=http://example.invalid/loadscr.zip\r\n");
}

TEST_F(AnsiTextTest, ACharacterTheCodePageLacksTurnsTheFileIntoMarkedUtf8) {
    folder.Write("OrvanePatchLayouts.ini", kOldFile);
    const std::string omega = "C:\\\xce\xa9\\"; // "C:\Ω\"
    WriteSetting("SourcePath", omega);
    EXPECT_EQ(Ini(), "\xef\xbb\xbf\r\n[OrvanePatchLayouts]\r\nLayoutsPath=C:\\Jeux\\Orvane-FE\\"
                     "Th\xc3\xa8mes\\\r\nSourcePath=" +
                         omega + "\r\n");
    EXPECT_EQ(ReadSetting("SourcePath"), omega);
    EXPECT_EQ(ReadSetting("LayoutsPath"), "C:\\Jeux\\Orvane-FE\\Th\xc3\xa8mes\\");
}

TEST_F(AnsiTextTest, TheLogIsAnsiText) {
    WriteLog("Th\xc3\xa8mes \xe2\x82\xac", "", false, true); // "Thèmes €"
    EXPECT_EQ(FileContent(folder.Sub("OrvanePatchLayouts.log.txt")), "Th\xe8mes \x80\r\n");
}

} // namespace
