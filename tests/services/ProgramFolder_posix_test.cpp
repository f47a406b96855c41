#include "services/ProgramFolder.h"
#include "support/FrozenFolder.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>

namespace {

namespace fs = std::filesystem;

// Sets XDG_DATA_HOME (or removes it) for one test and puts it back after.
class DataHomeScope {
  public:
    explicit DataHomeScope(const char* value) {
        if (const char* old = std::getenv(kName))
            saved_ = old;
        value ? setenv(kName, value, 1) : unsetenv(kName);
    }
    ~DataHomeScope() { saved_ ? setenv(kName, saved_->c_str(), 1) : unsetenv(kName); }

  private:
    static constexpr const char* kName = "XDG_DATA_HOME";
    std::optional<std::string> saved_;
};

class ProgramFolderTest : public ::testing::Test {
  protected:
    TempFolder root;
    const std::string executableFolder = root.MakeDir("bin");
    const std::string home = root.MakeDir("home");
    static bool ReadOnly(const std::string&) { return false; }
};

TEST_F(ProgramFolderTest, AWritableExecutableFolderKeepsTheFilesBesideTheProgram) {
    DataHomeScope dataHome(root.Sub("data").c_str());
    EXPECT_TRUE(FolderCanBeWritten(executableFolder));
    EXPECT_EQ(ProgramFolderFor(executableFolder, home), executableFolder);
    EXPECT_FALSE(fs::exists(root.Sub("data")));
}

TEST_F(ProgramFolderTest, AnUnwritableExecutableFolderMovesTheFilesToTheDataFolder) {
    DataHomeScope dataHome(root.Sub("data/deeper").c_str());
    FrozenFolder frozen(executableFolder);
    if (!frozen.Active())
        GTEST_SKIP() << "cannot make a folder read-only here";
    EXPECT_FALSE(FolderCanBeWritten(executableFolder));
    const std::string folder = ProgramFolderFor(executableFolder, home);
    EXPECT_EQ(folder, root.Sub("data/deeper/OrvanePatchLayouts"));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all);
}

TEST_F(ProgramFolderTest, AProgramInstalledBelowUsrKeepsItsFilesInTheDataFolderEvenForRoot) {
    DataHomeScope dataHome(root.Sub("data").c_str());
    const auto writable = [](const std::string&) { return true; };
    EXPECT_EQ(ProgramFolderFor("/usr/bin", home, writable), root.Sub("data/OrvanePatchLayouts"));
    EXPECT_EQ(ProgramFolderFor("/usr/local/games/", home, writable),
              root.Sub("data/OrvanePatchLayouts"));
    EXPECT_EQ(ProgramFolderFor("/usrlocal/bin", home, writable), "/usrlocal/bin");
}

TEST_F(ProgramFolderTest, WithoutAnAbsoluteDataHomeTheFolderIsBelowTheHomeFolder) {
    const std::string expected = home + "/.local/share/OrvanePatchLayouts";
    for (const char* value : {static_cast<const char*>(nullptr), "", "relative/data"}) {
        DataHomeScope dataHome(value);
        EXPECT_EQ(ProgramFolderFor(executableFolder, home, ReadOnly), expected);
        EXPECT_TRUE(fs::is_directory(expected));
    }
    EXPECT_FALSE(fs::exists(executableFolder + "/relative"));
}

TEST_F(ProgramFolderTest, ADataFolderThatCannotBeCreatedIsReportedOnTheErrorStream) {
    const std::string blocker = root.Write("file", "not a folder");
    DataHomeScope dataHome(blocker.c_str());
    ::testing::internal::CaptureStderr();
    const std::string folder = ProgramFolderFor(executableFolder, home, ReadOnly);
    const std::string told = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(folder, blocker + "/OrvanePatchLayouts");
    EXPECT_NE(told.find("cannot create " + folder), std::string::npos) << told;
}

} // namespace
