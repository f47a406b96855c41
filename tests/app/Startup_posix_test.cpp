#include "app/ProgramState.h"
#include "app/Startup.h"
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

// Other users and read-only folders as POSIX has them.
class StartupPosixTest : public ::testing::Test {
  protected:
    TempFolder folder;
    MachineScope machine{folder.Path()};
};

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

TEST_F(StartupPosixTest, OneCopyPerProgramFolderForEveryUserEvenWhenTheFolderIsReadOnly) {
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

TEST_F(StartupPosixTest, AProgramFolderThatCannotBeOpenedDoesNotStopTheStart) {
    {
        MachineScope missing(folder.Sub("missing"));
        SingleInstanceLock lock;
        ProgramState program;
        EXPECT_TRUE(StartUp(lock, program));
    }
    chmod(folder.Path().c_str(), 0755);
    const std::string unreadable = folder.MakeDir("unreadable");
    chmod(unreadable.c_str(), 0311); // enterable, not readable
    if (geteuid() == 0) {
        EXPECT_TRUE(AnotherUserCouldStart(unreadable)); // root reads any folder
    } else {
        SingleInstanceLock lock;
        EXPECT_TRUE(lock.TryAcquire(unreadable));
    }
    chmod(unreadable.c_str(), 0755);
}

} // namespace
