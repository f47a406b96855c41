#include "app/ProgramState.h"
#include "operations/DeleteScreens.h"
#include "operations/InstallScreens.h"
#include "operations/ScreenLinks.h"
#include "support/FileSizeLimit.h"
#include "support/FrozenFolder.h"
#include "support/OperationFixture.h"
#include "support/PictureBytes.h"
#include "support/UnreadableFile.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;
using LineOf = std::multimap<std::string, std::string>;

class InstallTest : public OperationFixture {
  protected:
    Lines Header(int overwrite, int useDefault) const {
        return {" ",
                Stamped("Install loading screens"),
                " LayoutsPath =" + layouts + kSep,
                " SourcePath  =" + screens + kSep,
                " Overwrite   =" + std::to_string(overwrite),
                " UseDefault  =" + std::to_string(useDefault)};
    }
    std::string Screen(const std::string& name, const std::string& content) {
        return folder.Write("screens/" + name, content);
    }
    std::string LoadingOf(const std::string& layout) const {
        return FileContent(layouts + kSep + layout + Native("/loading.png"));
    }
    std::string Destination(const std::string& layout) const {
        return layouts + kSep + layout + Native("/loading.png");
    }
    Lines Run() {
        InstallLoadingScreens(window, program, state);
        return Log();
    }
    static Lines Boxes(const Lines& calls) {
        Lines boxes;
        for (const std::string& call : calls)
            if (call.rfind("message", 0) == 0 || call.rfind("focus", 0) == 0)
                boxes.push_back(call);
        return boxes;
    }
};

TEST_F(InstallTest, AnEmptyLayoutsFolderLogsTheHeaderAndANullTotal) {
    EXPECT_EQ(Run(), Joined(Header(0, 0), {"Total: 0 copies."}));
    EXPECT_EQ(window.calls, (Lines{"hourglass: on", "progress: shown", "hourglass: off",
                                   "message(Information): 0 copies.", "progress: hidden"}));
    EXPECT_TRUE(state.InstallDone);
    EXPECT_EQ(program.LayoutsPath, layouts + kSep);
    EXPECT_EQ(program.SourcePath, screens + kSep);
}

TEST_F(InstallTest, CopiesMissingScreensAndSkipsExistingOnesWhenOverwriteIsOff) {
    folder.MakeDir("layouts/Pacman");
    folder.Write("layouts/Galaga/loading.png", "old");
    folder.MakeDir("layouts/Frogger"); // no screen of its own
    folder.Write("layouts/Dig.png", "a plain file");
    Screen("Pacman.png", "pacman");
    Screen("Galaga.png", "galaga");
    Screen("Dig.png", "dig");

    const Lines log = Run();

    const LineOf lineOf = {{"Pacman", "  Pacman  Ok"},
                           {"Galaga", "  Galaga  skipped because already exists."}};
    EXPECT_EQ(log,
              Joined(Joined(Header(0, 0), InListingOrder(lineOf, state)), {"Total: 1 copies."}));
    EXPECT_EQ(LoadingOf("Pacman"), "pacman");
    EXPECT_EQ(LoadingOf("Galaga"), "old");
    EXPECT_EQ(LoadingOf("Frogger"), "<missing>");
    EXPECT_EQ(Boxes(window.calls), Lines{"message(Information): 1 copies."});
    // The plain file counts towards the bar's maximum.
    EXPECT_EQ(window.CallsStartingWith("draw: "),
              (Lines{"draw: 1/4 Copying... 25%", "draw: 2/4 Copying... 50%",
                     "draw: 3/4 Copying... 75%", "draw: 4/4 Copying... 100%"}));
    EXPECT_GT(window.yields, state.LayoutCount)
        << "the window stays alive while the names come and with every drawing";
}

TEST_F(InstallTest, AnAcceptedLinkIsCopiedUnderItsNameAndAProposalAloneCopiesNothing) {
    for (const char* layout :
         {"Sonic & Knuckles", "Legend of Zelda, The (USA)", "Quiet", "Gone", "Pacman"})
        folder.MakeDir(std::string("layouts/") + layout);
    Screen("Sonic _ Knuckles.png", Png(4, 4)); // proposed, never accepted
    Screen("the legend of zelda.png", Png(4, 4));
    std::string cut = Png(4, 4);
    cut.resize(cut.size() - 4);
    Screen("Pacman.png", cut);
    Screen("Other.png", Png(4, 4));
    Screen(".png", Png(2, 2)); // what an empty link would name
    folder.Write(kScreenLinksFileName, "\"Legend of Zelda, The (USA)\",The Legend of Zelda\r\n"
                                       "Quiet,\r\nGone,Vanished\r\nPacman,Other\r\n");

    const Lines log = RawLog();
    const Lines ran = Run();
    const LineOf lineOf = {{"Legend of Zelda, The (USA)",
                            "  Legend of Zelda, The (USA)  Ok (the legend of zelda.png)"},
                           {"Pacman", "  Pacman  Ok (a cut PNG)"}};
    EXPECT_EQ(Lines(ran.begin() + static_cast<std::ptrdiff_t>(log.size()), ran.end()),
              Joined(Joined(Header(0, 0), InListingOrder(lineOf, state)), {"Total: 2 copies."}));
    EXPECT_EQ(LoadingOf("Legend of Zelda, The (USA)"), Png(4, 4));
    EXPECT_EQ(LoadingOf("Pacman"), cut) << "its own name first, whatever its link";
    for (const char* none : {"Sonic & Knuckles", "Quiet", "Gone"})
        EXPECT_EQ(LoadingOf(none), "<missing>") << none;

    folder.MakeDir("layouts/Text");
    Screen("Text.png", "text");
    window.overwriteState = 1;
    Run();
    const Lines again = RawLog();
    EXPECT_NE(std::find(again.begin(), again.end(), "  Text  Ok (not a PNG)"), again.end());
}

class OverwriteTest : public InstallTest, public ::testing::WithParamInterface<int> {};

TEST_P(OverwriteTest, ACheckedOrGrayedOverwriteReplacesAndCounts) {
    window.overwriteState = GetParam();
    folder.Write("layouts/Galaga/loading.png", "old");
    Screen("Galaga.png", "galaga");
    EXPECT_EQ(Run(), Joined(Header(GetParam(), 0), {"  Galaga  Ok", "Total: 1 copies."}));
    EXPECT_EQ(LoadingOf("Galaga"), "galaga");
    EXPECT_EQ(fs::directory_iterator(layouts + Native("/Galaga"))->path().filename(),
              "loading.png");
}

INSTANTIATE_TEST_SUITE_P(CheckedAndGrayed, OverwriteTest, ::testing::Values(1, 2));

TEST_F(InstallTest, BothOptionsGiveEveryLayoutTheDefaultAndTheBoxCountsBothPasses) {
    window.overwriteState = 1;
    window.useDefaultState = 1;
    folder.MakeDir("layouts/Pacman");
    folder.MakeDir("layouts/Frogger");
    folder.Write("layouts/notes.txt", "x");
    Screen("Pacman.png", "pacman");
    Screen("loading.png", "default");

    const Lines log = Run();

    const Lines first = InListingOrder({{"Pacman", "  Pacman  Ok"}}, state);
    const Lines second =
        InListingOrder({{"Pacman", "  Pacman  Ok"}, {"Frogger", "  Frogger  Ok"}}, state);
    EXPECT_EQ(log, Joined(Joined(Joined(Header(1, 1), first), {"Total: 1 copies."}), second));
    EXPECT_EQ(LoadingOf("Pacman"), "default");
    EXPECT_EQ(LoadingOf("Frogger"), "default");
    EXPECT_EQ(Boxes(window.calls), Lines{"message(Information): 3 copies."});
    const Lines defaults = window.CallsStartingWith("draw: 0/100 Default loading.png 0%");
    EXPECT_EQ(defaults.size(), 1u);
    EXPECT_EQ(window.CallsStartingWith("draw: 3/3 Default loading.png 100%").size(), 1u);
}

TEST_F(InstallTest, TheDefaultPassKeepsExistingScreensWhenOverwriteIsOff) {
    window.useDefaultState = 1;
    folder.MakeDir("layouts/Pacman");
    Screen("Pacman.png", "pacman");
    Screen("loading.png", "default");
    EXPECT_EQ(Run(), Joined(Header(0, 1), {"  Pacman  Ok", "Total: 1 copies.",
                                           "  Pacman  skipped because already exists."}));
    EXPECT_EQ(LoadingOf("Pacman"), "pacman");
}

TEST_F(InstallTest, AGrayedUseDefaultRunsNoSecondPass) {
    window.useDefaultState = 2;
    folder.MakeDir("layouts/Frogger");
    Screen("loading.png", "default");
    EXPECT_EQ(Run(), Joined(Header(0, 2), {"Total: 0 copies."}));
    EXPECT_EQ(LoadingOf("Frogger"), "<missing>");
    EXPECT_TRUE(window.CallsStartingWith("draw: 0/100").empty());
}

TEST_F(InstallTest, AMissingDefaultScreenIsReportedAndTheRunStillEnds) {
    window.useDefaultState = 1;
    folder.MakeDir("layouts/Pacman");
    Screen("Pacman.png", "pacman");
    EXPECT_EQ(Run(), Joined(Header(0, 1), {"  Pacman  Ok", "Total: 1 copies."}));
    EXPECT_EQ(Boxes(window.calls),
              (Lines{"message(Exclamation): Impossible to put default loading.png in layouts\r\n" +
                         screens + Native("/loading.png"),
                     "message(Information): 1 copies."}));
    EXPECT_TRUE(state.InstallDone);
    EXPECT_EQ(window.calls.back(), "progress: hidden");
}

TEST_F(InstallTest, AHiddenLayoutFolderReceivesNothing) {
    window.useDefaultState = 1;
    folder.MakeDir("layouts/.Pacman");
    Screen(".Pacman.png", "pacman");
    Screen("loading.png", "default");
    EXPECT_EQ(Run(), Joined(Header(0, 1), {"Total: 0 copies."}));
    EXPECT_EQ(LoadingOf(".Pacman"), "<missing>");
    EXPECT_EQ(state.LayoutCount, 0);
}

TEST_F(InstallTest, InvalidFoldersStopBeforeAnythingIsLoggedWithTheFocusOnTheirField) {
    window.layoutsText = folder.Sub("missing");
    window.screensText = folder.Sub("elsewhere");
    EXPECT_EQ(Run(), Lines{});
    EXPECT_EQ(window.calls, (Lines{"message(Exclamation): The folder of layouts seems to be "
                                   "unvalid.",
                                   "focus: Text1"}));
    EXPECT_EQ(program.SourcePath, folder.Sub("elsewhere") + kSep); // both fields were taken

    window.calls.clear();
    window.layoutsText = layouts;
    ApplyLanguage(program, 1);
    EXPECT_EQ(Run(), Lines{});
    EXPECT_EQ(window.calls, (Lines{"message(Exclamation): Le dossier des loading screens "
                                   "semble invalide.",
                                   "focus: Text2"}));
    EXPECT_FALSE(state.InstallDone);
}

TEST_F(InstallTest, ABlankFieldIsAnInvalidFolderAndNeverTheRootOfTheDisk) {
    for (const std::string blank : {"", "  \t"}) {
        window.calls.clear();
        window.layoutsText = blank;
        EXPECT_EQ(Run(), Lines{});
        EXPECT_EQ(window.calls, (Lines{"message(Exclamation): The folder of layouts seems to be "
                                       "unvalid.",
                                       "focus: Text1"}));
        window.calls.clear();
        window.layoutsText = layouts;
        window.screensText = blank;
        EXPECT_EQ(Run(), Lines{});
        EXPECT_EQ(window.calls, (Lines{"message(Exclamation): The folder of the loading screens "
                                       "seems to be unvalid.",
                                       "focus: Text2"}));
        window.screensText = screens;
    }
}

TEST_F(InstallTest, ScreensAreFoundIgnoringCaseButLoadingPngOnlyAsSpelled) {
    if (NamesIgnoreCase(folder.Path()))
        GTEST_SKIP() << kNamesIgnoreCase;
    folder.Write("layouts/Galaga/Loading.PNG", "other spelling");
    folder.MakeDir("layouts/Pacman");
    Screen("gALAGA.png", "galaga");
    Screen("Pacman.png", "exact");
    Screen("PACMAN.PNG", "upper");
    folder.MakeDir("layouts/\xc3\x89LAN"); // beyond ASCII: "ÉLAN" finds "élan.png"
    Screen("\xc3\xa9lan.png", "elan");
    const Lines log = Run();
    const LineOf lineOf = {{"Galaga", "  Galaga  Ok"},
                           {"Pacman", "  Pacman  Ok"},
                           {"\xc3\x89LAN", "  \xc3\x89LAN  Ok"}};
    EXPECT_EQ(log,
              Joined(Joined(Header(0, 0), InListingOrder(lineOf, state)), {"Total: 3 copies."}));
    EXPECT_EQ(LoadingOf("\xc3\x89LAN"), "elan");
    EXPECT_EQ(LoadingOf("Galaga"), "galaga");
    EXPECT_EQ(FileContent(layouts + Native("/Galaga/Loading.PNG")), "other spelling");
    EXPECT_EQ(LoadingOf("Pacman"), "exact");
}

TEST_F(InstallTest, NamesWithSpacesQuotesStarsAndAccentsAreCopiedAndLogged) {
    const Lines names = {"Space Harrier", "It's", kPunctuatedName, "\xc3\x89t\xc3\xa9"};
    LineOf lineOf;
    for (const std::string& name : names) {
        folder.MakeDir("layouts/" + name);
        Screen(name + ".png", name);
        lineOf.emplace(name, "  " + AsLogged(name) + "  Ok");
    }
    const Lines log = Run();
    EXPECT_EQ(log,
              Joined(Joined(Header(0, 0), InListingOrder(lineOf, state)), {"Total: 4 copies."}));
    for (const std::string& name : names)
        EXPECT_EQ(LoadingOf(name), name);
}

TEST_F(InstallTest, FailedCopiesAreLoggedUncountedAndLoseNothing) {
    window.overwriteState = 1;
    folder.Write("layouts/Dir/loading.png/keep.txt", "kept"); // loading.png is a folder
    folder.Write("layouts/Pipe/loading.png", "old");
    folder.MakeDir("layouts/Folder");
    folder.MakeDir("layouts/Pacman");
    MakeSymlink(folder.Sub("gone"), layouts + Native("/Dangling")); // not a layout either way
    Screen("Dir.png", "dir");
    const UnreadableFile pipe(screens + Native("/Pipe.png"));
    ASSERT_TRUE(pipe.Made());
    folder.MakeDir("screens/Folder.png"); // a screen that is a folder is no screen
    Screen("Dangling.png", "dangling");
    Screen("Pacman.png", "pacman");

    const Lines log = Run();

    const auto error = [&](const std::string& name) {
        return "  Error while copying " + screens + kSep + name + ".png to " + Destination(name);
    };
    const LineOf lineOf = {
        {"Dir", error("Dir")}, {"Pipe", error("Pipe")}, {"Pacman", "  Pacman  Ok"}};
    EXPECT_EQ(log,
              Joined(Joined(Header(1, 0), InListingOrder(lineOf, state)), {"Total: 1 copies."}));
    EXPECT_EQ(FileContent(layouts + Native("/Dir/loading.png/keep.txt")), "kept");
    EXPECT_EQ(LoadingOf("Pipe"), "old");
    for (const char* layout : {"Dir", "Pipe", "Folder"})
        EXPECT_EQ(std::distance(fs::directory_iterator(layouts + kSep + layout), {}),
                  std::string(layout) == "Folder" ? 0 : 1)
            << layout; // no temporary file left behind
    EXPECT_EQ(Boxes(window.calls), Lines{"message(Information): 1 copies."});
}

TEST_F(InstallTest, ALinkAtLoadingPngCountsAsExistingDanglingOrToAFolder) {
    for (const std::string layout : {"Dangling", "ToFolder"}) {
        folder.MakeDir("layouts/" + layout);
        Screen(layout + ".png", layout);
    }
    if (!MakeSymlink(folder.Sub("gone"), Destination("Dangling")) ||
        !MakeSymlink(folder.MakeDir("elsewhere"), Destination("ToFolder")))
        GTEST_SKIP() << kNoSymlinks;

    const Lines kept = Run();
    const LineOf skipped = {{"Dangling", "  Dangling  skipped because already exists."},
                            {"ToFolder", "  ToFolder  skipped because already exists."}};
    EXPECT_EQ(kept,
              Joined(Joined(Header(0, 0), InListingOrder(skipped, state)), {"Total: 0 copies."}));
    EXPECT_TRUE(fs::is_symlink(Destination("Dangling")));

    window.overwriteState = 1;
    const LineOf replaced = {{"Dangling", "  Dangling  Ok"},
                             {"ToFolder", "  Error while copying " + screens + "/ToFolder.png to " +
                                              Destination("ToFolder")}};
    EXPECT_EQ(Run(), Joined(kept, Joined(Joined(Header(1, 0), InListingOrder(replaced, state)),
                                         {"Total: 1 copies."})));
    EXPECT_EQ(LoadingOf("Dangling"), "Dangling");
    EXPECT_TRUE(fs::is_symlink(Destination("ToFolder")));
    EXPECT_TRUE(fs::is_empty(folder.Sub("elsewhere")));
}

TEST_F(InstallTest, ALayoutFolderThatRefusesNewFilesKeepsItsScreen) {
    window.overwriteState = 1;
    folder.Write("layouts/Galaga/loading.png", "old");
    Screen("Galaga.png", "galaga");
    FrozenFolder frozen(layouts + Native("/Galaga"));
    if (!frozen.Active())
        GTEST_SKIP() << "no way to make a folder read-only here";
    EXPECT_EQ(Run(), Joined(Header(1, 0), {"  Error while copying " + screens +
                                               Native("/Galaga.png to ") + Destination("Galaga"),
                                           "Total: 0 copies."}));
    EXPECT_EQ(LoadingOf("Galaga"), "old");
}

TEST_F(InstallTest, AFullDiskKeepsTheOldScreenWholeAndLeavesNoTemporaryFile) {
    window.overwriteState = 1;
    folder.Write("layouts/Galaga/loading.png", "old");
    Screen("Galaga.png", std::string(256 * 1024, 'g'));
    Lines log;
    {
        FileSizeLimit fullDisk(64 * 1024);
        if (!fullDisk.Active())
            GTEST_SKIP() << kNoFullDisk;
        log = Run();
    }
    EXPECT_EQ(log.back(), "Total: 0 copies.");
    EXPECT_EQ(LoadingOf("Galaga"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(layouts + "/Galaga"), {}), 1);
}

TEST_F(InstallTest, LayoutsPastTheClassicPathLimitGetTheirScreensAndLoseThemAgain) {
    std::string deep = "layouts";
    while (deep.size() < 280)
        deep += "/a-deep-folder-of-layouts";
    window.layoutsText = folder.MakeDir(deep);
    folder.MakeDir(deep + "/Pacman");
    Screen("Pacman.png", "pacman");
    EXPECT_EQ(Run().back(), "Total: 1 copies.");
    EXPECT_EQ(FileContent(folder.Sub(deep + "/Pacman/loading.png")), "pacman");
    window.answers.push_back(true);
    DeleteLoadingScreens(window, program, state);
    EXPECT_EQ(FileContent(folder.Sub(deep + "/Pacman/loading.png")), "<missing>");
}

TEST_F(InstallTest, ASourceFolderInsideTheLayoutsLosesNothing) {
    // The screens folder is the layout Pacman itself: its own loading.png is
    // the default screen and gets copied over itself.
    folder.Write("layouts/Pacman/loading.png", "default");
    window.screensText = layouts + Native("/Pacman");
    window.overwriteState = 1;
    window.useDefaultState = 1;
    folder.Write("layouts/Pacman/Galaga.png", "galaga");
    folder.MakeDir("layouts/Galaga");
    InstallLoadingScreens(window, program, state);
    EXPECT_EQ(LoadingOf("Pacman"), "default");
    EXPECT_EQ(LoadingOf("Galaga"), "default");
    EXPECT_EQ(Boxes(window.calls), Lines{"message(Information): 3 copies."});
}

TEST_F(InstallTest, ASourceFolderEqualToTheLayoutsFolderSkipsTheScreensThemselves) {
    window.screensText = layouts;
    folder.MakeDir("layouts/Pacman");
    folder.Write("layouts/Pacman.png", "pacman");
    EXPECT_EQ(Run(),
              (Lines{" ", Stamped("Install loading screens"), " LayoutsPath =" + layouts + kSep,
                     " SourcePath  =" + layouts + kSep, " Overwrite   =0", " UseDefault  =0",
                     "  Pacman  Ok", "Total: 1 copies."}));
    EXPECT_EQ(state.LayoutCount, 2);
    EXPECT_EQ(FileContent(layouts + Native("/Pacman.png")), "pacman");
}

TEST_F(InstallTest, TheOptionsAreReadWhenNeededNotAtTheStart) {
    folder.Write("layouts/Galaga/loading.png", "old");
    Screen("Galaga.png", "galaga");
    Screen("loading.png", "default");
    // The user ticks both boxes while the layouts are being listed.
    window.onYield = [this] {
        window.overwriteState = 1;
        window.useDefaultState = 1;
    };
    EXPECT_EQ(Run(), Joined(Header(0, 0), {"  Galaga  Ok", "Total: 1 copies.", "  Galaga  Ok"}));
    EXPECT_EQ(LoadingOf("Galaga"), "default");
}

TEST_F(InstallTest, ASecondInstallListsAfreshAndAClickMeanwhileDoesNothing) {
    folder.MakeDir("layouts/Pacman");
    folder.MakeDir("layouts/Galaga");
    Screen("Galaga.png", "galaga");
    InstallLoadingScreens(window, program, state);
    ASSERT_EQ(state.LayoutCount, 2);
    fs::remove(layouts + Native("/Pacman"));

    int reentries = 0;
    window.answers = {true, true};
    window.onYield = [&] {
        ++reentries;
        DeleteLoadingScreens(window, program, state);
        InstallLoadingScreens(window, program, state);
    };
    window.calls.clear();
    InstallLoadingScreens(window, program, state);
    EXPECT_GT(reentries, 0);
    EXPECT_TRUE(window.CallsStartingWith("ask:").empty());
    EXPECT_EQ(Boxes(window.calls), Lines{"message(Information): 0 copies."});
    EXPECT_EQ(state.LayoutCount, 1);
    EXPECT_EQ(state.LayoutNames, (Lines{"", "Galaga"}));
    EXPECT_FALSE(state.OperationRunning);
    EXPECT_EQ(LoadingOf("Galaga"), "galaga");
}

} // namespace
