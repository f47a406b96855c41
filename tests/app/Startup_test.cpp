#include "app/ProgramState.h"
#include "app/Startup.h"
#include "services/LogFile.h"
#include "services/SingleInstance.h"
#include "support/MachineScope.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

class StartupTest : public ::testing::Test {
  protected:
    TempFolder folder;
    MachineScope machine{folder.Path()};
    ProgramState program;
    std::string Log() const { return FileContent(folder.Sub("OrvanePatchLayouts.log.txt")); }
};

TEST_F(StartupTest, StartsTheLogAfreshAndLoadsTheLanguage) {
    folder.Write("OrvanePatchLayouts.log.txt", "old run\r\n");
    folder.Write("OrvanePatchLayouts.ini", "[OrvanePatchLayouts]\r\nLanguage=1\r\n");
    SingleInstanceLock lock;
    ASSERT_TRUE(StartUp(lock, program));
    EXPECT_EQ(Log(), "12:34:56 Start\r\n");
    EXPECT_EQ(program.Language, 1);
    EXPECT_EQ(program.Messages[kMsgFinished], "Termin\u00e9");
}

TEST_F(StartupTest, ASecondInstanceEndsBeforeTouchingLogOrSettings) {
    SingleInstanceLock first;
    ASSERT_TRUE(StartUp(first, program));
    WriteLog("working", "", false, false);
    SingleInstanceLock second;
    ProgramState secondProgram;
    EXPECT_FALSE(StartUp(second, secondProgram));
    EXPECT_EQ(Log(), "12:34:56 Start\r\nworking\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder.Sub("OrvanePatchLayouts.ini")));
}

TEST_F(StartupTest, CopiesInOtherProgramFoldersDoNotBlockEachOther) {
    TempFolder other;
    SingleInstanceLock first;
    SingleInstanceLock second;
    EXPECT_TRUE(first.TryAcquire(folder.Path()));
    EXPECT_TRUE(second.TryAcquire(other.Path()));
}

TEST_F(StartupTest, TheLockIsFreedWhenTheFirstCopyEnds) {
    {
        SingleInstanceLock first;
        ASSERT_TRUE(first.TryAcquire(folder.Path()));
    }
    SingleInstanceLock next;
    EXPECT_TRUE(next.TryAcquire(folder.Path()));
}

TEST(Messages, LanguageZeroIsEnglishAnyOtherValueFrench) {
    EXPECT_EQ(TextsIn(0)[kMsgOverwriteCaption], "&Overwrite");
    EXPECT_EQ(TextsIn(2)[kMsgOverwriteCaption], "E&craser");
    ProgramState program;
    ApplyLanguage(program, -1);
    EXPECT_EQ(program.Language, -1);
    EXPECT_EQ(program.Messages[kMsgLayoutsFolderInvalid],
              "Le dossier des layouts semble invalide.");
}

TEST(Messages, LineBreakMarkersBecomeCrLf) {
    EXPECT_EQ(WithLineBreaks(TextsIn(0)[kMsgDeleteUnzipped]),
              "The files previously unzipped in the patch are now of no use.\r\n"
              "Do you want to delete them ?");
}

} // namespace
