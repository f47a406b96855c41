#include "services/ProfileFile.h"
#include "support/MachineScope.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

class ProfileFileTest : public ::testing::Test {
  protected:
    TempFolder folder;
    MachineScope machine{folder.Path()};
    std::string IniPath() const { return folder.Sub("OrvanePatchLayouts.ini"); }
};

TEST_F(ProfileFileTest, MissingFileSectionOrKeyGivesTheTrimmedDefault) {
    EXPECT_EQ(ReadSetting("Language", "", "  -1  ", ""), "-1");
    folder.Write("OrvanePatchLayouts.ini", "[Other]\r\nLanguage=1\r\n");
    EXPECT_EQ(ReadSetting("Language", "", "-1", ""), "-1");
    folder.Write("OrvanePatchLayouts.ini", "[OrvanePatchLayouts]\r\nURL=x\r\n");
    EXPECT_EQ(ReadSetting("Language", "", "-1", ""), "-1");
}

TEST_F(ProfileFileTest, PresentButEmptyValueIsEmptyNotTheDefault) {
    folder.Write("OrvanePatchLayouts.ini", "[OrvanePatchLayouts]\r\nLayoutsPath=\r\n");
    EXPECT_EQ(ReadSetting("LayoutsPath", "", "fallback", ""), "");
}

TEST_F(ProfileFileTest, WritingToAMissingFileCreatesSectionAndKeyWithCrLf) {
    WriteSetting("Language", "1", "", "");
    EXPECT_EQ(FileContent(IniPath()), "[OrvanePatchLayouts]\r\nLanguage=1\r\n");
    EXPECT_EQ(ReadSetting("Language", "", "-1", ""), "1");
}

TEST_F(ProfileFileTest, NamesMatchIgnoringCaseAndAValueIsReplacedInPlace) {
    folder.Write(
        "OrvanePatchLayouts.ini",
        "; kept comment\n[other]\nLanguage=7\n\n[orvanepatchlayouts]\nlanguage = 0\nURL=u\n");
    WriteSetting("LANGUAGE", "1", "", "");
    WriteSetting("Language", "2", "", "");
    EXPECT_EQ(FileContent(IniPath()),
              "; kept comment\n[other]\nLanguage=7\n\n[orvanepatchlayouts]\nLanguage=2\nURL=u\n");
    EXPECT_EQ(ReadSetting("language", "", "", "ORVANEPATCHLAYOUTS"), "2");
}

TEST_F(ProfileFileTest, NewKeyJoinsItsSectionBeforeTheBlankLinesAndOtherSections) {
    folder.Write("OrvanePatchLayouts.ini",
                 "[OrvanePatchLayouts]\r\nURL=u\r\n\r\n[Next]\r\nkeep=me\r\n");
    WriteSetting("Language", "0", "", "");
    EXPECT_EQ(FileContent(IniPath()),
              "[OrvanePatchLayouts]\r\nURL=u\r\nLanguage=0\r\n\r\n[Next]\r\nkeep=me\r\n");
}

TEST_F(ProfileFileTest, AFileWithoutFinalLineEndGetsOneBeforeAnAddedLine) {
    folder.Write("OrvanePatchLayouts.ini", "[OrvanePatchLayouts]\r\nURL=u");
    WriteSetting("Language", "0", "", "");
    EXPECT_EQ(FileContent(IniPath()), "[OrvanePatchLayouts]\r\nURL=u\r\nLanguage=0\r\n");
}

TEST_F(ProfileFileTest, FirstOfDuplicateSectionsAndKeysWins) {
    folder.Write("OrvanePatchLayouts.ini",
                 "[OrvanePatchLayouts]\nA=first\nA=second\n[OrvanePatchLayouts]\nA=third\n");
    EXPECT_EQ(ReadSetting("A", "", "", ""), "first");
    WriteSetting("A", "new", "", "");
    EXPECT_EQ(FileContent(IniPath()),
              "[OrvanePatchLayouts]\nA=new\nA=second\n[OrvanePatchLayouts]\nA=third\n");
}

TEST_F(ProfileFileTest, StoredSpacesAreTrimmedAndLongValuesCutTo254Characters) {
    const std::string longValue(300, 'x');
    folder.Write("OrvanePatchLayouts.ini",
                 "[OrvanePatchLayouts]\nPadded=   C:\\Games   \nLong=" + longValue + "\n");
    EXPECT_EQ(ReadSetting("Padded", "", "", ""), "C:\\Games");
    EXPECT_EQ(ReadSetting("Long", "", "", ""), std::string(254, 'x'));
}

TEST_F(ProfileFileTest, ALongValueIsNeverCutInsideACharacter) {
    std::string value(253, 'x');
    value += "\xc3\xa9\xc3\xa9"; // "éé": byte 254 falls inside the first one
    folder.Write("OrvanePatchLayouts.ini", "[OrvanePatchLayouts]\nLong=" + value + "\n");
    EXPECT_EQ(ReadSetting("Long", "", "", ""), std::string(253, 'x'));
}

TEST_F(ProfileFileTest, BareFileNameLiesInTheProgramFolderAPathIsUsedAsWritten) {
    WriteSetting("K", "v", "other.ini", "S");
    EXPECT_EQ(FileContent(folder.Sub("other.ini")), "[S]\r\nK=v\r\n");
    const std::string elsewhere = folder.MakeDir("elsewhere") + "/x.ini";
    WriteSetting("K", "w", elsewhere, "S");
    EXPECT_EQ(ReadSetting("K", elsewhere, "", "S"), "w");
    EXPECT_EQ(ResolveSettingsFile(""), IniPath());
}

TEST_F(ProfileFileTest, GarbageAndLinesWithoutEqualsAreHarmless) {
    std::string garbage = "\x00\xff\xfe[\x01]=\n\r\r\n===\nno equals here\n";
    garbage[0] = '\0';
    folder.Write("OrvanePatchLayouts.ini", garbage);
    EXPECT_EQ(ReadSetting("Language", "", "-1", ""), "-1");
    WriteSetting("Language", "1", "", "");
    EXPECT_EQ(FileContent(IniPath()), garbage + "[OrvanePatchLayouts]\r\nLanguage=1\r\n");
    EXPECT_EQ(ReadSetting("Language", "", "-1", ""), "1");
}

TEST_F(ProfileFileTest, AnUnreadableSettingsFileIsNeitherReadNorOverwritten) {
    folder.MakeDir("OrvanePatchLayouts.ini"); // a folder where the file should be
    WriteSetting("Language", "1", "", "");
    EXPECT_EQ(ReadSetting("Language", "", "-1", ""), "-1");
    EXPECT_TRUE(std::filesystem::is_directory(IniPath()));
}

TEST(TrimSettingText, RemovesSpacesThenFillCharactersAtBothEnds) {
    std::string buffer(1, '\0');
    buffer += std::string(254, ' ');
    EXPECT_EQ(TrimSettingText(buffer, ""), "");
    EXPECT_EQ(TrimSettingText("  a b  ", ""), "a b");
    EXPECT_EQ(TrimSettingText("xx a x x", "x"), "a");
    EXPECT_EQ(TrimSettingText("a x b", "x"), "a x b");
    EXPECT_EQ(TrimSettingText("\ta\t", ""), "\ta\t");
}

} // namespace
