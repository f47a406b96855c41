// Archives built to hurt: each must be refused or fail cleanly, never crash,
// hang, or write outside the destination.
#include "services/FileUtils.h"
#include "services/PathText.h"
#include "support/MissingZlib.h"
#include "support/TempFolder.h"
#include "support/ZipEventLog.h"
#include "support/ZipWriter.h"
#include "zip/ZipExtractionClass.h"

#include <atomic>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

class ZipHostileTest : public ::testing::Test {
  protected:
    TempFolder folder;
    ZipExtractionClass zip;
    ZipEventLog events{zip};
    // The destination sits two levels down so that escapes have somewhere to land.
    std::string out = folder.MakeDir("box/out");

    void Open(const ZipLayout& layout) {
        ASSERT_TRUE(zip.ZipOpen(folder.Write("hostile.zip", layout.bytes)).Value());
        events.Clear();
    }
    // Every entry below the temporary folder that is neither the archive nor in the destination.
    std::vector<std::string> Escaped() const {
        std::vector<std::string> found;
        for (const auto& entry : fs::recursive_directory_iterator(FsPath(folder.Path()))) {
            const std::u8string generic =
                entry.path().lexically_relative(FsPath(folder.Path())).generic_u8string();
            const std::string relative(generic.begin(), generic.end());
            if (relative != "hostile.zip" && relative != "box" && relative != "box/out" &&
                relative.rfind("box/out/", 0) != 0)
                found.push_back(relative);
        }
        return found;
    }
};

TEST_F(ZipHostileTest, ParentComponentsAreRefusedWithErrorFourteen) {
    Open(ZipWriter()
             .File("../evil.txt", "e")
             .File("a/../../evil2.txt", "e")
             .File("..\\evil3.txt", "e")
             .File("good.txt", "g")
             .Build());
    for (const bool preserve : {true, false}) {
        events.Clear();
        EXPECT_FALSE(zip.ExtractAllFiles(out, preserve, true).Value());
        EXPECT_EQ(events.ErrorNumbers(), (std::vector<int32_t>{14, 14, 14}));
        EXPECT_TRUE(Escaped().empty());
        EXPECT_EQ(FileContent(out + kSep + "good.txt"), "g");
    }
    EXPECT_EQ(events.errors[0].second,
              "Le fichier .." + kSep + "evil.txt sort du dossier de destination");
}

TEST_F(ZipHostileTest, AbsoluteAndDriveNamesLandInsideTheDestination) {
    Open(ZipWriter().File("/abs/evil.txt", "a").File("C:/win.txt", "c").Build());
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, true).Value());
    EXPECT_TRUE(Escaped().empty());
    EXPECT_EQ(FileContent(out + kSep + "abs" + kSep + "evil.txt"), "a");
    EXPECT_EQ(FileContent(out + kSep + "C_" + kSep + "win.txt"), "c");
    EXPECT_FALSE(IsFile("/abs/evil.txt"));
}

TEST_F(ZipHostileTest, LinkInTheDestinationCannotCarryFilesOutside) {
    if (!MakeSymlink(folder.Path(), out + kSep + "link"))
        GTEST_SKIP() << kNoSymlinks;
    Open(ZipWriter().File("link/escaped.txt", "e").File("link/deeper/x.txt", "e").Build());
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, true).Value());
    EXPECT_EQ(events.ErrorNumbers(), (std::vector<int32_t>{14, 14}));
    EXPECT_FALSE(IsFile(folder.Sub("escaped.txt")));
    EXPECT_FALSE(IsFolder(folder.Sub("deeper")));
}

TEST_F(ZipHostileTest, ALinkRefusedForOneEntryIsRefusedForTheNextInTheSameFolder) {
    if (!MakeSymlink(folder.Path(), out + kSep + "link"))
        GTEST_SKIP() << kNoSymlinks;
    Open(ZipWriter().File("link/a.txt", "a").File("link/b.txt", "b").Build());
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, true).Value());
    EXPECT_EQ(events.ErrorNumbers(), (std::vector<int32_t>{14, 14}));
    EXPECT_FALSE(IsFile(folder.Sub("a.txt")));
    EXPECT_FALSE(IsFile(folder.Sub("b.txt")));
}

TEST_F(ZipHostileTest, NamesWithNulBytesAreRefused) {
    Open(ZipWriter().File(std::string("\0\0sub/b.txt", 11), "n").Build());
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(events.ErrorNumbers(), std::vector<int32_t>{14});
    EXPECT_TRUE(fs::is_empty(FsPath(out)));
}

TEST_F(ZipHostileTest, EntriesSharingDataAreRefusedWithErrorFifteen) {
    auto layout = ZipWriter().File("a.txt", std::string(4000, 'a')).File("b.txt", "b").Build();
    // b's directory record now points at a's local header: a classic bomb trick.
    PutU32(layout.bytes, layout.centralOffsets[1] + kCentralLocalOffset,
           static_cast<uint32_t>(layout.localOffsets[0]));
    Open(layout);
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(events.errors, (std::vector<std::pair<int32_t, std::string>>{
                                 {15, "Le fichier b.txt chevauche un autre fichier du Zip"}}));
    EXPECT_FALSE(IsFile(out + kSep + "b.txt"));
    // Alone in its walk the entry overlaps nothing; a's header then states
    // another length than b's record.
    events.Clear();
    EXPECT_TRUE(zip.ExtractSingleFile(2, out, true, false).Value());
    EXPECT_EQ(events.ErrorNumbers(), std::vector<int32_t>{17});
}

TEST_F(ZipHostileTest, RefusedEntriesLeaveTheFileTheyWouldReplaceIntact) {
    auto layout = ZipWriter()
                      .File("a.txt", std::string(4000, 'a'))
                      .File("b.txt", "b")
                      .File("c.bin", "c", 14)
                      .File("d.png", std::string(2000, 'd'))
                      .Build();
    PutU32(layout.bytes, layout.centralOffsets[1] + kCentralLocalOffset,
           static_cast<uint32_t>(layout.localOffsets[0]));
    layout.bytes[layout.localOffsets[3] + kLocalHeaderLength + 5 + 2] ^= 0x55;
    Open(layout);
    for (const char* name : {"b.txt", "c.bin", "d.png"})
        folder.Write(std::string("box/out/") + name, "mine");
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, true).Value());
    EXPECT_EQ(events.ErrorNumbers(), (std::vector<int32_t>{15, 4, 5}));
    for (const char* name : {"b.txt", "c.bin", "d.png"})
        EXPECT_EQ(FileContent(out + kSep + name), "mine") << name;
}

// Counts the entries zlib is asked to inflate, from whichever thread.
class CountingZlib final : public ZlibBinding {
  public:
    mutable std::atomic<int> inflations{0};
    Result<const char*> Version() const override { return LinkedZlib()->Version(); }
    Result<int> InflateRaw(unsigned char* output, uint64_t& outputLength,
                           const unsigned char* source, uint64_t sourceLength) const override {
        ++inflations;
        return LinkedZlib()->InflateRaw(output, outputLength, source, sourceLength);
    }
    Result<uint32_t> Crc32(uint32_t crc, const unsigned char* data,
                           std::size_t length) const override {
        return LinkedZlib()->Crc32(crc, data, length);
    }
};

TEST_F(ZipHostileTest, SharedDataIsNeverInflatedAgainNotEvenAhead) {
    ZipWriter writer;
    writer.File("a.bin", std::string(200000, 'a'));
    for (int i = 0; i < 40; ++i)
        writer.File("copy" + std::to_string(i), "c");
    auto layout = writer.Build();
    for (int i = 1; i <= 40; ++i)
        PutU32(layout.bytes, layout.centralOffsets[i] + kCentralLocalOffset,
               static_cast<uint32_t>(layout.localOffsets[0]));
    auto zlib = std::make_shared<CountingZlib>();
    ZipExtractionClass counted(zlib);
    ZipEventLog log(counted);
    ASSERT_TRUE(counted.ZipOpen(folder.Write("hostile.zip", layout.bytes)).Value());
    EXPECT_FALSE(counted.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(log.ErrorNumbers(), std::vector<int32_t>(40, 15));
    EXPECT_EQ(zlib->inflations, 1);
}

TEST_F(ZipHostileTest, EntryStartingInsideAnotherEntrysDataIsRefused) {
    auto inner = ZipWriter().File("inner.txt", "inner").Build();
    // A stored entry whose data holds a complete local entry, listed a second time.
    auto layout = ZipWriter()
                      .File("outer.bin", inner.bytes.substr(0, inner.directoryOffset), 0)
                      .File("inner.txt", "inner")
                      .Build();
    PutU32(layout.bytes, layout.centralOffsets[1] + kCentralLocalOffset,
           static_cast<uint32_t>(layout.localOffsets[0] + kLocalHeaderLength + 9));
    Open(layout);
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(events.ErrorNumbers(), std::vector<int32_t>{15});
}

TEST_F(ZipHostileTest, ImpossibleExpansionIsAChecksumErrorWithoutAllocating) {
    auto layout = ZipWriter().File("bomb.bin", "tiny").Build();
    PutU32(layout.bytes, layout.centralOffsets[0] + kCentralUncompressedSize, 0xFFFFFFF0u);
    Open(layout);
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(events.ErrorNumbers(), std::vector<int32_t>{5});
    EXPECT_TRUE(fs::is_empty(FsPath(out)));
}

TEST_F(ZipHostileTest, ClaimedSizeLargerThanTheStreamIsAChecksumError) {
    auto layout = ZipWriter().File("short.bin", std::string(1000, 's')).Build();
    PutU32(layout.bytes, layout.centralOffsets[0] + kCentralUncompressedSize, 1500);
    Open(layout);
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(events.ErrorNumbers(), std::vector<int32_t>{5});
}

TEST_F(ZipHostileTest, LocalHeaderOrDataPastTheEndIsAReadFailure) {
    auto farHeader = ZipWriter().File("a", "a").Build();
    PutU32(farHeader.bytes, farHeader.centralOffsets[0] + kCentralLocalOffset, 0xFFFFFFF0u);
    Open(farHeader);
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, false).Failed(FailureCause::Damaged));

    auto longData = ZipWriter().File("b", "b", 0).Build();
    PutU32(longData.bytes, longData.localOffsets[0] + kLocalCompressedSize, 0x7FFFFFFFu);
    PutU32(longData.bytes, longData.centralOffsets[0] + 20, 0x7FFFFFFFu);
    Open(longData);
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, false).Failed(FailureCause::Damaged));
    EXPECT_TRUE(fs::is_empty(FsPath(out)));
}

TEST_F(ZipHostileTest, TruncatedArchiveFailsToOpenOrToExtractButNeverCrashes) {
    const auto layout = ZipWriter().File("a.txt", std::string(300, 'a')).File("b", "b").Build();
    for (std::size_t length = 0; length < layout.bytes.size(); length += 7) {
        ZipExtractionClass fresh;
        const std::string path = folder.Write("cut.zip", layout.bytes.substr(0, length));
        const Result<bool> opened = fresh.ZipOpen(path);
        // Cut short, it may open and fail to extract: Damaged, never a crash.
        if (opened && *opened) {
            const Result<bool> extracted = fresh.ExtractAllFiles(out, true, true);
            EXPECT_TRUE(extracted.Ok() || extracted.Failed(FailureCause::Damaged)) << length;
        } else if (!opened) {
            EXPECT_TRUE(opened.Failed(FailureCause::Damaged)) << length;
        }
    }
    EXPECT_TRUE(Escaped().empty() || Escaped() == std::vector<std::string>{"cut.zip"});
}

TEST_F(ZipHostileTest, FortyThousandEntriesAreWalkedToTheLast) {
    ZipWriter writer;
    for (int i = 1; i <= 40000; ++i)
        writer.File("f" + std::to_string(i), std::to_string(i), 0);
    Open(writer.Build());
    EXPECT_TRUE(zip.ExtractSingleFile(40000, out, true, false).Value());
    EXPECT_EQ(FileContent(out + kSep + "f40000"), "40000");
    EXPECT_EQ(events.percents.size(), 40000u);
}

TEST_F(ZipHostileTest, MissingZlibStopsExtractionWithErrorOneOnly) {
    ZipExtractionClass bare(std::make_shared<MissingZlib>());
    ZipEventLog log(bare);
    ASSERT_TRUE(bare.ZipOpen(folder.Write("hostile.zip", ZipWriter().File("a", "a").Build().bytes))
                    .Value());
    log.Clear();
    EXPECT_FALSE(bare.ExtractAllFiles(out, true, false).Value());
    EXPECT_FALSE(bare.ExtractSingleFile(1, out, true, false).Value());
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{"error 1: La librairie Zlib n'est pas installée",
                                        "error 1: La librairie Zlib n'est pas installée"}));
}

} // namespace
