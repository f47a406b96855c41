#include "services/LogFile.h"
#include "support/MachineScope.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

class LogFileTest : public ::testing::Test {
  protected:
    TempFolder folder;
    MachineScope machine{folder.Path()};
    std::string Log() const { return FileContent(folder.Sub("OrvanePatchLayouts.log.txt")); }
};

TEST_F(LogFileTest, RestartEmptiesTheLogAndAppendCreatesAMissingOne) {
    WriteLog("first", "", false, false);
    EXPECT_EQ(Log(), "first\r\n");
    WriteLog("second", "", false, false);
    WriteLog("Start", "", true, true);
    EXPECT_EQ(Log(), "12:34:56 Start\r\n");
}

TEST_F(LogFileTest, EmptyTextsAndEmbeddedLineBreaksAreWrittenAsTheyAre) {
    WriteLog("", "", false, true);
    WriteLog("", "", true, false);
    WriteLog("a\r\nb", "", false, false);
    EXPECT_EQ(Log(), "\r\n12:34:56 \r\na\r\nb\r\n");
}

TEST_F(LogFileTest, AnExplicitFileIsUsedUnchanged) {
    const std::string other = folder.Sub("other.txt");
    WriteLog("x", other, false, false);
    EXPECT_EQ(FileContent(other), "x\r\n");
    EXPECT_EQ(Log(), "<missing>");
}

TEST_F(LogFileTest, ALogThatCannotBeWrittenIsSkippedSilently) {
    folder.MakeDir("OrvanePatchLayouts.log.txt");
    WriteLog("lost", "", true, true);
    WriteLog("lost", "", false, false);
    EXPECT_TRUE(std::filesystem::is_directory(folder.Sub("OrvanePatchLayouts.log.txt")));
}

// An operation keeps the log open: every line is in the file as soon as it
// is written, and the log is the program's own wherever it goes after.
TEST_F(LogFileTest, AKeptLogHasEveryLineAtOnceAndClosesWithTheOuterScope) {
    {
        const LogKeptOpen log;
        WriteLog("first", "", false, false);
        EXPECT_EQ(Log(), "first\r\n");
        { const LogKeptOpen inner; }
        // The kept handle follows the file it opened; a new opening would not.
        std::filesystem::rename(folder.Sub("OrvanePatchLayouts.log.txt"), folder.Sub("moved.txt"));
        WriteLog("second", "", false, false);
        EXPECT_EQ(FileContent(folder.Sub("moved.txt")), "first\r\nsecond\r\n")
            << "the inner scope closes nothing";
    }
    WriteLog("third", "", false, false);
    EXPECT_EQ(Log(), "third\r\n") << "opened again once no scope keeps it";
}

} // namespace
