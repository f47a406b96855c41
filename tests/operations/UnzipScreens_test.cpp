#include "app/ProgramState.h"
#include "operations/UnzipScreens.h"
#include "support/FakeWindow.h"
#include "support/MachineScope.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

using Calls = std::vector<std::string>;

class UnzipScreensTest : public ::testing::Test {
  protected:
    TempFolder folder;
    MachineScope machine{folder.Path()};
    FakeWindow window;
    ProgramState program;
    std::string archive = folder.Sub("loadscr.zip");
    std::string screens = folder.Sub("Screens");

    void SetUp() override { ApplyLanguage(program, 0); }
    std::string Log() const { return FileContent(folder.Sub("OrvanePatchLayouts.log.txt")); }
    void UnzipSucceeds(bool result) {
        window.unzip = [result](const std::string&, const std::string&, bool) { return result; };
    }
};

TEST_F(UnzipScreensTest, WithoutArchiveTheButtonNamesThePathAndDoesNothingElse) {
    UnzipScreens(window, program);
    EXPECT_EQ(window.calls, (Calls{"message(Information): The file does not exist\r\n" + archive,
                                   "progress: hidden"}));
    EXPECT_FALSE(std::filesystem::exists(screens));
    EXPECT_EQ(Log(), "<missing>");
}

TEST_F(UnzipScreensTest, TheButtonUnzipsIntoTheScreensFolderAndSaysFinished) {
    folder.Write("loadscr.zip", "zip");
    UnzipSucceeds(true);
    UnzipScreens(window, program);
    EXPECT_EQ(window.calls,
              (Calls{"hourglass: on", "progress: shown", "draw: 50/100 Unzipping... 50%",
                     "unzip: " + archive + " -> " + screens, "draw: 100/100 Unzipping... 100%",
                     "hourglass: off", "message(Information): Finished", "progress: hidden"}));
    EXPECT_TRUE(std::filesystem::is_directory(screens));
    EXPECT_EQ(Log(), "<missing>") << "a successful unzip leaves no log line";
}

TEST_F(UnzipScreensTest, AFailedUnzipIsLoggedAndStillFinishes) {
    folder.Write("loadscr.zip", "zip");
    UnzipSucceeds(false);
    ApplyLanguage(program, 1);
    UnzipScreens(window, program);
    EXPECT_EQ(Log(), "Maybe problems while unzipping " + archive + "\r\n");
    EXPECT_EQ(window.CallsStartingWith("message"), Calls{"message(Information): Termin\u00e9"});
}

TEST_F(UnzipScreensTest, TheStartOfferIsMadeOnlyWithAnArchiveAndNoScreensFolder) {
    OfferUnzipAtStart(window, program);
    folder.Write("loadscr.zip", "zip");
    folder.MakeDir("Screens");
    OfferUnzipAtStart(window, program);
    EXPECT_TRUE(window.calls.empty());

    std::filesystem::remove(screens);
    window.answers = {false};
    OfferUnzipAtStart(window, program);
    EXPECT_EQ(window.calls, Calls{"ask: Do you want to unzip the loading screens ?"});
    EXPECT_FALSE(std::filesystem::exists(screens));
}

TEST_F(UnzipScreensTest, AcceptedStartOfferCreatesTheFolderAndUnzipsQuietly) {
    folder.Write("loadscr.zip", "zip");
    window.answers = {true};
    UnzipSucceeds(false);
    OfferUnzipAtStart(window, program);
    EXPECT_EQ(window.calls, (Calls{"ask: Do you want to unzip the loading screens ?",
                                   "unzip: " + archive + " -> " + screens + kSep}));
    EXPECT_TRUE(std::filesystem::is_directory(screens));
    EXPECT_EQ(Log(), "<missing>");
}

TEST_F(UnzipScreensTest, CleanUpAsksWithThreeLinesAndDeletesOnYes) {
    folder.Write("Screens/a.png", "x");
    folder.Write("loadscr.zip", "zip");
    window.answers = {true};
    DeleteTemporaryFiles(window, program);
    EXPECT_EQ(window.calls,
              (Calls{"ask: The files previously unzipped in the patch are now of no use.\r\n"
                     "Do you want to delete them ?\r\n" +
                         screens,
                     "hourglass: on", "progress: shown", "draw: 0/100 Deleting temporary files 0%",
                     "hourglass: off"}));
    EXPECT_FALSE(std::filesystem::exists(screens));
    EXPECT_EQ(FileContent(archive), "zip") << "the archive is never deleted";
    EXPECT_EQ(Log(), "Deleted : " + screens + "\r\n");
}

TEST_F(UnzipScreensTest, CleanUpAnsweredNoOrWithoutFolderTouchesNothing) {
    DeleteTemporaryFiles(window, program);
    EXPECT_TRUE(window.calls.empty());
    folder.Write("Screens/a.png", "x");
    DeleteTemporaryFiles(window, program);
    EXPECT_EQ(window.calls.size(), 1u);
    EXPECT_EQ(FileContent(folder.Sub("Screens/a.png")), "x");
    EXPECT_EQ(Log(), "<missing>");
}

TEST_F(UnzipScreensTest, ACleanUpThatFailsIsLogged) {
    folder.MakeDir("Screens");
    window.answers = {true};
    window.onYield = [this] { std::filesystem::remove(screens); }; // gone before the delete
    DeleteTemporaryFiles(window, program);
    EXPECT_EQ(Log(), "Can't delete " + screens + "\r\n");
}

} // namespace
