#include "app/ProgramState.h"
#include "app/Settings.h"
#include "services/ProfileFile.h"
#include "support/MachineScope.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

class SettingsTest : public ::testing::Test {
  protected:
    TempFolder folder;
    MachineScope machine{folder.Path()};
    ProgramState program;
    std::string Ini() const { return FileContent(folder.Sub("OrvanePatchLayouts.ini")); }
    void Store(const std::string& lines) {
        folder.Write("OrvanePatchLayouts.ini", "[OrvanePatchLayouts]\r\n" + lines);
    }
    void CloseWindow() {
        SaveSettingsAndLogEnd({program.LayoutsPath, program.SourcePath, 0, 0, program.Language});
    }
};

TEST_F(SettingsTest, FirstStartInADecimalCommaRegionIsFrenchAndSavesOne) {
    program.machine.formatDecimal = [](double) { return std::string("0,1"); };
    LoadSettings(program);
    EXPECT_EQ(program.Language, 1);
    CloseWindow();
    EXPECT_EQ(ReadSetting("Language", "", "", ""), "1");
}

TEST_F(SettingsTest, FirstStartInADecimalPointRegionIsEnglishAndSavesZero) {
    LoadSettings(program);
    EXPECT_EQ(program.Language, 0);
    CloseWindow();
    EXPECT_EQ(ReadSetting("Language", "", "", ""), "0");
}

TEST_F(SettingsTest, StoredLanguageValues) {
    program.machine.formatDecimal = [](double) { return std::string("0,1"); };
    Store("Language=-1\r\n");
    LoadSettings(program);
    EXPECT_EQ(program.Language, 1) << "-1 behaves like a missing key";
    Store("Language=2\r\n");
    LoadSettings(program);
    EXPECT_EQ(program.Language, 2);
    CloseWindow();
    EXPECT_EQ(ReadSetting("Language", "", "", ""), "2");
    Store("Language=French\r\n");
    LoadSettings(program);
    EXPECT_EQ(program.Language, 0) << "a value that is not a number reads as 0";
}

TEST_F(SettingsTest, EmptySourcePathCreatesTheScreensFolderInTheProgramFolder) {
    LoadSettings(program);
    EXPECT_EQ(program.SourcePath, folder.Path() + Native("/Screens/"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.Sub("Screens")));
}

TEST_F(SettingsTest, StoredPathsAreUsedAsTheyAreAndNothingIsCreated) {
    Store("LayoutsPath=/somewhere/layouts\r\nSourcePath=/somewhere/screens\r\n");
    LoadSettings(program);
    EXPECT_EQ(program.LayoutsPath, "/somewhere/layouts");
    EXPECT_EQ(program.SourcePath, "/somewhere/screens");
    EXPECT_FALSE(std::filesystem::exists(folder.Sub("Screens")));
}

TEST_F(SettingsTest, ClosingWritesAllSixKeysAndAppendsEnd) {
    folder.Write("OrvanePatchLayouts.log.txt", "12:00:00 Start\r\n");
    Store("; mine\r\nURL=http://example.invalid/orvane/loadscr.zip\r\n");
    SaveSettingsAndLogEnd({"typed by hand", "/screens/", 1, 2, 1});
    EXPECT_EQ(Ini(), "[OrvanePatchLayouts]\r\n; mine\r\n"
                     "URL=http://example.invalid/orvane/loadscr.zip\r\n"
                     "LayoutsPath=typed by hand\r\nSourcePath=/screens/\r\nOverWrite=1\r\n"
                     "UseDefault=2\r\nLanguage=1\r\n");
    EXPECT_EQ(FileContent(folder.Sub("OrvanePatchLayouts.log.txt")),
              "12:00:00 Start\r\n12:34:56 END\r\n");
}

TEST_F(SettingsTest, ClosingStoresTheDefaultAddressWhenNoneWasSet) {
    SaveSettingsAndLogEnd({});
    EXPECT_EQ(ReadSetting("URL", "", "", ""), ORVANE_DEFAULT_URL);
}

TEST_F(SettingsTest, CheckBoxSettingsOutsideTheBoxStatesReadAsUnchecked) {
    Store("OverWrite=1\r\nUseDefault=2\r\n");
    EXPECT_EQ(CheckBoxSetting("OverWrite"), 1);
    EXPECT_EQ(CheckBoxSetting("UseDefault"), 2);
    Store("OverWrite=yes\r\nUseDefault=7\r\n");
    EXPECT_EQ(CheckBoxSetting("OverWrite"), 0);
    EXPECT_EQ(CheckBoxSetting("UseDefault"), 0);
}

TEST_F(SettingsTest, AnUnwritableProgramFolderStillStartsAndWritesNothing) {
    MachineScope elsewhere(folder.Sub("missing-folder"));
    program.machine = elsewhere.Facts();
    LoadSettings(program);
    CloseWindow();
    EXPECT_FALSE(std::filesystem::exists(folder.Sub("missing-folder")));
    EXPECT_EQ(program.SourcePath, folder.Sub("missing-folder") + Native("/Screens/"));
}

} // namespace
