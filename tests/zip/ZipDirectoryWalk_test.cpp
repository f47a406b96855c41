// Directories whose end record disagrees with their records: counts that
// wrapped or fall short, offsets off by the bytes in front, disk numbers in
// a one-file archive, enciphered directories, sizes the file cannot hold.
// Every entry comes out or is named; nothing is left out without a word.
#include "services/FileUtils.h"
#include "services/PathText.h"
#include "support/TempFolder.h"
#include "support/ZipEventLog.h"
#include "support/ZipWriter.h"
#include "zip/ZipExtractionClass.h"

#include <gtest/gtest.h>

namespace {

constexpr uint64_t kEndThisDisk = 4;
constexpr uint64_t kEndDirectoryDisk = 6;
constexpr uint64_t kEndRecordsHere = 8;
constexpr uint64_t kEndDirectorySize = 12;

void StateCount(ZipLayout& layout, uint16_t count) {
    PutU16(layout.bytes, layout.endRecordOffset + kEndRecordsHere, count);
    PutU16(layout.bytes, layout.endRecordOffset + kEndTotalRecords, count);
}

class ZipDirectoryWalkTest : public ::testing::Test {
  protected:
    TempFolder folder;
    ZipExtractionClass zip;
    ZipEventLog events{zip};
    std::string out = folder.Sub("out");

    bool Open(const std::string& bytes) {
        zip.ZipClose();
        return zip.ZipOpen(folder.Write("walk.zip", bytes)).Value();
    }
    std::string Target(const std::string& name) const { return out + kSep + name; }
};

// Writers without ZIP64 store the count modulo 65,536.
TEST_F(ZipDirectoryWalkTest, AWrappedCountIsWalkedToTheLastRecord) {
    ZipWriter writer;
    for (int i = 1; i <= 65536; ++i)
        writer.File("f" + std::to_string(i), "x", 0);
    auto layout = writer.Build();
    StateCount(layout, 0);
    ASSERT_TRUE(Open(layout.bytes));
    ASSERT_EQ(zip.FileCount(), 65536);
    EXPECT_EQ(zip.FileName(65536), "f65536");
    EXPECT_TRUE(zip.ExtractSingleFile(65536, out, true, false).Value());
    EXPECT_EQ(FileContent(Target("f65536")), "x");
    EXPECT_EQ(events.percents.size(), 65536u);
}

TEST_F(ZipDirectoryWalkTest, ACountOneShortLeavesNoFileOutAndPercentsCountEveryRecord) {
    auto layout =
        ZipWriter().File("a", "alpha").Folder("d/").File("b", "beta").File("c", "gamma").Build();
    StateCount(layout, 3);
    ASSERT_TRUE(Open(layout.bytes));
    EXPECT_EQ(zip.FileCount(), 3);
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_TRUE(events.errors.empty());
    EXPECT_EQ(FileContent(Target("c")), "gamma");
    EXPECT_EQ(events.percents, (std::vector<int32_t>{25, 50, 75}));
}

// A count higher than the records the directory holds lost some of them.
TEST_F(ZipDirectoryWalkTest, ACountAboveTheRecordsOrABadFirstRecordIsRefusedAtOpening) {
    // Long names: the directory's bytes could hold a third record.
    const std::string name(100, 'n');
    auto counted = ZipWriter().File(name + "a", "a").File(name + "b", "b").Build();
    StateCount(counted, 3);
    EXPECT_FALSE(Open(counted.bytes));
    EXPECT_EQ(events.ErrorNumbers(), std::vector<int32_t>{2});
    EXPECT_EQ(zip.FileCount(), 0);

    auto first = ZipWriter().File("a", "a").File("b", "b").Build();
    PutU32(first.bytes, first.centralOffsets[0], 0x02014B51);
    EXPECT_FALSE(Open(first.bytes));
    EXPECT_EQ(events.ErrorNumbers(), (std::vector<int32_t>{2, 2}));
    EXPECT_FALSE(zip.ZipIsOpen());
}

// Data added in front of the directory without its offset being rewritten:
// the shift the end record suggests does not apply to the entries.
TEST_F(ZipDirectoryWalkTest, ADirectoryOffsetShortByTheBytesInFrontOfItStillFindsTheEntries) {
    const auto layout = ZipWriter().File("one.txt", "one").File("two.txt", "two").Build();
    std::string moved = layout.bytes;
    moved.insert(layout.directoryOffset, std::string(100, '\0'));
    ASSERT_TRUE(Open(moved));
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_TRUE(events.errors.empty());
    EXPECT_EQ(FileContent(Target("one.txt")), "one");
    EXPECT_EQ(FileContent(Target("two.txt")), "two");
}

TEST_F(ZipDirectoryWalkTest, DiskNumbersMakeAnArchiveSplitOnlyWhenAnEntryIsNotInTheFile) {
    auto numbered = ZipWriter().File("a.txt", "alpha").File("b.txt", "beta").Build();
    PutU16(numbered.bytes, numbered.endRecordOffset + kEndThisDisk, 1);
    PutU16(numbered.bytes, numbered.endRecordOffset + kEndDirectoryDisk, 1);
    ASSERT_TRUE(Open(numbered.bytes));
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(FileContent(Target("b.txt")), "beta");

    PutU32(numbered.bytes, numbered.centralOffsets[1] + kCentralLocalOffset, 3);
    EXPECT_FALSE(Open(numbered.bytes));
    EXPECT_EQ(events.ErrorNumbers(), std::vector<int32_t>{18});
}

TEST_F(ZipDirectoryWalkTest, AnEncipheredDirectoryIsRefusedAtOpening) {
    ZipWriter writer;
    writer.Add({.name = "secret.bin", .content = "cipher", .method = 0, .flags = 0x2041});
    auto flagged = writer.Build();
    ASSERT_FALSE(Open(flagged.bytes));
    const std::string path = folder.Sub("walk.zip");
    EXPECT_EQ(events.errors.back(), std::make_pair(16, "Le fichier " + path + " est chiffré"));

    // The directory itself enciphered: an archive extra data record opens it.
    PutU32(flagged.bytes, flagged.centralOffsets[0], 0x08064B50);
    EXPECT_FALSE(Open(flagged.bytes));
    EXPECT_EQ(events.ErrorNumbers(), (std::vector<int32_t>{16, 16}));
}

// Nothing may be sized from a directory the file cannot hold.
TEST_F(ZipDirectoryWalkTest, ADirectoryLargerThanWhatPrecedesItsEndRecordIsRefused) {
    auto layout = ZipWriter().File("a", "a").Build();
    const auto room = static_cast<uint32_t>(layout.endRecordOffset);
    PutU32(layout.bytes, layout.endRecordOffset + kEndDirectorySize, room);
    EXPECT_TRUE(Open(layout.bytes));
    PutU32(layout.bytes, layout.endRecordOffset + kEndDirectorySize, room + 1);
    EXPECT_FALSE(Open(layout.bytes));
    EXPECT_EQ(events.ErrorNumbers(), std::vector<int32_t>{2});
}

} // namespace
