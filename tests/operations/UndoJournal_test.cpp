// The undo store's names and lines, written and read by their one owner.
#include "operations/UndoJournal.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

const std::string kHeader = "OrvanePatchLayouts undo store 1\nkind\tinstall\nlayouts\t/games/"
                            "layouts/\ntime\t12:00:00\n";

// A stamp journalled by an earlier version is compared with one taken now:
// both are zlib's CRC-32 of the whole file, however it is read in pieces.
TEST(UndoJournal, AStampIsTheSizeAndCrcOfTheWholeFile) {
    TempFolder folder;
    EXPECT_EQ(StampOf(folder.Write("check.png", "123456789")), (ContentStamp{9, 0xcbf43926}));
    for (const size_t size : {size_t{1} << 20, (size_t{1} << 20) + 1}) {
        std::string bytes(size, 'a');
        bytes.back() = 'z';
        const uLong crc = crc32_z(0, reinterpret_cast<const Bytef*>(bytes.data()), size);
        EXPECT_EQ(StampOf(folder.Write("big.png", bytes)), (ContentStamp{size, crc}));
    }
    EXPECT_EQ(StampOf(folder.Sub("missing.png")), std::nullopt);
}

// The bytes are those every earlier version wrote: a store left by one is
// read and undone unchanged.
TEST(UndoJournal, WritesTheStoreAsEarlierVersionsDidAndReadsItBack) {
    TempFolder folder;
    const std::string store = folder.Sub("Undo.new");
    UndoJournal journal;
    ASSERT_TRUE(journal.Start(store, UndoKind::Install, "/games/layouts/", "12:00:00"));
    ASSERT_TRUE(journal.Begin({1, true, ContentStamp{10, 0xbeef}, "Pacman", false}));
    journal.Done(1);
    ASSERT_TRUE(journal.Begin({2, false, ContentStamp{4, 0x1f}, "Qbert", false}));
    ASSERT_TRUE(journal.Fail(2));
    EXPECT_TRUE(
        journal.Begin({3, false, std::nullopt, "Two\nlines", false}).Failed(FailureCause::BadName));
    ASSERT_TRUE(journal.Begin({3, true, std::nullopt, "Galaga\tII", false}));
    ASSERT_TRUE(journal.Undone(1));
    journal.Done(3);
    ASSERT_TRUE(journal.Close()) << "the waiting mark is written";

    EXPECT_EQ(FileContent(JournalPathOf(store)),
              kHeader + "entry\t1\tkept\t10:beef\tPacman\ndone\t1\nentry\t2\tnone\t4:1f\tQbert\n"
                        "fail\t2\nentry\t3\tkept\tnone\tGalaga\tII\nundone\t1\ndone\t3\n");
    EXPECT_EQ(KeptFileOf(store, 3), KeptFolderOf(store) + kSep + "0" + kSep + "3.png");
    EXPECT_EQ(KeptFileOf(store, 63), KeptFolderOf(store) + kSep + "0" + kSep + "63.png");
    EXPECT_EQ(KeptFileOf(store, 64), KeptFolderOf(store) + kSep + "1" + kSep + "64.png");
    EXPECT_EQ(KindOf(KeptFolderOf(store)), EntryKind::Folder);

    const Result<UndoManifest> read = ReadJournal(store);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->layoutsPath, "/games/layouts/");
    ASSERT_EQ(read->entries.size(), 3u);
    EXPECT_EQ(read->entries[0].after, (ContentStamp{10, 0xbeef}));
    EXPECT_TRUE(read->entries[0].settled && read->entries[1].settled);
    EXPECT_FALSE(read->entries[2].settled);
    EXPECT_EQ(read->entries[2].name, "Galaga\tII");
    EXPECT_EQ(read->damagedLines, 0);
}

TEST(UndoJournal, AMissingOrHeaderlessJournalIsToldApart) {
    TempFolder folder;
    EXPECT_TRUE(ReadJournal(folder.Sub("Undo")).Failed(FailureCause::NotFound));
    folder.Write("Undo/manifest.txt", "OrvanePatchLayouts undo store 1\nkind\tinstall\n");
    EXPECT_TRUE(ReadJournal(folder.Sub("Undo")).Failed(FailureCause::Damaged));
    UndoJournal taken;
    EXPECT_TRUE(taken.Start(folder.Sub("Undo"), UndoKind::Delete, "/l/", "")
                    .Failed(FailureCause::NameTaken));
}

} // namespace
