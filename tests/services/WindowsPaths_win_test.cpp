// Drive roots and backslash paths, and the machine facts they come from.
#include "app/Settings.h"
#include "services/FileUtils.h"
#include "services/Machine.h"
#include "support/MachineScope.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowsPaths, DriveRootsKeepOrGetTheirBackslash) {
    EXPECT_EQ(WithTrailingSeparator("C:"), "C:\\");
    EXPECT_EQ(WithTrailingSeparator("C:\\"), "C:\\");
    EXPECT_EQ(WithTrailingSeparator("C:\\Jeux\\Orvane-FE"), "C:\\Jeux\\Orvane-FE\\");
    EXPECT_TRUE(IsFolder("C:\\"));
    TempFolder folder;
    EXPECT_TRUE(IsFolder(folder.Path() + "\\"));
    EXPECT_FALSE(IsFile(folder.Path() + "\\"));
}

TEST(WindowsPaths, TheFirstRootSearchedIsTheProgramFilesDrive) {
    const MachineFacts real = RealMachine();
    ASSERT_GE(real.programFilesFolder.size(), 3u);
    EXPECT_EQ(real.homeFolder, real.programFilesFolder.substr(0, 3));
    EXPECT_EQ(real.homeFolder.substr(1), ":\\");
    EXPECT_TRUE(IsFolder(real.programFolder)) << real.programFolder;
}

TEST(WindowsPaths, TheProposalSearchesTheOtherDrivesLast) {
    TempFolder folder;
    MachineFacts machine;
    const std::string other = folder.MakeDir("D");
    folder.MakeDir("D/Orvane-FE/Projects/Layouts");
    machine.homeFolder = folder.MakeDir("C");
    machine.programFilesFolder = folder.MakeDir("C/Program Files");
    machine.otherDriveRoots = {other + "\\"};
    EXPECT_EQ(ProposeLayoutsFolder(machine), other + "\\Orvane-FE\\Projects\\Layouts\\");
    folder.MakeDir("C/Program Files/OrvaneFE");
    EXPECT_EQ(ProposeLayoutsFolder(machine), folder.Sub("C/Program Files/OrvaneFE") + "\\");
}

} // namespace
