#include "services/ProfileFile.h"
#include "support/MachineScope.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Links, owners and permission bits as POSIX has them.
class ProfileFilePosixTest : public ::testing::Test {
  protected:
    TempFolder folder;
    MachineScope machine{folder.Path()};
    std::string IniPath() const { return folder.Sub("OrvanePatchLayouts.ini"); }
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

} // namespace
