// Settings and log files hold ANSI text, as earlier versions wrote them.
#include "services/LogFile.h"
#include "services/ProfileFile.h"
#include "services/WideText.h"
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

// Windows 10 and 11 may set the ANSI code page to UTF-8; Asian systems use
// double-byte ones.
TEST(AnsiCodePages, EachConvertsByItsOwnRulesAndAFailureIsNeverLossless) {
    const std::string mixed = "C:\\Th\xc3\xa8mes\\\xce\xa9\\\xe6\x97\xa5"; // C:\Thèmes\Ω\日
    bool lossless = false;
    EXPECT_EQ(AnsiFromUtf8(mixed, &lossless, CP_UTF8), mixed);
    EXPECT_TRUE(lossless);

    const std::string japanese = "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e"; // 日本語
    const std::string shiftJis = AnsiFromUtf8(japanese, &lossless, 932);
    EXPECT_TRUE(lossless);
    EXPECT_EQ(shiftJis, "\x93\xfa\x96\x7b\x8c\xea");
    EXPECT_EQ(Utf8FromAnsi(shiftJis, 932), japanese);
    AnsiFromUtf8("Th\xc3\xa8mes", &lossless, 932); // no "è" in code page 932
    EXPECT_FALSE(lossless);

    lossless = true;
    EXPECT_EQ(AnsiFromUtf8("x", &lossless, 4242), ""); // no such code page
    EXPECT_FALSE(lossless);

    for (unsigned refusing : {65001u, 65000u, 54936u, 52936u, 50220u, 50229u, 57002u, 57011u, 42u})
        EXPECT_FALSE(TakesConversionFlags(refusing)) << refusing;
    for (unsigned taking : {1252u, 1250u, 1251u, 932u, 936u, 949u})
        EXPECT_TRUE(TakesConversionFlags(taking)) << taking;
}

TEST_F(AnsiTextTest, TheLogIsAnsiText) {
    WriteLog("Th\xc3\xa8mes \xe2\x82\xac", "", false, true); // "Thèmes €"
    EXPECT_EQ(FileContent(folder.Sub("OrvanePatchLayouts.log.txt")), "Th\xe8mes \x80\r\n");
}

} // namespace
