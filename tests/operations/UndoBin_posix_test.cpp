
#include "support/UndoFixture.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace {

std::multiset<std::string> ContentsBelow(const fs::path& root) {
    std::multiset<std::string> contents;
    std::error_code error;
    if (!fs::is_directory(root, error))
        return contents;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file() && entry.path().extension() == ".png")
            contents.insert(FileContent(entry.path().string()));
    return contents;
}

class UndoBinTest : public UndoFixture {
  protected:
    fs::path Bin() const { return fs::path(folder.Sub("data/Trash")); }
};

// Each picture the layouts ever held is, at the end, in the layouts, in the
// store, or in the bin, where the user can restore it.
TEST_F(UndoBinTest, NoPictureIsLostThroughInstallDeleteNothingInstallAndUndo) {
    Install();
    Delete();
    Delete();
    Install();
    window.answers = {true};
    UndoLastOperation(window, program, state, place);

    std::multiset<std::string> everywhere = ContentsBelow(layouts);
    for (const auto& more : {ContentsBelow(folder.Sub("Undo")), ContentsBelow(Bin() / "files")})
        everywhere.insert(more.begin(), more.end());
    for (const char* picture : {"old pacman", "old galaga", "new pacman", "new qbert"})
        EXPECT_EQ(everywhere.count(picture), 1u) << picture;
    // The bin knows where each store came from.
    for (const auto& entry : fs::directory_iterator(Bin() / "files")) {
        const std::string info = FileContent(
            (Bin() / "info" / (entry.path().filename().string() + ".trashinfo")).string());
        EXPECT_NE(info.find("\nPath=" + folder.Path() + "/Undo.old\n"), std::string::npos) << info;
    }
}

// Left under the old name (its bin was full, say) and the store undone
// since: the operation before the last is never offered.
TEST_F(UndoBinTest, AReplacedStoreIsNeverOfferedAgain) {
    Install();
    std::filesystem::rename(folder.Sub("Undo"), folder.Sub("Undo.old"));
    EXPECT_FALSE(UndoableOperation(place).has_value());
    EXPECT_EQ(ContentsBelow(Bin() / "files"), std::multiset<std::string>{"old pacman"});
}

// A store whose journal is gone cannot be undone, but its pictures are
// still the user's.
TEST_F(UndoBinTest, AStoreWithoutItsJournalSendsItsPicturesToTheBin) {
    folder.Write("Undo.new/kept/1.png", "only copy");
    EXPECT_FALSE(UndoableOperation(place).has_value());
    EXPECT_FALSE(fs::exists(folder.Sub("Undo.new")));
    EXPECT_EQ(ContentsBelow(Bin() / "files"), std::multiset<std::string>{"only copy"});
}

// No bin can take a replaced store: it is kept beside the store instead.
TEST_F(UndoBinTest, WithoutABinTheReplacedStoreIsKeptAside) {
    folder.Write("data", "a file where the bin would go");
    Install();
    Delete();
    EXPECT_EQ(UndoableOperation(place), UndoKind::Delete);
    EXPECT_EQ(ContentsBelow(folder.Sub("Undo kept 1")), std::multiset<std::string>{"old pacman"});
    const std::vector<std::string> log = Log();
    EXPECT_EQ(std::count(log.begin(), log.end(),
                         " No bin takes the replaced undo store: " + folder.Sub("Undo.old")),
              1);
}

} // namespace
