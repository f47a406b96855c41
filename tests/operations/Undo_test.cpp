#include "services/FileSystem.h"
#include "services/RegionalFormat.h"
#include "services/TextNumbers.h"
#include "support/FileSizeLimit.h"
#include "support/RefusedRename.h"
#include "support/UndoFixture.h"

#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;
using Tree = std::map<std::string, std::string>;

// Every file below `root` with its content, by relative path.
Tree TreeOf(const std::string& root) {
    Tree tree;
    for (const auto& entry : fs::recursive_directory_iterator(FsPath(root)))
        tree[PathText(fs::relative(entry.path(), FsPath(root)))] =
            entry.is_regular_file() ? FileContent(PathText(entry.path())) : "<folder>";
    return tree;
}

bool Contains(const Lines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class UndoTest : public UndoFixture {
  protected:
    std::string LoadingOf(const std::string& layout) const {
        return FileContent(layouts + kSep + layout + Native("/loading.png"));
    }
    std::string Manifest() const { return folder.Sub("Undo/manifest.txt"); }
};

TEST_F(UndoTest, InstallWithOverwriteAndDefaultThenUndoGivesBackTheTreeByteForByte) {
    folder.Write("screens/loading.png", "default");
    window.useDefaultState = 1;
    const Tree before = TreeOf(layouts);
    Install();
    ASSERT_EQ(LoadingOf("Pacman"), "default");
    ASSERT_EQ(UndoableOperation(place), UndoKind::Install);

    Undo();

    // Pacman and Qbert changed twice, Galaga once: only Qbert's first copy
    // went where there was nothing.
    EXPECT_EQ(window.calls.front(), "ask: Put back 4 loading screens and remove 1 copy?");
    EXPECT_EQ(TreeOf(layouts), before);
    EXPECT_TRUE(Contains(Log(), "  Pacman  put back"));
    EXPECT_TRUE(Contains(Log(), "  Qbert  copy removed"));
    EXPECT_TRUE(Contains(window.calls, "message(Information): Undo finished: 4 loading screens "
                                       "put back, 1 copy removed, 0 left as they were (see the "
                                       "log)."));
    EXPECT_FALSE(fs::exists(FsPath(folder.Sub("Undo"))));
    EXPECT_FALSE(UndoableOperation(place).has_value());
}

TEST_F(UndoTest, DeleteThenUndoPutsBackEveryScreenAndTheNextOperationReplacesTheStore) {
    const Tree before = TreeOf(layouts);
    Delete();
    EXPECT_EQ(LoadingOf("Pacman"), "<missing>");
    EXPECT_EQ(UndoableOperation(place), UndoKind::Delete);
    Undo();
    EXPECT_EQ(window.calls.front(), "ask: Put back 2 loading screens?");
    EXPECT_EQ(TreeOf(layouts), before);

    Delete();
    const Tree deleted = TreeOf(layouts);
    Install();
    // One level: the delete's store is gone, the install's is there.
    EXPECT_EQ(UndoableOperation(place), UndoKind::Install);
    EXPECT_FALSE(fs::exists(FsPath(folder.Sub("Undo.new"))));
    EXPECT_FALSE(fs::exists(FsPath(folder.Sub("Undo.old"))));
    Undo();
    EXPECT_EQ(window.calls.front(), "ask: Remove 2 copies?");
    EXPECT_EQ(TreeOf(layouts), deleted);
}

// An install that copied nothing and a delete of nothing leave the store of
// the operation before as it was, its pictures and its menu item.
TEST_F(UndoTest, AnOperationThatChangesNoFileLeavesTheStoreOfTheOneBefore) {
    Install();
    const Tree installed = TreeOf(folder.Sub("Undo"));
    window.overwriteState = 0;
    InstallLoadingScreens(window, program, state, &place);
    EXPECT_EQ(UndoableOperation(place), UndoKind::Install);
    EXPECT_EQ(TreeOf(folder.Sub("Undo")), installed);

    Delete();
    const Tree deleted = TreeOf(folder.Sub("Undo"));
    Delete();
    EXPECT_TRUE(Contains(window.calls, "message(Information): 0 files deleted."));
    EXPECT_EQ(UndoableOperation(place), UndoKind::Delete);
    EXPECT_EQ(TreeOf(folder.Sub("Undo")), deleted);
    EXPECT_FALSE(fs::exists(FsPath(folder.Sub("Undo.new"))));
}

// Install, then a delete whose store cannot take the install's place (a
// kept picture of the install open in a viewer): the install must not be
// the one undone, and the user is told until the store is settled.
TEST_F(UndoTest, AStoreThatCannotBeSwappedInIsNeverTakenForTheOneBefore) {
    Install();
    {
        const RefusedRename heldOpen(folder.Sub("Undo"));
        Delete();
        EXPECT_TRUE(Contains(Log(), " Undo store cannot be settled: the last operation's store "
                                    "waits in " +
                                        folder.Sub("Undo.new")));
        EXPECT_EQ(UndoableOperation(place), UndoKind::Delete);
        Undo();
        EXPECT_EQ(window.calls,
                  (Lines{"message(Exclamation): The last operation's undo store cannot take its "
                         "place (a file of it may be open in another program); nothing was "
                         "undone:\r\n" +
                         folder.Sub("Undo.new")}));
        EXPECT_EQ(LoadingOf("Pacman"), "<missing>");
        Undo();
        const Lines log = Log();
        EXPECT_EQ(std::count_if(log.begin(), log.end(),
                                [](const std::string& line) {
                                    return line.starts_with(" Undo store cannot be settled");
                                }),
                  1)
            << "a store that stays stuck is told once";
    }
    EXPECT_EQ(UndoableOperation(place), UndoKind::Delete);
    Undo();
    EXPECT_EQ(LoadingOf("Pacman"), "new pacman");
    EXPECT_EQ(LoadingOf("Galaga"), "old galaga");
}

// A mark waits for the next line; the last ones for the end of the run.
TEST_F(UndoTest, TheJournalEndsWithEveryChangeMarkedDone) {
    Delete();
    const std::string text = FileContent(Manifest());
    EXPECT_NE(text.find("done\t1\n"), std::string::npos) << text;
    EXPECT_TRUE(text.ends_with("done\t2\n")) << text;
}

// The stamp is taken from the bytes the copy wrote, the default screen's
// from its first copy only; both must name what each layout received.
TEST_F(UndoTest, EveryJournaledStampIsThatOfTheFileTheLayoutReceived) {
    folder.Write("screens/loading.png", std::string(70000, 'd'));
    window.useDefaultState = 1;
    Install();
    const Result<UndoManifest> manifest = ReadJournal(folder.Sub("Undo"));
    ASSERT_TRUE(manifest);
    ASSERT_EQ(manifest->entries.size(), 5u) << "2 own screens, then the default 3 times";
    for (size_t i = 0; i < manifest->entries.size(); ++i) {
        const UndoEntry& entry = manifest->entries[i];
        const std::string copied = layouts + kSep + entry.name + Native("/loading.png");
        // Each layout's first copy was replaced by the default since.
        const std::string screen = i < 2 ? screens + kSep + entry.name + ".png" : copied;
        EXPECT_EQ(entry.after, StampOf(screen)) << entry.name;
        EXPECT_TRUE(entry.done) << entry.name;
    }
}

TEST_F(UndoTest, APictureTheUserChangedSinceIsLeftAndItsOldFileKeptAside) {
    Install();
    folder.Write("layouts/Pacman/loading.png", "the user's own");
    Undo();
    EXPECT_EQ(LoadingOf("Pacman"), "the user's own");
    EXPECT_EQ(LoadingOf("Qbert"), "<missing>");
    EXPECT_TRUE(Contains(Log(), "  Pacman  changed since the install, left as it is"));
    const std::string aside = folder.Sub("Undo kept 1");
    EXPECT_EQ(FileContent(aside + Native("/kept/0/1.png")), "old pacman");
    EXPECT_EQ(window.CallsStartingWith("message(Information)").back(),
              "message(Information): Undo finished: 0 loading screens put back, 1 copy "
              "removed, 1 left as it was (see the log).\r\n\r\nThe files that could not be "
              "put back are kept in:\r\n" +
                  aside);
}

// Galaga's line is garbled and Pacman's kept file is gone: Qbert alone can
// be taken back, and Galaga's kept file must survive the undo.
TEST_F(UndoTest, ADamagedStoreUndoesWhatItCanAndDeletesNothingItCannotPutBack) {
    folder.Write("layouts/Qbert/loading.png", "old qbert");
    Delete();
    std::istringstream lines(FileContent(Manifest()));
    std::string text, line, pacmanNumber;
    while (std::getline(lines, line)) {
        if (line.ends_with("\tPacman"))
            pacmanNumber = line.substr(6, line.find('\t', 6) - 6);
        text += (line.ends_with("\tGalaga") ? "entry\t7\tgarbage" : line) + "\n";
    }
    folder.Write("Undo/manifest.txt", text);
    ASSERT_TRUE(fs::remove(FsPath(folder.Sub("Undo/kept/0/" + pacmanNumber + ".png"))));

    Undo();

    EXPECT_EQ(LoadingOf("Qbert"), "old qbert");
    EXPECT_EQ(LoadingOf("Pacman"), "<missing>");
    EXPECT_EQ(LoadingOf("Galaga"), "<missing>");
    EXPECT_TRUE(Contains(Log(), "  Pacman  the kept loading.png is missing from the undo store, "
                                "left as it is"));
    EXPECT_TRUE(Contains(Log(), "  An unreadable line of the undo store was skipped"));
    EXPECT_TRUE(Contains(Log(), "Total: 1 put back, 0 copies removed, 2 left."));
    Tree aside = TreeOf(folder.Sub("Undo kept 1"));
    bool galagaKept = false;
    for (const auto& [path, content] : aside)
        galagaKept = galagaKept || content == "old galaga";
    EXPECT_TRUE(galagaKept);
}

// A store as the earlier versions left it, from its own bytes: Pacman's
// screen comes back, Galaga's changed since stays, and the journal set aside
// gains the mark they wrote, byte for byte.
TEST_F(UndoTest, AStoreWrittenByAnEarlierVersionIsUndoneAndMarkedTheSameWay) {
    const std::string journal = "OrvanePatchLayouts undo store 1\nkind\tdelete\nlayouts\t" +
                                layouts + kSep +
                                "\ntime\t10:00:00\nentry\t1\tkept\tnone\tPacman\ndone\t1\n"
                                "entry\t2\tkept\tnone\tGalaga\ndone\t2\n";
    folder.Write("Undo/manifest.txt", journal);
    folder.Write("Undo/kept/1.png", "kept pacman");
    folder.Write("Undo/kept/2.png", "kept galaga");
    ASSERT_TRUE(fs::remove(FsPath(layouts + Native("/Pacman/loading.png"))));
    EXPECT_EQ(UndoableOperation(place), UndoKind::Delete);

    Undo();

    EXPECT_EQ(LoadingOf("Pacman"), "kept pacman");
    EXPECT_EQ(LoadingOf("Galaga"), "old galaga");
    EXPECT_TRUE(Contains(Log(), "Total: 1 put back, 0 copies removed, 1 left."));
    EXPECT_EQ(FileContent(folder.Sub("Undo kept 1/manifest.txt")), journal + "undone\t1\n");
    EXPECT_EQ(FileContent(folder.Sub("Undo kept 1/kept/2.png")), "kept galaga");
}

TEST_F(UndoTest, AStoreWithoutItsHeaderOffersNothingAndIsRefusedWhenAsked) {
    Delete();
    folder.Write("Undo/manifest.txt", "OrvanePatchLayouts undo store 1\nkind\tinstall\n");
    EXPECT_FALSE(UndoableOperation(place).has_value());
    Undo();
    EXPECT_EQ(window.calls, (Lines{"message(Exclamation): The undo store cannot be read; nothing "
                                   "was undone:\r\n" +
                                   folder.Sub("Undo")}));
    EXPECT_EQ(TreeOf(folder.Sub("Undo/kept")).size(), 3u) << "a group and its 2 kept files";
}

TEST_F(UndoTest, ALayoutsFolderMovedSinceIsRefusedAndTheStoreKept) {
    Delete();
    fs::rename(FsPath(layouts), FsPath(layouts + "-moved"));
    Undo();
    EXPECT_EQ(window.calls,
              (Lines{"message(Exclamation): The folder of layouts of the last operation is no "
                     "longer there; nothing was undone:\r\n" +
                     layouts + kSep}));
    EXPECT_EQ(UndoableOperation(place), UndoKind::Delete);
}

TEST_F(UndoTest, ABlankRecordedLayoutsFolderIsAnInvalidFolderAndTheStoreKept) {
    Delete();
    std::string manifest = FileContent(Manifest());
    const std::string recorded = "layouts\t" + layouts + kSep + "\n";
    ASSERT_NE(manifest.find(recorded), std::string::npos);
    manifest.replace(manifest.find(recorded), recorded.size(), "layouts\t \n");
    folder.Write("Undo/manifest.txt", manifest);
    Undo();
    EXPECT_EQ(window.calls,
              (Lines{"message(Exclamation): The folder of layouts seems to be unvalid."}));
    EXPECT_EQ(TreeOf(folder.Sub("Undo/kept")).size(), 3u) << "a group and its 2 kept files";
}

TEST_F(UndoTest, AFullDiskDuringTheCopyLeavesTheOldScreenAndTheUndoUntouched) {
    folder.Write("screens/Galaga.png", std::string(256 * 1024, 'g'));
    {
        FileSizeLimit fullDisk(64 * 1024);
        if (!fullDisk.Active())
            GTEST_SKIP() << kNoFullDisk;
        Install();
    }
    EXPECT_EQ(LoadingOf("Galaga"), "old galaga");
    EXPECT_TRUE(Contains(Log(), "  Error while copying " + screens + Native("/Galaga.png") +
                                    " to " + layouts + Native("/Galaga/loading.png")));
    Undo();
    EXPECT_EQ(LoadingOf("Galaga"), "old galaga");
    EXPECT_EQ(LoadingOf("Pacman"), "old pacman");
    // The failed layout was settled at once: the undo neither counts nor
    // looks for it.
    EXPECT_EQ(window.calls.front(), "ask: Put back 1 loading screen and remove 1 copy?");
    EXPECT_FALSE(Contains(Log(), "  Galaga  the kept loading.png is missing from the undo store, "
                                 "left as it is"));
}

// Another program holding the old screen open keeps it from being kept:
// that layout is left as it was, told in the log, and settled in the journal.
TEST_F(UndoTest, AScreenHeldOpenElsewhereIsLeftAndTheUndoPassesItOver) {
    {
        const RefusedRename heldOpen(layouts + Native("/Pacman/loading.png"));
        Install();
    }
    EXPECT_EQ(LoadingOf("Pacman"), "old pacman");
    EXPECT_EQ(LoadingOf("Qbert"), "new qbert");
    EXPECT_TRUE(Contains(Log(), "  Error while copying " + screens + Native("/Pacman.png") +
                                    " to " + layouts + Native("/Pacman/loading.png")));
    Undo();
    EXPECT_EQ(window.calls.front(), "ask: Remove 1 copy?");
    EXPECT_EQ(LoadingOf("Pacman"), "old pacman");
    EXPECT_EQ(LoadingOf("Qbert"), "<missing>");
}

// A name the journal cannot write on one line stops that layout only: its
// old screen cannot be kept, so it stays, and the layouts after it go on.
TEST_F(UndoTest, ALayoutNameWithALineBreakIsLeftAndTheOthersAreRecorded) {
    std::error_code error;
    if (!fs::create_directory(FsPath(layouts + Native("/Aa\nb")), error))
        GTEST_SKIP() << "no line break in a file name here";
    folder.Write("layouts/Aa\nb/loading.png", "old ab");
    folder.Write("screens/Aa\nb.png", "new ab");
    Install();
    EXPECT_EQ(LoadingOf("Aa\nb"), "old ab");
    EXPECT_EQ(LoadingOf("Pacman"), "new pacman");
    EXPECT_FALSE(fs::exists(FsPath(folder.Sub("Undo.new")))) << "the store took its place";
    Undo();
    EXPECT_EQ(LoadingOf("Pacman"), "old pacman");
    EXPECT_EQ(LoadingOf("Aa\nb"), "old ab");
}

// The store on another volume than the layouts: keeping is a copy, and a
// copy that the disk cannot hold leaves the layout's file where it was.
TEST_F(UndoTest, OnAnotherVolumeAFullDiskWhileKeepingStopsThatLayoutOnly) {
    std::error_code error;
    const fs::path other = "/dev/shm";
    if (!fs::is_directory(other, error))
        GTEST_SKIP() << "no second volume here";
    const fs::path storeFolder =
        other / ("orvane-undo-test-" + PathText(FsPath(folder.Path()).filename()));
    fs::create_directories(storeFolder, error);
    const UndoPlace away{PathText(storeFolder) + kSep, {}};
    if (SameVolume(layouts, away.folder)) {
        fs::remove_all(storeFolder, error);
        GTEST_SKIP() << "no second volume here";
    }
    folder.Write("layouts/Galaga/loading.png", std::string(256 * 1024, 'g'));
    window.answers = {true};
    {
        FileSizeLimit fullDisk(64 * 1024);
        if (!fullDisk.Active())
            GTEST_SKIP() << kNoFullDisk;
        DeleteLoadingScreens(window, program, state, &away);
    }
    EXPECT_EQ(LoadingOf("Galaga"), std::string(256 * 1024, 'g'));
    EXPECT_EQ(LoadingOf("Pacman"), "<missing>");
    EXPECT_TRUE(Contains(Log(), "Can 't delete " + layouts + Native("/Galaga/loading.png")));
    window.answers = {true};
    UndoLastOperation(window, program, state, away);
    EXPECT_EQ(LoadingOf("Pacman"), "old pacman");
    fs::remove_all(storeFolder, error);
}

// Putting back is a copy there, and the kept file must go once the copy is in.
TEST_F(UndoTest, AnUndoFromAStoreOnAnotherVolumeLeavesNothingKept) {
    std::error_code error;
    const fs::path storeFolder =
        fs::path("/dev/shm") / ("orvane-undo-back-" + PathText(FsPath(folder.Path()).filename()));
    if (!fs::create_directories(storeFolder, error))
        GTEST_SKIP() << "no second volume here";
    const UndoPlace away{PathText(storeFolder) + kSep, {}};
    const Tree before = TreeOf(layouts);
    window.answers = {true};
    DeleteLoadingScreens(window, program, state, &away);
    if (SameVolume(layouts, away.folder)) {
        fs::remove_all(storeFolder, error);
        GTEST_SKIP() << "no second volume here";
    }
    window.answers = {true};
    window.calls.clear();
    UndoLastOperation(window, program, state, away);
    EXPECT_EQ(TreeOf(layouts), before);
    EXPECT_FALSE(fs::exists(storeFolder / "Undo kept 1"));
    EXPECT_EQ(window.CallsStartingWith("message").back(),
              "message(Information): Undo finished: 2 loading screens put back, 0 copies "
              "removed, 0 left as they were (see the log).");
    fs::remove_all(storeFolder, error);
}

// Without a store no file could be got back: none is replaced or deleted,
// while a layout without a screen still gets its copy.
TEST_F(UndoTest, WhenTheStoreCannotBeMadeNoScreenIsReplacedOrDeleted) {
    place.folder = folder.Sub("no such folder") + kSep;
    Install();
    EXPECT_EQ(LoadingOf("Pacman"), "old pacman");
    EXPECT_EQ(LoadingOf("Qbert"), "new qbert");
    EXPECT_TRUE(Contains(Log(), " Undo store cannot be made: " + place.folder + "Undo.new"));
    Delete();
    EXPECT_EQ(LoadingOf("Galaga"), "old galaga");
    EXPECT_TRUE(Contains(Log(), "Can 't delete " + layouts + Native("/Galaga/loading.png")));
}

TEST_F(UndoTest, FrenchTextsGroupTheCountsAsTheUserWritesNumbers) {
    for (int i = 0; i < 1000; ++i)
        folder.Write("layouts/L" + std::to_string(i) + "/loading.png", "x");
    ApplyLanguage(program, 1);
    Delete();
    window.answers = {false};
    window.calls.clear();
    UndoLastOperation(window, program, state, place);
    const std::string sep = RegionalThousandsSeparator();
    EXPECT_EQ(window.calls, (Lines{"ask: Remettre 1" + sep + "002 loading screens ?"}));
    Undo();
    EXPECT_EQ(window.CallsStartingWith("message").back(),
              "message(Information): Annulation termin\u00e9e : 1" + sep +
                  "002 loading screens remis, 0 copie supprim\u00e9e, 0 laiss\u00e9 tel quel "
                  "(voir le log).");
}

} // namespace
