#include "app/ProgramState.h"
#include "operations/DeleteScreens.h"
#include "operations/InstallScreens.h"
#include "support/FrozenFolder.h"
#include "support/HiddenEntry.h"
#include "support/OperationFixture.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;
using LineOf = std::multimap<std::string, std::string>;

constexpr const char* kConfirm = "ask: Do you confirm you want to delete all loading screens ?";

class DeleteTest : public OperationFixture {
  protected:
    void SetUp() override {
        OperationFixture::SetUp();
        window.answers = {true};
    }
    Lines Header() const {
        return {" ", Stamped("Delete all loading screens"), " LayoutsPath=" + layouts + kSep};
    }
    std::string Target(const std::string& layout) const {
        return layouts + kSep + layout + Native("/loading.png");
    }
    Lines Run() {
        DeleteLoadingScreens(window, program, state);
        return Log();
    }
};

TEST_F(DeleteTest, NoLoadingScreenAnywhereLogsTheHeaderAndANullTotal) {
    folder.MakeDir("layouts/Pacman");
    EXPECT_EQ(Run(), Joined(Header(), {"Total: 0 files deleted."}));
    EXPECT_EQ(window.calls, (Lines{kConfirm, "hourglass: on", "progress: shown",
                                   "draw: 1/1 Deleting... 100%", "hourglass: off",
                                   "message(Information): 0 files deleted.", "progress: hidden"}));
}

TEST_F(DeleteTest, DeletesOnlyTheLoadingPngDirectlyInEachLayout) {
    folder.Write("layouts/Pacman/loading.png", "p");
    folder.Write("layouts/Galaga/loading.png", "g");
    folder.Write("layouts/Galaga/Galaga.png", "keep");
    folder.Write("layouts/Deep/sub/loading.png", "deeper");
    folder.MakeDir("layouts/Other");
    folder.Write("layouts/loading.png", "a plain file in the layouts folder");
    folder.Write("layouts/.Hidden/loading.png", "hidden");
    MarkHidden(folder.Sub("layouts/.Hidden"));

    const Lines log = Run();

    const LineOf lineOf = {{"Pacman", "Delete " + Target("Pacman")},
                           {"Galaga", "Delete " + Target("Galaga")}};
    EXPECT_EQ(log,
              Joined(Joined(Header(), InListingOrder(lineOf, state)), {"Total: 2 files deleted."}));
    EXPECT_FALSE(fs::exists(Target("Pacman")));
    EXPECT_FALSE(fs::exists(Target("Galaga")));
    EXPECT_EQ(FileContent(layouts + Native("/Galaga/Galaga.png")), "keep");
    EXPECT_EQ(FileContent(layouts + Native("/Deep/sub/loading.png")), "deeper");
    EXPECT_EQ(FileContent(layouts + Native("/loading.png")), "a plain file in the layouts folder");
    EXPECT_EQ(FileContent(layouts + Native("/.Hidden/loading.png")), "hidden");
    EXPECT_EQ(window.CallsStartingWith("message"), Lines{"message(Information): 2 files deleted."});
    EXPECT_EQ(window.CallsStartingWith("draw: ").size(), 5u);
}

TEST_F(DeleteTest, ALoadingPngSpeltOtherwiseIsNoLoadingScreen) {
    if (NamesIgnoreCase(folder.Path()))
        GTEST_SKIP() << kNamesIgnoreCase;
    folder.Write("layouts/Other/Loading.PNG", "other spelling");
    EXPECT_EQ(Run(), Joined(Header(), {"Total: 0 files deleted."}));
    EXPECT_EQ(FileContent(layouts + Native("/Other/Loading.PNG")), "other spelling");
}

TEST_F(DeleteTest, AnsweringNoDoesNothingAtAll) {
    window.answers = {false};
    folder.Write("layouts/Pacman/loading.png", "p");
    EXPECT_EQ(FileContent(folder.Sub(kLogName)), "<missing>");
    EXPECT_EQ(Run(), Lines{});
    EXPECT_EQ(FileContent(folder.Sub(kLogName)), "<missing>");
    EXPECT_EQ(window.calls, Lines{kConfirm});
    EXPECT_EQ(FileContent(Target("Pacman")), "p");
}

TEST_F(DeleteTest, AnInvalidLayoutsFolderStopsBeforeTheQuestion) {
    window.layoutsText = folder.Sub("missing");
    ApplyLanguage(program, 1);
    EXPECT_EQ(Run(), Lines{});
    EXPECT_EQ(window.calls, (Lines{"message(Exclamation): Le dossier des layouts semble invalide.",
                                   "focus: Text1"}));
    EXPECT_EQ(program.LayoutsPath, folder.Sub("missing") + kSep);
}

TEST_F(DeleteTest, ABlankLayoutsFieldIsAnInvalidFolderAndNeverTheRootOfTheDisk) {
    for (const std::string blank : {"", " "}) {
        window.calls.clear();
        window.layoutsText = blank;
        EXPECT_EQ(Run(), Lines{});
        EXPECT_EQ(window.calls, (Lines{"message(Exclamation): The folder of layouts seems to be "
                                       "unvalid.",
                                       "focus: Text1"}));
    }
}

TEST_F(DeleteTest, TheScreensFolderAndTheInstallFlagPlayNoPart) {
    window.screensText = "";
    folder.Write("layouts/Pacman/loading.png", "p");
    state.InstallDone = true;
    EXPECT_EQ(Run(), Joined(Header(), {"Delete " + Target("Pacman"), "Total: 1 files deleted."}));
    EXPECT_TRUE(state.InstallDone);
}

TEST_F(DeleteTest, ANonFileLoadingPngIsLeftAloneWithoutALine) {
    folder.Write("layouts/Dir/loading.png/inside.png", "x");
    fs::create_directory(layouts + Native("/Linked"));
    if (!MakeSymlink(folder.Sub("gone"), Target("Linked")))
        GTEST_SKIP() << kNoSymlinks;
    EXPECT_EQ(Run(), Joined(Header(), {"Total: 0 files deleted."}));
    EXPECT_EQ(FileContent(layouts + Native("/Dir/loading.png/inside.png")), "x");
    EXPECT_TRUE(fs::is_symlink(Target("Linked")));
}

TEST_F(DeleteTest, AFileThatCannotBeDeletedIsLoggedAndNotCounted) {
    folder.Write("layouts/Galaga/loading.png", "g");
    folder.Write("layouts/Pacman/loading.png", "p");
    FrozenFolder frozen(layouts + Native("/Galaga"));
    if (!frozen.Active())
        GTEST_SKIP() << "no way to make a folder read-only here";
    const Lines log = Run();
    const LineOf lineOf = {{"Galaga", "Can 't delete " + Target("Galaga")},
                           {"Pacman", "Delete " + Target("Pacman")}};
    EXPECT_EQ(log,
              Joined(Joined(Header(), InListingOrder(lineOf, state)), {"Total: 1 files deleted."}));
    EXPECT_EQ(FileContent(Target("Galaga")), "g");
}

TEST_F(DeleteTest, AnInstallAfterADeleteRestoresTheScreens) {
    folder.MakeDir("layouts/Pacman");
    folder.Write("screens/Pacman.png", "pacman");
    InstallLoadingScreens(window, program, state);
    Run();
    EXPECT_FALSE(fs::exists(Target("Pacman")));
    EXPECT_TRUE(state.InstallDone);
    InstallLoadingScreens(window, program, state);
    EXPECT_EQ(FileContent(Target("Pacman")), "pacman");
    EXPECT_EQ(Log().back(), "Total: 1 copies.");
}

} // namespace
