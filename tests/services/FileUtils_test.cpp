#include "services/FileUtils.h"
#include "support/Environment.h"
#include "support/MachineScope.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(FileUtils, IsFileAndIsFolderTellFilesFromFoldersAndFailQuietly) {
    TempFolder folder;
    const std::string file = folder.Write("a.png", "x");
    const std::string dir = folder.MakeDir("layout");
    EXPECT_TRUE(IsFile(file));
    EXPECT_FALSE(IsFolder(file));
    EXPECT_TRUE(IsFolder(dir));
    EXPECT_TRUE(IsFolder(dir + "/"));
    EXPECT_FALSE(IsFile(dir));
    EXPECT_FALSE(IsFile(folder.Sub("missing")));
    EXPECT_FALSE(IsFolder(folder.Sub("missing")));
    EXPECT_FALSE(IsFile(folder.Sub("*.png")));
    EXPECT_FALSE(IsFolder(""));
    EXPECT_FALSE(IsFile(file + "/inside"));
}

TEST(FileUtils, WithTrailingSeparatorKeepsAnyFinalSeparatorAndPicksOneForUrls) {
    EXPECT_EQ(WithTrailingSeparator("/games/layouts"), "/games/layouts" + kSep);
    EXPECT_EQ(WithTrailingSeparator("/games/layouts/"), "/games/layouts/");
    EXPECT_EQ(WithTrailingSeparator("C:\\Games\\"), "C:\\Games\\");
    EXPECT_EQ(WithTrailingSeparator("http://host/orvane"), "http://host/orvane/");
    EXPECT_EQ(WithTrailingSeparator("http://host/orvane\\"), "http://host/orvane\\");
    EXPECT_EQ(WithTrailingSeparator(""), kSep);
}

TEST(FileUtils, ABlankFolderFieldNamesNoFolderButARootTypedAsSuchStaysTheRoot) {
    for (const char* blank : {"", " ", "\t \r\n"})
        EXPECT_EQ(FolderOfField(blank), "") << '"' << blank << '"';
    EXPECT_EQ(FolderOfField("/"), "/");
    EXPECT_EQ(FolderOfField("C:\\"), "C:\\");
    EXPECT_EQ(FolderOfField(" layouts"), " layouts" + kSep);
}

TEST(FileUtils, MakeFolderCreatesOnlyTheLastLevelOnce) {
    TempFolder folder;
    const std::string fresh = folder.Sub("Screens") + "\\";
    EXPECT_TRUE(MakeFolder(folder.Sub("Screens/")));
    EXPECT_TRUE(IsFolder(folder.Sub("Screens")));
    EXPECT_FALSE(MakeFolder(folder.Sub("Screens/")));
    EXPECT_FALSE(MakeFolder(folder.Sub("missing/child")));
    EXPECT_FALSE(MakeFolder(""));
    EXPECT_EQ(fresh, folder.Sub("Screens") + "\\"); // the caller's text is untouched
}

TEST(FileUtils, ShellDeleteRemovesAFolderWithItsContentAndFailsOnMissingPaths) {
    TempFolder folder;
    const EnvironmentScope ownBin("XDG_DATA_HOME", folder.Sub("data"));
    folder.Write("Screens/a/b.png", "x");
    folder.Write("Screens/c.png", "y");
    EXPECT_TRUE(ShellDelete(folder.Sub("Screens"), true));
    EXPECT_FALSE(IsFolder(folder.Sub("Screens")));
    EXPECT_FALSE(ShellDelete(folder.Sub("Screens"), true));
    EXPECT_TRUE(ShellDelete(folder.Write("one.png", "z"), false));
    EXPECT_FALSE(ShellDelete("", true));
}

TEST(FileUtils, ShellDeleteOfALinkLeavesItsTargetAlone) {
    for (const char* ending : {"", "/", "\\", "//"}) {
        TempFolder folder;
        const std::string target = folder.Write("keep/precious.png", "x");
        if (!MakeSymlink(folder.Sub("keep"), folder.Sub("link")))
            GTEST_SKIP() << kNoSymlinks;
        EXPECT_TRUE(ShellDelete(folder.Sub("link") + ending, true)) << ending;
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(folder.Sub("link"))))
            << ending;
        EXPECT_EQ(FileContent(target), "x") << ending;
    }
}

TEST(FileUtils, SpecialFolder38IsTheProgramFilesFolder) {
    MachineFacts machine;
    machine.programFilesFolder = "/opt";
    EXPECT_EQ(SpecialFolderPath(machine, 38), "/opt");
    EXPECT_EQ(SpecialFolderPath(machine, 5), "");
}

} // namespace

#include "services/FileSystem.h"

namespace {

TEST(FileIO, ReplacingAFileWritesItWholeAndLeavesNoTemporaryFile) {
    TempFolder folder;
    const std::string target = folder.Write("settings.ini", "old");
    EXPECT_TRUE(ReplaceFileContent(target, "new content"));
    EXPECT_EQ(FileContent(target), "new content");
    size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++entries;
    EXPECT_EQ(entries, 1u);
}

TEST(FileIO, AnUnusableNameFailsInsteadOfLooping) {
    TempFolder folder;
    std::string withNul = folder.Sub("a");
    withNul += '\0';
    withNul += "b";
    EXPECT_FALSE(TemporaryNameBeside(withNul).empty());
    EXPECT_FALSE(ReplaceFileContent(withNul, "x"));
    EXPECT_FALSE(ReplaceFileContent(folder.Sub("missing/settings.ini"), "x"));
}

} // namespace
