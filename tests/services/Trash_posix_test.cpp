#include "services/FileUtils.h"
#include "support/Environment.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class TrashTest : public ::testing::Test {
  protected:
    TempFolder folder;
    EnvironmentScope dataHome{"XDG_DATA_HOME", folder.Sub("data")};

    std::string Info(const std::string& name) const {
        return FileContent(folder.Sub("data/Trash/info/" + name + ".trashinfo"));
    }
};

TEST_F(TrashTest, TheBinTakesAFolderAndTheSameNameTwiceWithWhereEachCameFrom) {
    folder.Write("my pictures/a.png", "a");
    ASSERT_TRUE(ShellDelete(folder.Sub("my pictures") + "/", false));
    folder.Write("my pictures/a.png", "b");
    ASSERT_TRUE(ShellDelete(folder.Sub("my pictures"), false));

    EXPECT_FALSE(fs::exists(folder.Sub("my pictures")));
    EXPECT_EQ(FileContent(folder.Sub("data/Trash/files/my pictures/a.png")), "a");
    EXPECT_EQ(FileContent(folder.Sub("data/Trash/files/my pictures.2/a.png")), "b");
    const std::string info = Info("my pictures.2");
    EXPECT_TRUE(info.starts_with("[Trash Info]\nPath=" + folder.Path() + "/my%20pictures\n"))
        << info;
    EXPECT_NE(info.find("\nDeletionDate=20"), std::string::npos) << info;
}

TEST_F(TrashTest, WhenNoBinTakesItTheFileStaysAndTheCallFails) {
    folder.Write("data", "a file where the bin would go");
    const std::string picture = folder.Write("a.png", "a");
    EXPECT_FALSE(ShellDelete(picture, false));
    EXPECT_EQ(FileContent(picture), "a");
    EXPECT_FALSE(ShellDelete(folder.Sub("missing.png"), false));
}

// A bin never emptied holds every numbered name: the file still goes in.
TEST_F(TrashTest, ABinHoldingEveryNumberedNameStillTakesTheFile) {
    folder.MakeDir("data/Trash/info");
    for (int number = 1; number <= 1000; ++number)
        folder.Write("data/Trash/info/Undo.old" +
                         (number == 1 ? "" : "." + std::to_string(number)) + ".trashinfo",
                     "");
    for (int store = 0; store < 2; ++store) {
        folder.Write("Undo.old/kept/1.png", "kept");
        ASSERT_TRUE(ShellDelete(folder.Sub("Undo.old"), false)) << store;
    }
    EXPECT_FALSE(fs::exists(folder.Sub("Undo.old")));
    int taken = 0;
    for (const auto& entry : fs::directory_iterator(folder.Sub("data/Trash/files"))) {
        const std::string name = entry.path().filename().string();
        taken += FileContent(entry.path().string() + "/kept/1.png") == "kept";
        EXPECT_NE(Info(name).find("Path=" + folder.Path() + "/Undo.old\n"), std::string::npos);
    }
    EXPECT_EQ(taken, 2);
}

// Another volume's own bin, at its top, so that nothing is copied.
TEST_F(TrashTest, AFileOnAnotherVolumeGoesToThatVolumesBin) {
    const fs::path other = "/dev/shm";
    const fs::path name = "orvane-trash-" + fs::path(folder.Path()).filename().string();
    std::error_code error;
    if (!fs::is_directory(other, error) || !fs::create_directory(other / name, error))
        GTEST_SKIP() << "no second volume here";
    const fs::path bin = other / (".Trash-" + std::to_string(geteuid()));
    const bool binExisted = fs::exists(bin);
    const Status moved = ShellDelete((other / name).string(), false);
    const std::string info = FileContent((bin / "info" / (name.string() + ".trashinfo")).string());
    const bool inBin = fs::exists(bin / "files" / name);
    fs::remove_all(other / name, error);
    fs::remove_all(bin / "files" / name, error);
    fs::remove(bin / "info" / (name.string() + ".trashinfo"), error);
    if (!binExisted)
        fs::remove_all(bin, error);
    EXPECT_TRUE(moved);
    EXPECT_TRUE(inBin);
    EXPECT_TRUE(info.starts_with("[Trash Info]\nPath=" + name.string() + "\n")) << info;
}

} // namespace
