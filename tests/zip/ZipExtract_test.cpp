#include "services/FileUtils.h"
#include "services/PathText.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"
#include "support/ZipEventLog.h"
#include "support/ZipWriter.h"
#include "zip/ZipExtractionClass.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

std::string MethodName(const std::string& localName) {
    return "La méthode de compression pour " + localName + " n'est pas supportée";
}

class ZipExtractTest : public ::testing::Test {
  protected:
    TempFolder folder;
    ZipExtractionClass zip;
    ZipEventLog events{zip};
    std::string out = folder.Sub("out");

    void Open(const ZipLayout& layout) {
        ASSERT_TRUE(zip.ZipOpen(folder.Write("test.zip", layout.bytes)).Value());
        events.Clear();
    }
    std::string Target(const std::string& relative) const { return out + kSep + relative; }
    std::vector<std::string> Listing() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(FsPath(out)))
            names.push_back(
                PathText(entry.path().lexically_relative(FsPath(out)).generic_u8string()));
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(ZipExtractTest, PreservedPathsCreateTheirFoldersAndAreAnnounced) {
    const std::string text(5000, 'z');
    Open(ZipWriter().File("dir/sub/file.txt", text).File("top.bin", "stored", 0).Build());
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(FileContent(Target("dir/sub/file.txt")), text);
    EXPECT_EQ(FileContent(Target("top.bin")), "stored");
    EXPECT_EQ(Listing(),
              (std::vector<std::string>{"dir", "dir/sub", "dir/sub/file.txt", "top.bin"}));
    EXPECT_EQ(events.lines, (std::vector<std::string>{
                                "status: Début d'extraction",
                                "status: Extraction ...\\dir" + kSep + "sub" + kSep + "file.txt",
                                "progress 50", "status: Extraction ...\\top.bin", "progress 100",
                                "status: Extraction terminée"}));
}

TEST_F(ZipExtractTest, WithoutPathsOnlyTheNameIsKeptAndNoFolderIsMade) {
    Open(ZipWriter().File("dir/sub/file.txt", "f").File("a:b.txt", "colon").Build());
    EXPECT_TRUE(zip.ExtractAllFiles(out, false, false).Value());
    EXPECT_EQ(Listing(), (std::vector<std::string>{"a_b.txt", "file.txt"}));
    EXPECT_EQ(FileContent(Target("a_b.txt")), "colon");
    EXPECT_TRUE(events.Has("status: Extraction ...\\file.txt"));
}

TEST_F(ZipExtractTest, SameNameTwiceWithoutOverwriteKeepsTheFirstAndReportsEleven) {
    Open(ZipWriter().File("x/readme.txt", "first").File("y/readme.txt", "second").Build());
    EXPECT_TRUE(zip.ExtractAllFiles(out, false, false).Value());
    EXPECT_EQ(FileContent(Target("readme.txt")), "first");
    const std::string message = "Le fichier " + Target("readme.txt") + " existe déjà";
    const auto error = std::find(events.lines.begin(), events.lines.end(), "error 11: " + message);
    ASSERT_NE(error, events.lines.end());
    EXPECT_EQ(*(error - 1), "status: Extraction ...\\readme.txt"); // announced before refused
}

TEST_F(ZipExtractTest, NamesAreCodePage437UnlessFlaggedUtf8AndBackslashesSeparate) {
    ZipWriterEntry utf8{"utf8/caf\xC3\xA9.txt", "u"};
    utf8.flags = 0x0800;
    ZipWriterEntry falselyFlagged{"bad\x82.txt", "b"};
    falselyFlagged.flags = 0x0800;
    Open(ZipWriter()
             .File("bs\\inner.txt", "i")
             .File("dos\x82\x94.txt", "d")
             .Add(utf8)
             .Add(falselyFlagged)
             .Build());
    EXPECT_EQ(zip.FileName(1), "bs" + kSep + "inner.txt");
    EXPECT_EQ(zip.FileName(2), "dos\u00e9\u00f6.txt");
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(Listing(),
              (std::vector<std::string>{"bad\u00e9.txt", "bs", "bs/inner.txt",
                                        "dos\u00e9\u00f6.txt", "utf8", "utf8/caf\u00e9.txt"}));
    EXPECT_TRUE(events.Has("status: Extraction ...\\dos\u00e9\u00f6.txt"));
}

TEST_F(ZipExtractTest, OverwriteReplacesAnExistingFileAndItsAbsenceKeepsIt) {
    Open(ZipWriter().File("keep.txt", "from archive").Build());
    folder.Write("out/keep.txt", "mine");
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(FileContent(Target("keep.txt")), "mine");
    EXPECT_EQ(events.ErrorNumbers(), std::vector<int32_t>{11});
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, true).Value());
    EXPECT_EQ(FileContent(Target("keep.txt")), "from archive");
    EXPECT_EQ(Listing(), std::vector<std::string>{"keep.txt"}); // no temporary left beside it
}

TEST_F(ZipExtractTest, PercentCountsEveryRecordOfTheDirectory) {
    Open(ZipWriter().File("1", "1").File("2", "2").File("3", "3").File("4", "4").Build());
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, true).Value());
    EXPECT_EQ(events.percents, (std::vector<int32_t>{25, 50, 75, 100}));

    Open(ZipWriter().Folder("d/").File("d/1", "1").File("d/2", "2").Build());
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, true).Value());
    EXPECT_EQ(events.percents, (std::vector<int32_t>{33, 67}));
    EXPECT_EQ(events.lines.back(), "status: Extraction terminée");
}

TEST_F(ZipExtractTest, HalvesRoundToTheEvenPercent) {
    ZipWriter writer;
    for (int i = 1; i <= 8; ++i)
        writer.File("f" + std::to_string(i), "x");
    Open(writer.Build());
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, true).Value());
    EXPECT_EQ(events.percents, (std::vector<int32_t>{12, 25, 38, 50, 62, 75, 88, 100}));
}

TEST_F(ZipExtractTest, CancelAtTheFirstProgressStopsAfterTheFirstFile) {
    Open(ZipWriter().File("1", "1").File("2", "2").File("3", "3").Build());
    events.onProgress = [](int32_t, bool& cancel) { cancel = true; };
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, true).Value());
    EXPECT_EQ(Listing(), std::vector<std::string>{"1"});
    EXPECT_EQ(events.percents.size(), 1u);
    EXPECT_FALSE(events.Has("status: Extraction terminée"));
}

TEST_F(ZipExtractTest, SingleFileExtractsOnlyItsNumberAndReportsEveryPass) {
    Open(ZipWriter().Folder("d/").File("d/one", "1").File("two", "2").Build());
    EXPECT_TRUE(zip.ExtractSingleFile(2, out, true, false).Value());
    EXPECT_EQ(Listing(), std::vector<std::string>{"two"});
    EXPECT_EQ(events.percents, (std::vector<int32_t>{100, 100}));
    for (int32_t number : {0, 3, -1}) {
        events.Clear();
        events.onProgress = [](int32_t, bool& cancel) { cancel = true; }; // not looked at
        EXPECT_TRUE(zip.ExtractSingleFile(number, out, true, false).Value());
        EXPECT_EQ(events.percents, (std::vector<int32_t>{100, 100}));
        EXPECT_EQ(events.lines.back(), "status: Extraction terminée");
    }
    EXPECT_EQ(Listing(), std::vector<std::string>{"two"});
}

TEST_F(ZipExtractTest, MissingDestinationChainIsCreatedFirst) {
    Open(ZipWriter().File("a.txt", "a").Build());
    const std::string deep = folder.Sub("x/y/z");
    EXPECT_TRUE(zip.ExtractAllFiles(deep, false, false).Value());
    EXPECT_EQ(FileContent(deep + kSep + "a.txt"), "a");
}

TEST_F(ZipExtractTest, ArchiveWithoutFilesStillReportsStartAndEnd) {
    Open(ZipWriter().Folder("only/").Build());
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(events.lines, (std::vector<std::string>{"status: Début d'extraction",
                                                      "status: Extraction terminée"}));
}

TEST_F(ZipExtractTest, NothingOpenOrNoFolderEndsBeforeTheWalk) {
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(events.lines,
              (std::vector<std::string>{"status: Début d'extraction",
                                        "error 3: Il n'y a pas de fichier Zip ouvert"}));
    Open(ZipWriter().File("a", "a").Build());
    const std::string blocked = folder.Write("file", "x") + kSep + "below";
    EXPECT_FALSE(zip.ExtractSingleFile(1, blocked, true, false).Value());
    EXPECT_EQ(events.lines.back(), "error 13: Impossible de créer le répertoire " + blocked);
}

// One part of a split archive holds too little to extract from: it does not open.
TEST_F(ZipExtractTest, EndRecordNamingTwoDisksIsRefusedAtOpening) {
    auto layout = ZipWriter().File("a", "a").Build();
    PutU16(layout.bytes, layout.endRecordOffset + 4, 1); // this disk 1, directory on disk 0
    PutU32(layout.bytes, layout.centralOffsets[0] + kCentralLocalOffset, 2); // entry elsewhere
    const std::string path = folder.Write("test.zip", layout.bytes);
    EXPECT_FALSE(zip.ZipOpen(path).Value());
    EXPECT_EQ(events.lines.back(),
              "error 18: Le fichier " + path + " est un Zip en plusieurs parties");
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_FALSE(IsFile(Target("a")));
}

TEST_F(ZipExtractTest, AlteredDeflatedDataIsErrorFiveAndWritesNothing) {
    auto layout = ZipWriter().File("pic.png", std::string(2000, 'p')).File("ok.txt", "ok").Build();
    layout.bytes[layout.localOffsets[0] + kLocalHeaderLength + 7 + 2] ^= 0x55;
    Open(layout);
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, false).Value()); // an entry was left out
    EXPECT_EQ(events.errors, (std::vector<std::pair<int32_t, std::string>>{
                                 {5, "Erreur de checksum dans " + Target("pic.png")}}));
    EXPECT_EQ(Listing(), std::vector<std::string>{"ok.txt"});
}

TEST_F(ZipExtractTest, StoredDataWithAWrongCrcIsWrittenAllTheSame) {
    auto layout = ZipWriter().File("s.txt", "stored text", 0).Build();
    PutU32(layout.bytes, layout.localOffsets[0] + kLocalCrc, 0xDEADBEEF);
    PutU32(layout.bytes, layout.centralOffsets[0] + kCentralCrc, 0xDEADBEEF);
    Open(layout);
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(FileContent(Target("s.txt")), "stored text");
    EXPECT_TRUE(events.errors.empty());
}

TEST_F(ZipExtractTest, UnknownMethodIsErrorFourNamingTheLocalName) {
    Open(ZipWriter().File("sub/x.bin", "data", 14).File("y", "y").Build());
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, false).Value()); // an entry was left out
    EXPECT_EQ(events.errors,
              (std::vector<std::pair<int32_t, std::string>>{
                  {4, "La méthode de compression pour sub/x.bin n'est pas supportée"}}));
    EXPECT_EQ(Listing(), (std::vector<std::string>{"sub", "y"}));
}

TEST_F(ZipExtractTest, LocalHeaderWithoutSignatureIsADamagedEntryNamedInErrorSeventeen) {
    auto layout = ZipWriter().File("a", "a").File("b", "b").Build();
    PutU32(layout.bytes, layout.localOffsets[0], 0x12345678);
    Open(layout);
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(events.errors, (std::vector<std::pair<int32_t, std::string>>{
                                 {17, "Le fichier a est endommagé dans le Zip"}}));
    EXPECT_EQ(Listing(), std::vector<std::string>{"b"});
}

TEST_F(ZipExtractTest, DataDescriptorEntriesTakeTheirSizesFromTheDirectory) {
    ZipWriterEntry deflated{"deflated.txt", std::string(3000, 'd')};
    deflated.dataDescriptor = true;
    ZipWriterEntry stored{"stored.txt", "plain", 0};
    stored.dataDescriptor = true;
    Open(ZipWriter().Add(deflated).Add(stored).Build());
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_TRUE(events.errors.empty());
    EXPECT_EQ(FileContent(Target("deflated.txt")), deflated.content);
    EXPECT_EQ(FileContent(Target("stored.txt")), "plain");
}

TEST_F(ZipExtractTest, LocalNamesAndExtraFieldsLongerThanTheDirectorySaysAreReadWhole) {
    ZipWriterEntry small{"small.txt", "tiny"};
    small.localExtra = std::string(3000, 'x');
    ZipWriterEntry large{"large.bin", std::string(50000, 'l'), 0};
    large.localExtra = std::string(600, 'y');
    ZipWriterEntry odd{"m", "m", 14};
    odd.localName = std::string(400, 'n');
    Open(ZipWriter().Add(small).Add(large).Add(odd).Build());
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, false).Value()); // an entry was left out
    EXPECT_EQ(events.errors,
              (std::vector<std::pair<int32_t, std::string>>{{4, MethodName(odd.localName)}}));
    EXPECT_EQ(FileContent(Target("small.txt")), "tiny");
    EXPECT_EQ(FileContent(Target("large.bin")), large.content);
}

TEST_F(ZipExtractTest, TargetThatCannotBeWrittenEndsTheCallAndLeavesNoTemporary) {
    Open(ZipWriter().File("taken", "t").Build());
    folder.MakeDir("out/taken/inside");
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, true).Failed(FailureCause::System));
    EXPECT_EQ(Listing(), (std::vector<std::string>{"taken", "taken/inside"}));
    EXPECT_FALSE(events.Has("status: Extraction terminée"));
}

// The user is told which folder could not be made, not which file.
TEST_F(ZipExtractTest, AFolderThatCannotBeMadeEndsTheCallNamingTheFolder) {
    Open(ZipWriter().File("d/a", "a").Build());
    const std::string blocker = folder.Write("out/d", "a file where the folder goes");
    const Result<bool> extracted = zip.ExtractAllFiles(out, true, false);
    ASSERT_FALSE(extracted.Ok()) << "the extraction went on";
    EXPECT_EQ(extracted.Error().what, "Impossible de créer le répertoire " + blocker);
}

TEST_F(ZipExtractTest, AFullDiskKeepsTheOldFilesWholeAndLeavesNoTemporary) {
    // Existing files kept, as the unzip window asks.
    Open(ZipWriter().File("old.png", "new").File("big.png", std::string(256 * 1024, 'b')).Build());
    folder.Write("out/old.png", "old");
    {
        FileSizeLimit fullDisk(64 * 1024);
        if (!fullDisk.Active())
            GTEST_SKIP() << kNoFullDisk;
        EXPECT_TRUE(zip.ExtractAllFiles(out, true, false).Failed(FailureCause::System));
    }
    EXPECT_EQ(FileContent(Target("old.png")), "old");
    EXPECT_EQ(Listing(), std::vector<std::string>{"old.png"});
}

TEST_F(ZipExtractTest, AFullDiskNeverCostsTheFileAnEntryWouldReplace) {
    Open(ZipWriter().File("big.png", std::string(256 * 1024, 'b')).Build());
    folder.Write("out/big.png", "old");
    {
        FileSizeLimit fullDisk(64 * 1024);
        if (!fullDisk.Active())
            GTEST_SKIP() << kNoFullDisk;
        EXPECT_TRUE(zip.ExtractAllFiles(out, true, true).Failed(FailureCause::System));
    }
    EXPECT_EQ(FileContent(Target("big.png")), "old");
    EXPECT_EQ(Listing(), std::vector<std::string>{"big.png"});
}

TEST_F(ZipExtractTest, ExtractionYieldsToTheWindowsAtEveryPass) {
    Open(ZipWriter().Folder("d/").File("d/a", "a").File("d/b", "b").Build());
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_GE(events.yields, 3);
}

} // namespace
