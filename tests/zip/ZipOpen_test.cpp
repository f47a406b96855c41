#include "services/PathText.h"
#include "support/MissingZlib.h"
#include "support/TempFolder.h"
#include "support/ZipEventLog.h"
#include "support/ZipWriter.h"
#include "zip/ZipExtractionClass.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

class ZipOpenTest : public ::testing::Test {
  protected:
    TempFolder folder;
    ZipExtractionClass zip;
    ZipEventLog events{zip};

    std::string Archive(const std::string& bytes, const std::string& name = "test.zip") {
        return folder.Write(name, bytes);
    }
};

TEST_F(ZipOpenTest, ListsOnlyEntriesWithDataNumberedFromOne) {
    const std::string content = "hello hello hello hello";
    const auto layout =
        ZipWriter().Folder("a/").File("a/b.txt", content).File("c.txt", "c", 0).Build();
    ASSERT_TRUE(zip.ZipOpen(Archive(layout.bytes)).Value());
    EXPECT_TRUE(zip.ZipIsOpen());
    EXPECT_EQ(zip.FileCount(), 2);
    EXPECT_EQ(zip.FileName(0), "");
    EXPECT_EQ(zip.FileName(1), "a" + kSep + "b.txt");
    EXPECT_EQ(zip.FileName(2), "c.txt");
    EXPECT_EQ(zip.FileName(3), "");
    EXPECT_EQ(zip.FileName(4), ""); // past the directory
    EXPECT_EQ(zip.FileName(-1), "");
    EXPECT_EQ(zip.FileUncompressedSize(4), 0);
    EXPECT_EQ(zip.FileUncompressedSize(1), static_cast<int64_t>(content.size()));
    EXPECT_EQ(zip.FileCompressedSize(1), static_cast<int64_t>(RawDeflate(content).size()));
    EXPECT_EQ(zip.FileCompressedSize(2), 1);
    EXPECT_EQ(zip.FileUncompressedSize(3), 0);
    EXPECT_EQ(events.lines,
              (std::vector<std::string>{"status: Ouverture du Zip", "status: Zip ouvert"}));
    EXPECT_GE(events.yields, 3); // after opening, and after every pass
}

TEST_F(ZipOpenTest, EmptyAndFolderOnlyArchivesOpenWithNoFiles) {
    const auto empty = ZipWriter().Build();
    ASSERT_EQ(empty.bytes.size(), 22u);
    EXPECT_TRUE(zip.ZipOpen(Archive(empty.bytes)).Value());
    EXPECT_EQ(zip.FileCount(), 0);
    EXPECT_EQ(zip.ZipComment(), "");
    EXPECT_TRUE(
        zip.ZipOpen(Archive(ZipWriter().Folder("x/").File("empty", "").Build().bytes)).Value());
    EXPECT_EQ(zip.FileCount(), 0);
    EXPECT_TRUE(events.errors.empty());
}

TEST_F(ZipOpenTest, CommentIsReadAndTheLastEndSignatureWins) {
    EXPECT_TRUE(
        zip.ZipOpen(Archive(ZipWriter().File("a", "x").Comment("nice screens").Build().bytes))
            .Value());
    EXPECT_EQ(zip.ZipComment(), "nice screens");
    EXPECT_EQ(zip.FileCount(), 1);

    // A complete end record of an empty archive hidden in the comment is the one taken.
    const std::string hidden = ZipWriter().Build().bytes;
    EXPECT_TRUE(
        zip.ZipOpen(Archive(ZipWriter().File("a", "x").Comment(hidden).Build().bytes)).Value());
    EXPECT_EQ(zip.FileCount(), 0);
    EXPECT_EQ(zip.ZipComment(), "");
}

TEST_F(ZipOpenTest, SignatureTooCloseToTheEndIsAReadFailureNotAnOverrun) {
    const auto layout = ZipWriter().File("a", "x").Comment("....PK\x05\x06...").Build();
    EXPECT_TRUE(zip.ZipOpen(Archive(layout.bytes)).Failed(FailureCause::Damaged));
    EXPECT_FALSE(zip.ZipIsOpen()); // a failed opening leaves nothing open
}

TEST_F(ZipOpenTest, FilesWithoutEndRecordAreRejectedAndStayOpenUntilClosed) {
    for (const std::string& bytes :
         {std::string(), std::string("PK\x05"), std::string("just some text, no archive\n")}) {
        events.Clear();
        const std::string path = Archive(bytes, "bad.zip");
        EXPECT_FALSE(zip.ZipOpen(path).Value());
        EXPECT_FALSE(zip.ZipIsOpen());
        ASSERT_EQ(events.errors.size(), 1u);
        EXPECT_EQ(events.errors[0].first, 2);
        EXPECT_EQ(events.errors[0].second, "Le fichier " + path + " n'est pas un fichier Zip");
        zip.ZipClose();
        EXPECT_EQ(events.lines.back(), "status: Zip fermé");
    }
}

TEST_F(ZipOpenTest, MissingArchiveIsErrorTenAndLeavesTheObjectClosed) {
    const std::string path = folder.Sub("nowhere.zip");
    EXPECT_FALSE(zip.ZipOpen(path).Value());
    EXPECT_FALSE(zip.ZipIsOpen());
    EXPECT_EQ(events.lines,
              (std::vector<std::string>{"status: Ouverture du Zip",
                                        "error 10: Le fichier " + path + " n'existe pas"}));
    EXPECT_FALSE(zip.ZipOpen(folder.Path()).Value()); // a folder is no archive file either
}

TEST_F(ZipOpenTest, ReopeningReplacesTheListingWhichOutlivesZipClose) {
    EXPECT_EQ(zip.FileName(1), ""); // no directory read yet
    ASSERT_TRUE(
        zip.ZipOpen(Archive(ZipWriter().File("one", "1").File("two", "2").Build().bytes)).Value());
    events.Clear();
    ASSERT_TRUE(
        zip.ZipOpen(Archive(ZipWriter().File("three", "3").Build().bytes, "b.zip")).Value());
    EXPECT_EQ(events.lines, (std::vector<std::string>{"status: Ouverture du Zip",
                                                      "status: Zip fermé", "status: Zip ouvert"}));
    EXPECT_EQ(zip.FileCount(), 1);
    EXPECT_EQ(zip.FileName(1), "three");
    zip.ZipClose();
    EXPECT_FALSE(zip.ZipIsOpen());
    EXPECT_EQ(zip.FileCount(), 1);
    EXPECT_EQ(zip.FileName(1), "three");
    events.Clear();
    zip.ZipClose(); // nothing open: nothing to say
    EXPECT_TRUE(events.lines.empty());
}

TEST_F(ZipOpenTest, NamesKeepColonsAndDatesFollowTheDosRule) {
    ZipWriterEntry midnight{"x:y.txt", "data"};
    midnight.dosTime = 0;
    ZipWriterEntry invalid{"bad-date", "data"};
    invalid.dosDate = (29 << 9) | (2 << 5) | 30; // 30 February 2009
    ASSERT_TRUE(
        zip.ZipOpen(
               Archive(ZipWriter().File("plain", "data").Add(midnight).Add(invalid).Build().bytes))
            .Value());
    EXPECT_EQ(zip.FileDateAndTime(1), (ZipDateTime{2009, 11, 2, 14, 30, 58}));
    EXPECT_EQ(zip.FileName(2), "x:y.txt");
    EXPECT_EQ(zip.FileDateAndTime(2), (ZipDateTime{2009, 11, 2, 0, 0, 0}));
    EXPECT_EQ(zip.FileDateAndTime(3), (ZipDateTime{1601, 1, 1, 0, 0, 0}));
    EXPECT_EQ(zip.FileDateAndTime(0), (ZipDateTime{1601, 1, 1, 0, 0, 0})); // empty entry
    EXPECT_EQ(zip.FileDateAndTime(4), (ZipDateTime{1601, 1, 1, 0, 0, 0})); // past the directory
}

TEST_F(ZipOpenTest, ZlibVersionComesFromTheLinkedLibrary) {
    EXPECT_EQ(zip.ZLibVersion(), std::string(zlibVersion()));
    EXPECT_TRUE(events.errors.empty());
}

TEST_F(ZipOpenTest, MissingZlibIsReportedTwiceAndTheDirectoryIsNotRead) {
    ZipExtractionClass bare(std::make_shared<MissingZlib>());
    ZipEventLog log(bare);
    EXPECT_EQ(bare.ZLibVersion(), "");
    EXPECT_EQ(log.ErrorNumbers(), std::vector<int32_t>{1});
    log.Clear();
    EXPECT_TRUE(bare.ZipOpen(Archive(ZipWriter().File("a", "x").Build().bytes)).Value());
    EXPECT_TRUE(bare.ZipIsOpen());
    EXPECT_EQ(bare.FileCount(), 0);
    EXPECT_EQ(log.errors, (std::vector<std::pair<int32_t, std::string>>{
                              {1, "La librairie Zlib n'est pas installée"},
                              {1, "La librairie Zlib n'est pas installée"}}));
}

TEST_F(ZipOpenTest, CountsAndSizesAreReadUnsigned) {
    auto layout = ZipWriter().File("big", "x", 0).Comment(std::string(40000, 'c')).Build();
    PutU32(layout.bytes, layout.centralOffsets[0] + kCentralUncompressedSize, 0x90000000u);
    ASSERT_TRUE(zip.ZipOpen(Archive(layout.bytes)).Value());
    EXPECT_EQ(zip.ZipComment().size(), 40000u);
    EXPECT_EQ(zip.FileUncompressedSize(1), 0x90000000LL);
}

TEST_F(ZipOpenTest, FortyThousandEntriesAreAllListed) {
    ZipWriter writer;
    for (int i = 1; i <= 40000; ++i)
        writer.File("f" + std::to_string(i), "x", 0);
    ASSERT_TRUE(zip.ZipOpen(Archive(writer.Build().bytes)).Value());
    EXPECT_EQ(zip.FileCount(), 40000);
    EXPECT_EQ(zip.FileName(32768), "f32768");
    EXPECT_EQ(zip.FileName(40000), "f40000");
}

// A count above the records, or a directory where the file has none: the
// archive is refused before anything is read from it.
TEST_F(ZipOpenTest, ACountOrAnOffsetTheFileCannotBackIsRefused) {
    auto counted = ZipWriter().File("a.txt", "aaaa").File("b.txt", "bbbb").Build();
    PutU16(counted.bytes, counted.endRecordOffset + kEndTotalRecords, 9);
    EXPECT_FALSE(zip.ZipOpen(Archive(counted.bytes)).Value());
    auto far = ZipWriter().File("a.txt", "aaaa").Build();
    PutU32(far.bytes, far.endRecordOffset + kEndDirectoryOffset, 0xFFFFFF00u);
    EXPECT_FALSE(zip.ZipOpen(Archive(far.bytes)).Value());
    EXPECT_EQ(events.ErrorNumbers(), (std::vector<int32_t>{2, 2}));
    EXPECT_FALSE(zip.ZipIsOpen());
}

// Records whose lengths or offsets reach past the file: each must end the
// open with a read failure, never read outside what the file holds.
struct BrokenDirectory {
    const char* what;
    void (*damage)(ZipLayout&);
};

class ZipOpenBrokenTest : public ZipOpenTest,
                          public ::testing::WithParamInterface<BrokenDirectory> {};

TEST_P(ZipOpenBrokenTest, IsAReadFailureThatLeavesNothingToExtract) {
    auto layout = ZipWriter().File("a.txt", "aaaa").File("b.txt", "bbbb").Build();
    GetParam().damage(layout);
    EXPECT_TRUE(zip.ZipOpen(Archive(layout.bytes)).Failed(FailureCause::Damaged));
    EXPECT_FALSE(zip.ZipIsOpen());
    EXPECT_FALSE(zip.ExtractAllFiles(folder.Sub("out"), true, false).Value());
}

INSTANTIATE_TEST_SUITE_P(
    Records, ZipOpenBrokenTest,
    ::testing::Values(BrokenDirectory{"NameLongerThanTheFile",
                                      [](ZipLayout& l) {
                                          PutU16(l.bytes, l.centralOffsets[1] + kCentralNameLength,
                                                 60000);
                                      }},
                      BrokenDirectory{"CommentLongerThanTheFile",
                                      [](ZipLayout& l) {
                                          PutU16(l.bytes, l.endRecordOffset + kEndCommentLength,
                                                 500);
                                      }},
                      BrokenDirectory{"TruncatedInsideTheDirectory",
                                      [](ZipLayout& l) {
                                          const std::string end = l.bytes.substr(l.endRecordOffset);
                                          l.bytes =
                                              l.bytes.substr(0, l.centralOffsets[1] + 20) + end;
                                      }}),
    [](const auto& info) { return std::string(info.param.what); });

} // namespace
