#include "services/ProfileFile.h"
#include "support/FrozenFolder.h"
#include "support/MachineScope.h"
#include "support/TempFolder.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Links, owners and permission bits as POSIX has them.
class ProfileFilePosixTest : public ::testing::Test {
  protected:
    TempFolder folder;
    MachineScope machine{folder.Path()};
    std::string IniPath() const { return folder.Sub("OrvanePatchLayouts.ini"); }

    // Writes `value` from a child process that the system kills, as it would
    // kill the program, once a file grows beyond `limit` bytes; the signal
    // that ended the child, 0 when it lived.
    static int SignalOfDyingWrite(const std::string& value, rlim_t limit) {
        const pid_t child = fork();
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_DFL);
            rlimit limited{};
            getrlimit(RLIMIT_FSIZE, &limited);
            limited.rlim_cur = limit;
            setrlimit(RLIMIT_FSIZE, &limited);
            WriteSetting("LayoutsPath", value, "", "");
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    }
};

TEST_F(ProfileFilePosixTest, ALinkIsWrittenThroughAndTheFileKeepsItsModeAndGroup) {
    const std::string target = folder.Write("shared/settings.ini", "[OrvanePatchLayouts]\r\n");
    const gid_t group = geteuid() == 0 ? 1 : getegid();
    ASSERT_EQ(chown(target.c_str(), static_cast<uid_t>(-1), group), 0);
    chmod(target.c_str(), 0640);
    std::filesystem::create_symlink("shared/settings.ini", IniPath());
    WriteSetting("Language", "1", "", "");
    EXPECT_TRUE(std::filesystem::is_symlink(IniPath()));
    EXPECT_EQ(FileContent(target), "[OrvanePatchLayouts]\r\nLanguage=1\r\n");
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(info.st_gid, group);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Sub("shared")), {}), 1);
}

TEST_F(ProfileFilePosixTest, AWriteCutShortByTheProcessDyingLeavesTheOldContentWhole) {
    const std::string old = "[OrvanePatchLayouts]\r\nLayoutsPath=/games\r\nURL=u\r\n";
    folder.Write("OrvanePatchLayouts.ini", old);
    const std::string longPath(8192, 'p');
    EXPECT_EQ(SignalOfDyingWrite(longPath, 4096), SIGXFSZ);
    EXPECT_EQ(FileContent(IniPath()), old);
    FrozenFolder frozen(folder.Path()); // now only a write in place is possible
    if (!frozen.Active())
        GTEST_SKIP() << "no folder here refuses new files";
    SignalOfDyingWrite(longPath, 4096);
    EXPECT_EQ(FileContent(IniPath()), old);
}

} // namespace
