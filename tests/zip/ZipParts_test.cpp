// The engine's building blocks, where their rules are easier to reach than
// through a whole archive.
#include "services/PathText.h"
#include "support/TempFolder.h"
#include "zip/ArchiveFile.h"
#include "zip/DataRanges.h"
#include "zip/EndRecordSearch.h"
#include "zip/EntryDecoders.h"
#include "zip/EntryStream.h"
#include "zip/PathSafety.h"
#include "zip/RecordCursor.h"
#include "zip/ZipDateTime.h"
#include "zip/ZipFolders.h"
#include "zip/ZipNameEncoding.h"
#include "zip/ZipNames.h"
#include "zip/ZipRecords.h"

#include <gtest/gtest.h>

namespace {

const std::string kEndSignature = "PK\x05\x06";

TEST(RecordCursor, ReadsLittleEndianAndStaysFailedOnceShort) {
    const unsigned char bytes[] = {0x50, 0x4B, 0x05, 0x06, 0x34, 0x12, 0xFF};
    RecordCursor cursor(bytes);
    EXPECT_EQ(cursor.U32(), 0x06054B50u);
    EXPECT_EQ(cursor.U16(), 0x1234u);
    EXPECT_TRUE(cursor.Ok());
    EXPECT_EQ(cursor.U16(), 0u); // one byte left
    EXPECT_FALSE(cursor.Ok());
    EXPECT_EQ(cursor.U16(), 0u);
    EXPECT_FALSE(cursor.Ok());
}

TEST(ZipRecords, ParsersRefuseShortRecordsAndReadFieldsUnsigned) {
    std::vector<unsigned char> end(kEndRecordSize, 0xFF);
    EXPECT_FALSE(ParseEndRecord(std::span(end).first(kEndRecordSize - 1)));
    const auto record = ParseEndRecord(end);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->totalRecords, 65535u);
    EXPECT_EQ(record->directoryOffset, 0xFFFFFFFFu);
    std::vector<unsigned char> central(kCentralHeaderSize, 0x80);
    EXPECT_EQ(ParseCentralHeader(central)->nameLength, 0x8080u);
    EXPECT_FALSE(ParseLocalHeader(std::span(central).first(kLocalHeaderSize - 1)));
}

TEST(ZipRecords, AShortRecordIsDamagedAndNamed) {
    const std::vector<unsigned char> bytes(kCentralHeaderSize - 1, 0);
    const auto central = ParseCentralHeader(bytes);
    EXPECT_TRUE(central.Failed(FailureCause::Damaged));
    EXPECT_EQ(central.Error().what, "central file header cut short");
    EXPECT_TRUE(ParseLocalHeader(std::span(bytes).first(kLocalHeaderSize)));
    EXPECT_EQ(ParseLocalHeader(std::span(bytes).first(kLocalHeaderSize - 1)).Error().what,
              "local file header cut short");
}

TEST(ZipRecords, SettledDataTakesDeferredValuesFromTheDirectory) {
    CentralFileHeader central;
    central.compressedSize = 1234;
    central.crc32 = 0xCAFEF00D;
    LocalFileHeader local;
    local.compressedSize = 99;
    local.crc32 = 0x11111111;
    // The directory's length is read; a local header stating another is damaged.
    EXPECT_EQ(SettleEntryData(local, central).compressedSize, 1234u);
    EXPECT_FALSE(SettleEntryData(local, central).sizesAgree);
    local.compressedSize = 1234;
    EXPECT_TRUE(SettleEntryData(local, central).sizesAgree);
    EXPECT_EQ(SettleEntryData(local, central).crc32, 0x11111111u);

    LocalFileHeader deferred;
    deferred.flags = kDataDescriptorFlag;
    EXPECT_EQ(SettleEntryData(deferred, central).compressedSize, 1234u);
    EXPECT_EQ(SettleEntryData(deferred, central).crc32, 0xCAFEF00Du);

    LocalFileHeader unflagged; // zero sizes without the flag defer to nothing
    EXPECT_FALSE(SettleEntryData(unflagged, central).sizesAgree);

    LocalFileHeader zip64;
    zip64.compressedSize = kZip64SizeMarker;
    zip64.crc32 = 0x22222222;
    EXPECT_EQ(SettleEntryData(zip64, central).compressedSize, 1234u);
    EXPECT_EQ(SettleEntryData(zip64, central).crc32, 0x22222222u);
    EXPECT_TRUE(SettleEntryData(zip64, central).sizesAgree);
}

TEST(ZipDateTime, FollowsTheDosRuleAndRejectsImpossibleDates) {
    EXPECT_EQ(DosDateTimeToZipDateTime(0x3B62, 0x73DD), (ZipDateTime{2009, 11, 2, 14, 30, 58}));
    EXPECT_EQ(DosDateTimeToZipDateTime((20 << 9) | (2 << 5) | 29, 0),
              (ZipDateTime{2000, 2, 29, 0, 0, 0})); // leap day
    const ZipDateTime zero{1601, 1, 1, 0, 0, 0};
    EXPECT_EQ(DosDateTimeToZipDateTime((21 << 9) | (2 << 5) | 29, 0), zero); // 2001 has none
    EXPECT_EQ(DosDateTimeToZipDateTime(0, 0), zero);                         // month 0
    EXPECT_EQ(DosDateTimeToZipDateTime((29 << 9) | (13 << 5) | 1, 0), zero);
    EXPECT_EQ(DosDateTimeToZipDateTime(0x3B62, (24 << 11)), zero);
    EXPECT_EQ(DosDateTimeToZipDateTime(0x3B62, (60 << 5)), zero);
    EXPECT_EQ(DosDateTimeToZipDateTime(0x3B62, 30), zero); // 60 seconds
}

TEST(DataRanges, RefusesAnyOverlapButAcceptsNeighbours) {
    DataRanges ranges;
    EXPECT_TRUE(ranges.AddIfSeparate(100, 200));
    EXPECT_TRUE(ranges.AddIfSeparate(200, 300));
    EXPECT_TRUE(ranges.AddIfSeparate(0, 100));
    EXPECT_FALSE(ranges.AddIfSeparate(150, 160)); // inside
    EXPECT_FALSE(ranges.AddIfSeparate(250, 400)); // starts inside
    EXPECT_FALSE(ranges.AddIfSeparate(50, 120));  // ends inside
    EXPECT_FALSE(ranges.AddIfSeparate(0, 1000));  // covers
    EXPECT_FALSE(ranges.AddIfSeparate(100, 200)); // the same entry again
    EXPECT_TRUE(ranges.AddIfSeparate(300, 301));
}

TEST(ZipNames, UseTheNativeSeparator) {
    EXPECT_EQ(NativeEntryName("a/b/c.png"), "a" + kSep + "b" + kSep + "c.png");
    EXPECT_EQ(TargetName("c:x:y"), "c_x_y");
    const std::string path = "dir" + kSep + "sub" + kSep + "file.txt";
    EXPECT_EQ(FileNamePart(path), "file.txt");
    EXPECT_EQ(FolderPart(path), "dir" + kSep + "sub");
    EXPECT_EQ(FileNamePart("file.txt"), "file.txt");
    EXPECT_EQ(FolderPart("file.txt"), "");
}

TEST(ZipNameEncoding, ConvertsCodePage437AndTrustsOnlyValidUtf8) {
    EXPECT_EQ(Cp437ToUtf8("A\x80\x9E\xB0\xE1\xFF"), "A\u00c7\u20a7\u2591\u00df\u00a0");
    EXPECT_TRUE(IsValidUtf8("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"));
    for (const char* bad : {"\xC0\xAF", "\xED\xA0\x80", "\xE2\x82", "\xF4\x90\x80\x80", "\x80"})
        EXPECT_FALSE(IsValidUtf8(bad)) << bad;
    EXPECT_EQ(EntryNameText("caf\xC3\xA9", 0x0800), "caf\u00e9");
    EXPECT_EQ(EntryNameText("caf\xC3\xA9", 0), "caf\u251c\u2310");
    EXPECT_EQ(EntryNameText("a\xE0\x80\xAF", 0x0800), "a\u03b1\u00c7\u00bb")
        << "an overlong \"/\" is no UTF-8";
}

TEST(PathSafety, SpotsParentPartsWhicheverTheSeparator) {
    EXPECT_TRUE(HasParentComponent(".."));
    EXPECT_TRUE(HasParentComponent("a/../b"));
    EXPECT_TRUE(HasParentComponent("a\\..\\b"));
    EXPECT_TRUE(HasParentComponent("a/.."));
    EXPECT_FALSE(HasParentComponent("..a/b..c/..."));
    EXPECT_FALSE(HasParentComponent("a/./b"));
    EXPECT_TRUE(HasNulCharacter(std::string("a\0b", 3)));
    EXPECT_FALSE(HasNulCharacter("ab"));
}

TEST(PathSafety, ResolvesLinksOnTheWayButNotMissingFolders) {
    TempFolder folder;
    const std::string out = folder.MakeDir("out");
    folder.MakeDir("outside");
    folder.MakeDir("out/real");
    if (!MakeSymlink(folder.Sub("outside"), folder.Sub("out/away")) ||
        !MakeSymlink(folder.Sub("out/real"), folder.Sub("out/near")))
        GTEST_SKIP() << kNoSymlinks;
    const std::string resolved = *ResolvedFolder(out);
    EXPECT_TRUE(StaysInsideFolder(resolved, out, ""));
    EXPECT_TRUE(StaysInsideFolder(resolved, out, "new" + kSep + "deeper"));
    EXPECT_TRUE(StaysInsideFolder(resolved, out, "near" + kSep + "x"));
    EXPECT_FALSE(StaysInsideFolder(resolved, out, "away"));
    EXPECT_FALSE(StaysInsideFolder(resolved, out, "away" + kSep + "x"));
    EXPECT_FALSE(StaysInsideFolder(*ResolvedFolder(folder.Sub("out/real")), folder.Sub("out/real"),
                                   "..")); // a sibling sharing the prefix is no inside
    EXPECT_FALSE(ResolvedFolder(folder.Sub("missing")));
}

TEST(ZipFolders, CreateTheWholeChainOrReportFailure) {
    TempFolder folder;
    EXPECT_TRUE(CreateFolderPath(folder.Sub("a/b/c")));
    EXPECT_TRUE(std::filesystem::is_directory(FsPath(folder.Sub("a/b/c"))));
    const std::string file = folder.Write("plain", "x");
    EXPECT_FALSE(CreateFolderPath(file + kSep + "below"));
    EXPECT_TRUE(CreateSubFolders(folder.Path(), "x" + kSep + "y"));
    EXPECT_TRUE(std::filesystem::is_directory(FsPath(folder.Sub("x/y"))));
    // The text is what the user is shown when the extraction stops there.
    const Status below = CreateSubFolders(file, "z");
    ASSERT_FALSE(below);
    EXPECT_EQ(below.Error().what, "Impossible de créer le répertoire " + file + kSep + "z");
}

class EndRecordSearchTest : public ::testing::Test {
  protected:
    TempFolder folder;
    std::optional<uint64_t> Find(const std::string& bytes) {
        const auto file = ArchiveFile::Open(folder.Write("a.zip", bytes)).Value();
        const auto found = FindEndRecord(*file).Value();
        EXPECT_EQ(file->Position(), bytes.size());
        return found;
    }
};

TEST_F(EndRecordSearchTest, FindsTheLastSignatureAcrossBlockBoundaries) {
    EXPECT_FALSE(Find(""));
    EXPECT_FALSE(Find("PK\x05"));
    EXPECT_EQ(Find(kEndSignature), 0u);
    const uint64_t block = 64 * 1024;
    for (uint64_t offset : {block - 4, block - 3, block - 2, block - 1, block, block + 1}) {
        std::string bytes(3 * block, 'x');
        bytes.replace(bytes.size() - offset - 4, 4, kEndSignature);
        EXPECT_EQ(Find(bytes), bytes.size() - offset - 4) << offset;
    }
    std::string two(200000, 'y');
    two.replace(10, 4, kEndSignature);
    two.replace(150000, 4, kEndSignature);
    EXPECT_EQ(Find(two), 150000u);
    two.replace(150000, 4, "....");
    EXPECT_EQ(Find(two), 10u); // far from the end, still found
}

// The first write that fails ends the decoding: nothing more is read or
// decoded for a file that cannot be kept.
TEST(EntryStream, AWriteThatFailsEndsTheDecodingWithItsFailure) {
    TempFolder folder;
    const std::string data(1000, 's');
    const auto file = ArchiveFile::Open(folder.Write("a", data)).Value();
    const auto zlib = LinkedZlib();
    LocalEntry entry;
    entry.dataLength = data.size();
    entry.crc32 =
        zlib->Crc32(0, reinterpret_cast<const unsigned char*>(data.data()), data.size()).Value();
    const auto decoder = DecoderFor(kMethodStored, entry.dataLength);
    NewFile unopened; // refuses every write
    const Result<bool> decoded =
        DecodeEntryInto(*file, *zlib, entry, data.size(), *decoder, unopened);
    EXPECT_TRUE(decoded.Failed(FailureCause::System));
}

TEST(ArchiveFile, RefusesEveryReadPastTheEnd) {
    TempFolder folder;
    const auto opened = ArchiveFile::Open(folder.Write("f", "0123456789")).Value();
    ArchiveFile& file = *opened;
    EXPECT_EQ(file.Size(), 10u);
    file.Seek(8);
    EXPECT_EQ(file.ReadText(2).Value(), "89");
    const Result<std::string> past = file.ReadText(1);
    ASSERT_TRUE(past.Failed(FailureCause::Damaged));
    EXPECT_EQ(past.Error().what, "Lecture au-delà de la fin du fichier " + folder.Sub("f"));
    EXPECT_EQ(file.Position(), 10u); // a failed read does not move
    file.Seek(4);
    EXPECT_TRUE(file.Skip(7).Failed(FailureCause::Damaged));
    EXPECT_TRUE(file.Skip(6).Ok()); // to the very end
    file.Seek(UINT64_MAX - 2);
    EXPECT_TRUE(file.Read(5).Failed(FailureCause::Damaged)); // no wrap-around
    file.Seek(2);
    EXPECT_EQ(file.ReadText(3).Value(), "234");
    const auto missing = ArchiveFile::Open(folder.Sub("missing"));
    ASSERT_TRUE(missing.Failed(FailureCause::System));
    EXPECT_EQ(missing.Error().what, "Impossible d'ouvrir le fichier " + folder.Sub("missing"));
}

} // namespace
