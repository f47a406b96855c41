#include "app/Settings.h"
#include "services/PathText.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class ProposalTest : public ::testing::Test {
  protected:
    TempFolder folder;
    std::string home = folder.MakeDir("home");
    std::string programFiles = folder.MakeDir("opt");
    MachineFacts machine = [this] {
        MachineFacts facts;
        facts.homeFolder = home;
        facts.programFilesFolder = programFiles;
        return facts;
    }();
};

TEST_F(ProposalTest, FullInstallationGivesTheDeepestLevelWithTrailingSeparator) {
    folder.MakeDir("home/Orvane-FE/Projects/Layouts/Corvella_Mame_Set");
    EXPECT_EQ(ProposeLayoutsFolder(machine),
              home + Native("/Orvane-FE/Projects/Layouts/Corvella_Mame_Set/"));
}

TEST_F(ProposalTest, MissingLevelsAreSkippedAndTheNextTestedOneLevelHigher) {
    folder.MakeDir("home/Orvane-FE/Projects");
    EXPECT_EQ(ProposeLayoutsFolder(machine), home + Native("/Orvane-FE/Projects/"));
    folder.MakeDir("home/Orvane-FE/Layouts/Corvella_Mame_Set");
    fs::remove(folder.Sub("home/Orvane-FE/Projects"));
    EXPECT_EQ(ProposeLayoutsFolder(machine),
              home + Native("/Orvane-FE/Layouts/Corvella_Mame_Set/"));
}

TEST_F(ProposalTest, LevelsAreFoundIgnoringCaseAndAppendedAsSpeltOnDisk) {
    if (NamesIgnoreCase(folder.Path()))
        GTEST_SKIP() << kNamesIgnoreCase; // the literal spelling is appended there
    folder.MakeDir("home/orvanefe/projects/LAYOUTS");
    EXPECT_EQ(ProposeLayoutsFolder(machine), home + Native("/orvanefe/projects/LAYOUTS/"));
}

TEST_F(ProposalTest, LevelsIgnoreLetterCaseBeyondAscii) {
    if (NamesIgnoreCase(folder.Path()))
        GTEST_SKIP() << kNamesIgnoreCase; // the literal spelling is appended there
    // U+017F, the long s, is a lower-case s.
    folder.MakeDir("home/ORVANE/PROJECT\xc5\xbf/layout\xc5\xbf");
    EXPECT_EQ(ProposeLayoutsFolder(machine),
              home + Native("/ORVANE/PROJECT\xc5\xbf/layout\xc5\xbf/"));
}

TEST_F(ProposalTest, ProgramFilesIsSearchedWhenTheHomeFolderHasNoMatch) {
    folder.MakeDir("home/Games");
    folder.MakeDir("opt/OrvaneFE");
    EXPECT_EQ(ProposeLayoutsFolder(machine), programFiles + Native("/OrvaneFE/"));
}

TEST_F(ProposalTest, OnlyTheFirstListedMatchCountsEvenAFile) {
    folder.Write("home/orvane.txt", "not a folder");
    folder.MakeDir("home/Orvane-FE/Projects");
    std::string first;
    for (const auto& entry : fs::directory_iterator(home))
        if (first.empty())
            first = PathText(entry.path().filename());
    const std::string expected = first == "Orvane-FE" ? home + Native("/Orvane-FE/Projects/")
                                                      : home + Native("/orvane.txt/");
    EXPECT_EQ(ProposeLayoutsFolder(machine), expected);
}

TEST_F(ProposalTest, NothingFoundTestsTheBareNamesInTheCurrentFolder) {
    const fs::path saved = fs::current_path();
    fs::current_path(folder.MakeDir("cwd"));
    EXPECT_EQ(ProposeLayoutsFolder(machine), "");
    folder.MakeDir("cwd/Layouts");
    EXPECT_EQ(ProposeLayoutsFolder(machine), "Layouts" + kSep);
    fs::current_path(saved);
}

} // namespace
