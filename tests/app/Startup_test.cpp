#include "app/AppState.h"
#include "app/Messages.h"
#include "app/Startup.h"
#include "services/LogFile.h"
#include "services/SingleInstance.h"
#include "support/FrozenFolder.h"
#include "support/MachineScope.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class StartupTest : public ::testing::Test {
  protected:
    TempFolder folder;
    MachineScope machine{folder.Path()};
    std::string Log() const { return FileContent(folder.Sub("OrvanePatchLayouts.log.txt")); }
};

TEST_F(StartupTest, StartsTheLogAfreshAndLoadsTheLanguage) {
    folder.Write("OrvanePatchLayouts.log.txt", "old run\r\n");
    folder.Write("OrvanePatchLayouts.ini", "[OrvanePatchLayouts]\r\nLanguage=1\r\n");
    SingleInstanceLock lock;
    ASSERT_TRUE(StartUp(lock));
    EXPECT_EQ(Log(), "12:34:56 Start\r\n");
    EXPECT_EQ(Language, 1);
    EXPECT_EQ(Messages[kMsgFinished], "Termin\u00e9");
}

TEST_F(StartupTest, ASecondInstanceEndsBeforeTouchingLogOrSettings) {
    SingleInstanceLock first;
    ASSERT_TRUE(StartUp(first));
    WriteLog("working", "", false, false);
    SingleInstanceLock second;
    EXPECT_FALSE(StartUp(second));
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

// As another user (nobody), in a child: true when that copy could start.
bool AnotherUserCouldStart(const std::string& programFolder) {
    const pid_t child = fork();
    if (child == 0) {
        const bool switched = setgid(65534) == 0 && setuid(65534) == 0;
        SingleInstanceLock lock;
        _exit(!switched ? 2 : lock.TryAcquire(programFolder) ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 2);
    return WIFEXITED(status) && WEXITSTATUS(status) == 1;
}

TEST_F(StartupTest, OneCopyPerProgramFolderForEveryUserEvenWhenTheFolderIsReadOnly) {
    chmod(folder.Path().c_str(), 0755);
    FrozenFolder frozen(folder.Path());
    TempFolder runtime;
    SingleInstanceLock first;
    ASSERT_TRUE(first.TryAcquire(folder.Path()));
    const char* saved = std::getenv("XDG_RUNTIME_DIR");
    const std::string savedText = saved ? saved : "";
    setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    SingleInstanceLock second;
    EXPECT_FALSE(second.TryAcquire(folder.Path()));
    saved ? setenv("XDG_RUNTIME_DIR", savedText.c_str(), 1) : unsetenv("XDG_RUNTIME_DIR");
    if (geteuid() == 0) {
        EXPECT_FALSE(AnotherUserCouldStart(folder.Path()));
    }
}

TEST(Messages, LanguageZeroIsEnglishAnyOtherValueFrench) {
    ApplyLanguage(0);
    EXPECT_EQ(Messages[kMsgOverwriteCaption], "&Overwrite");
    ApplyLanguage(2);
    EXPECT_EQ(Messages[kMsgOverwriteCaption], "E&craser");
    ApplyLanguage(-1);
    EXPECT_EQ(Messages[kMsgLayoutsFolderInvalid], "Le dossier des layouts semble invalide.");
}

TEST(Messages, LineBreakMarkersBecomeCrLf) {
    ApplyLanguage(0);
    EXPECT_EQ(WithLineBreaks(Messages[kMsgDeleteUnzipped]),
              "The files previously unzipped in the patch are now of no use.\r\n"
              "Do you want to delete them ?");
}

} // namespace
