// Archives as other tools write them: ZIP64 records and extra fields, bytes
// in front of the archive, encrypted entries, large entries; and ZIP64
// records that lie. Archives made by python3 and Info-ZIP need those tools,
// which the Windows build cannot drive: those tests skip there.
#include "services/FileUtils.h"
#include "services/PathText.h"
#include "support/AddressSpaceLimit.h"
#include "support/TempFolder.h"
#include "support/ZipEventLog.h"
#include "support/ZipWriter.h"
#include "zip/ZipExtractionClass.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

void Append(std::string& bytes, uint64_t value, int width) {
    for (int i = 0; i < width; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

using Files = std::vector<std::pair<std::string, std::string>>;

// A deflated archive whose every size and offset lives in ZIP64 fields, its
// 32-bit fields all markers, as writers that force ZIP64 make them.
struct Zip64Archive {
    std::string bytes;
    uint64_t directoryOffset = 0;
    uint64_t zip64RecordOffset = 0;
    uint64_t locatorOffset = 0;
    std::vector<uint64_t> centralOffsets;

    explicit Zip64Archive(const Files& files) {
        std::string directory;
        for (const auto& [name, content] : files) {
            const uint64_t local = bytes.size();
            const std::string data = RawDeflate(content);
            Header(bytes, 0x04034B50, name, content, false);
            Append(bytes, 1, 2), Append(bytes, 16, 2);
            Append(bytes, content.size(), 8), Append(bytes, data.size(), 8);
            bytes += data;
            centralOffsets.push_back(directory.size());
            Header(directory, 0x02014B50, name, content, true);
            Append(directory, 1, 2), Append(directory, 24, 2);
            Append(directory, content.size(), 8), Append(directory, data.size(), 8);
            Append(directory, local, 8);
        }
        directoryOffset = bytes.size();
        bytes += directory;
        zip64RecordOffset = bytes.size();
        Append(bytes, 0x06064B50, 4), Append(bytes, 44, 8), Append(bytes, 45, 2);
        Append(bytes, 45, 2), Append(bytes, 0, 4), Append(bytes, 0, 4);
        Append(bytes, files.size(), 8), Append(bytes, files.size(), 8);
        Append(bytes, directory.size(), 8), Append(bytes, directoryOffset, 8);
        locatorOffset = bytes.size();
        Append(bytes, 0x07064B50, 4), Append(bytes, 0, 4);
        Append(bytes, zip64RecordOffset, 8), Append(bytes, 1, 4);
        Append(bytes, 0x06054B50, 4), Append(bytes, 0, 4), Append(bytes, 0xFFFFFFFF, 4);
        Append(bytes, 0xFFFFFFFF, 4), Append(bytes, 0xFFFFFFFF, 4), Append(bytes, 0, 2);
    }
    // Offsets of the ZIP64 end record's count and directory offset.
    uint64_t TotalRecordsField() const { return zip64RecordOffset + 32; }
    uint64_t DirectoryOffsetField() const { return zip64RecordOffset + 48; }

  private:
    static void Header(std::string& out, uint32_t signature, const std::string& name,
                       const std::string& content, bool central) {
        Append(out, signature, 4);
        if (central)
            Append(out, 45, 2);
        Append(out, 45, 2), Append(out, 0, 2), Append(out, 8, 2); // version, flags, deflated
        Append(out, 0x73DD3B62, 4), Append(out, Crc32Of(content), 4);
        Append(out, 0xFFFFFFFF, 4), Append(out, 0xFFFFFFFF, 4);
        Append(out, name.size(), 2), Append(out, central ? 28 : 20, 2);
        // Comment length, disk, attributes, then the offset.
        if (central)
            Append(out, 0, 6), Append(out, 0, 4), Append(out, 0xFFFFFFFF, 4);
        out += name;
    }
};

class Zip64Test : public ::testing::Test {
  protected:
    TempFolder folder;
    ZipExtractionClass zip;
    ZipEventLog events{zip};
    std::string archive = folder.Sub("test.zip");
    std::string out = folder.Sub("out");

    bool Open(const std::string& bytes) {
        zip.ZipClose(); // Windows keeps an open file from being written over
        folder.Write("test.zip", bytes);
        return zip.ZipOpen(archive).Value();
    }
    std::string Target(const std::string& relative) const { return out + kSep + relative; }
    bool NoTemporaryLeft() const {
        for (const auto& entry : std::filesystem::directory_iterator(FsPath(out)))
            if (entry.path().filename().u8string().find(u8".tmp-") != std::u8string::npos)
                return false;
        return true;
    }
};

TEST_F(Zip64Test, SizesOffsetsAndCountComeFromTheZip64Fields) {
    const Zip64Archive made(Files{{"a.txt", "alpha"}, {"dir/b.txt", std::string(3000, 'b')}});
    ASSERT_TRUE(Open(made.bytes));
    ASSERT_EQ(zip.FileCount(), 2);
    EXPECT_EQ(zip.FileUncompressedSize(2), 3000);
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_TRUE(events.errors.empty());
    EXPECT_EQ(FileContent(Target("a.txt")), "alpha");
    EXPECT_EQ(FileContent(Target(Native("dir/b.txt"))), std::string(3000, 'b'));
}

// A self-extracting program or padding in front: offsets are unchanged, so
// every one of them is moved by the length of what is in front.
TEST_F(Zip64Test, BytesInFrontMoveEveryOffset) {
    const std::string prefix(4096, '\x90');
    const auto plain = ZipWriter().File("one.txt", "one").File("two.bin", "22", 0).Build();
    ASSERT_TRUE(Open(prefix + plain.bytes));
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(FileContent(Target("one.txt")), "one");
    EXPECT_EQ(FileContent(Target("two.bin")), "22");

    const Zip64Archive wide(Files{{"w.txt", "wide"}});
    ASSERT_TRUE(Open(prefix + wide.bytes));
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(FileContent(Target("w.txt")), "wide");
    EXPECT_TRUE(events.errors.empty());
}

TEST_F(Zip64Test, BytesInFrontThatLeadNowhereRefuseTheArchive) {
    auto layout = ZipWriter().File("one.txt", "one").Build();
    // Shorter than it is, the directory seems to have bytes in front; moved
    // by them, and as stated, its offset leads to no record.
    PutU32(layout.bytes, layout.endRecordOffset + 12, 20);
    PutU32(layout.bytes, layout.endRecordOffset + kEndDirectoryOffset,
           static_cast<uint32_t>(layout.directoryOffset + 1));
    EXPECT_FALSE(Open(layout.bytes));
    EXPECT_FALSE(zip.ZipIsOpen());
    EXPECT_EQ(events.ErrorNumbers(), std::vector<int32_t>{2});
}

TEST_F(Zip64Test, PartsOfASplitArchiveAreRefusedAtOpening) {
    auto layout = ZipWriter().File("a", "a").Build();
    PutU16(layout.bytes, layout.endRecordOffset + 6, 1); // directory on the second part
    // whose entry lies on the first
    PutU32(layout.bytes, layout.centralOffsets[0] + kCentralLocalOffset, 1);
    ASSERT_FALSE(Open(layout.bytes));
    EXPECT_FALSE(zip.ZipIsOpen());
    EXPECT_EQ(events.errors.back(),
              std::make_pair(18, "Le fichier " + archive + " est un Zip en plusieurs parties"));
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, false).Value());

    Zip64Archive spanned(Files{{"a", "a"}});
    PutU32(spanned.bytes, spanned.locatorOffset + 16, 3); // three parts,
    PutU32(spanned.bytes, spanned.zip64RecordOffset, 0);  // the ZIP64 record on another
    EXPECT_FALSE(Open(spanned.bytes));
    EXPECT_EQ(events.errors.back().first, 18);
}

// ZIP64 records that contradict the file: refused at opening, with nothing
// sized by the number they state.
TEST_F(Zip64Test, LyingZip64RecordsRefuseTheArchive) {
    Zip64Archive counted(Files{{"a", "a"}, {"b", "b"}});
    PutU32(counted.bytes, counted.TotalRecordsField(), 0xFFFFFFF0u);
    PutU32(counted.bytes, counted.TotalRecordsField() + 4, 0x0FFFFFFF);
    EXPECT_FALSE(Open(counted.bytes));
    EXPECT_EQ(events.ErrorNumbers().back(), 2);

    Zip64Archive lost(Files{{"a", "a"}});
    PutU32(lost.bytes, lost.locatorOffset + 8, 3); // the locator points at a local header
    PutU32(lost.bytes, lost.zip64RecordOffset, 0x12345678);
    EXPECT_FALSE(Open(lost.bytes));
    EXPECT_EQ(events.ErrorNumbers().back(), 2);

    Zip64Archive far(Files{{"a", "a"}});
    PutU32(far.bytes, far.DirectoryOffsetField() + 4, 0x100);
    EXPECT_FALSE(Open(far.bytes));
    EXPECT_FALSE(zip.ZipIsOpen());

    Zip64Archive thousand(Files{{"a", "a"}, {"b", "b"}});
    PutU32(thousand.bytes, thousand.TotalRecordsField(), 1000);
    EXPECT_FALSE(Open(thousand.bytes));
    EXPECT_EQ(events.ErrorNumbers().back(), 2);
}

// Ten million records claimed by a directory as large as that would need,
// in an archive of a few hundred bytes: opening it must cost what the file
// holds, not what its records claim.
TEST_F(Zip64Test, MemoryAtOpeningIsBoundedByTheFileNotByItsClaims) {
    Zip64Archive claiming(Files{{"a", "a"}});
    PutU32(claiming.bytes, claiming.TotalRecordsField(), 10'000'000);
    PutU32(claiming.bytes, claiming.TotalRecordsField() + 8, 10'000'000 * 46);
    folder.Write("test.zip", claiming.bytes);
    const auto refused = RunWithAddressSpaceLimit(64 * 1024 * 1024, [&] {
        ZipExtractionClass child;
        return !child.ZipOpen(archive).Value();
    });
    if (!refused)
        GTEST_SKIP() << kNoAddressSpaceLimit;
    EXPECT_TRUE(*refused);
}

// Entries the engine cannot write right are refused by name; the others are
// written; the call does not report success.
TEST_F(Zip64Test, ShortZip64ExtraFieldIsADamagedEntry) {
    Zip64Archive made(Files{{"short.txt", "short"}, {"fine.txt", "fine"}});
    // The block holds none of the three values its markers ask for; the
    // entry is listed all the same, never taken for an empty file.
    PutU16(made.bytes, made.directoryOffset + made.centralOffsets[0] + 46 + 9 + 2, 0);
    ASSERT_TRUE(Open(made.bytes));
    EXPECT_EQ(zip.FileCount(), 2);
    events.Clear();
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(events.errors, (std::vector<std::pair<int32_t, std::string>>{
                                 {17, "Le fichier short.txt est endommagé dans le Zip"}}));
    EXPECT_EQ(FileContent(Target("fine.txt")), "fine");
    EXPECT_FALSE(IsFile(Target("short.txt")));
}

TEST_F(Zip64Test, NoLocalHeaderOrAnotherLengthThereIsADamagedEntry) {
    auto layout =
        ZipWriter().File("gone.txt", "gone").File("long.txt", "long", 0).File("ok", "ok").Build();
    PutU32(layout.bytes, layout.localOffsets[0], 0x08074B50);
    PutU32(layout.bytes, layout.localOffsets[1] + kLocalCompressedSize, 3);
    ASSERT_TRUE(Open(layout.bytes));
    events.Clear();
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, false).Value());
    ASSERT_EQ(events.ErrorNumbers(), (std::vector<int32_t>{17, 17}));
    EXPECT_EQ(events.errors[1].second, "Le fichier long.txt est endommagé dans le Zip");
    EXPECT_EQ(FileContent(Target("ok")), "ok");
}

TEST_F(Zip64Test, EncryptedEntriesAreRefusedAsSuchStoredOrDeflated) {
    ZipWriter writer;
    writer.Add({.name = "stored.bin", .content = "ciphertext", .method = 0, .flags = 0x0001});
    writer.Add({.name = "deflated.bin", .content = std::string(500, 'd'), .flags = 0x0001});
    writer.Add({.name = "strong.bin", .content = "strong", .flags = 0x0040});
    writer.File("plain.txt", "plain");
    ASSERT_TRUE(Open(writer.Build().bytes));
    events.Clear();
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(events.errors, (std::vector<std::pair<int32_t, std::string>>{
                                 {16, "Le fichier stored.bin est chiffré"},
                                 {16, "Le fichier deflated.bin est chiffré"},
                                 {16, "Le fichier strong.bin est chiffré"}}));
    EXPECT_EQ(FileContent(Target("plain.txt")), "plain");
    EXPECT_FALSE(IsFile(Target("stored.bin")));
}

// A file kept because it was there is no entry left out.
TEST_F(Zip64Test, OnlyRefusedEntriesMakeTheWalkFail) {
    folder.Write("out/kept.txt", "old");
    ASSERT_TRUE(Open(ZipWriter().File("kept.txt", "new").File("other", "x").Build().bytes));
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(events.ErrorNumbers(), std::vector<int32_t>{11});
}

// Entries past the size read ahead in memory go through fixed buffers.
TEST_F(Zip64Test, LargeEntriesAreStreamedAndCheckedAsTheyGo) {
    std::string large;
    uint32_t seed = 1;
    for (int i = 0; i < 3 * 1024 * 1024; ++i) {
        seed = seed * 1103515245u + 12345u;
        large += static_cast<char>(seed >> 16);
    }
    auto layout =
        ZipWriter().File("large.bin", large).File("stored.bin", large, 0).File("s", "s").Build();
    ASSERT_TRUE(Open(layout.bytes));
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_TRUE(FileContent(Target("large.bin")) == large);
    EXPECT_TRUE(FileContent(Target("stored.bin")) == large);

    layout.bytes[layout.localOffsets[0] + kLocalHeaderLength + 9 + 2000000] ^= 0x55;
    std::filesystem::remove_all(FsPath(out));
    ASSERT_TRUE(Open(layout.bytes));
    events.Clear();
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, false).Value());
    ASSERT_FALSE(events.errors.empty());
    EXPECT_EQ(events.errors.front(),
              std::make_pair(5, "Erreur de checksum dans " + Target("large.bin")));
    EXPECT_FALSE(IsFile(Target("large.bin")));
    EXPECT_TRUE(NoTemporaryLeft());
}

// Archives written by python3's zipfile and Info-ZIP's zip.
class Zip64ToolsTest : public Zip64Test {
  protected:
    void SetUp() override {
        if (std::system("python3 -c 1 >/dev/null 2>&1") != 0 ||
            std::system("command -v zip >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "python3 and Info-ZIP zip are needed";
    }
    void Python(const std::string& script) {
        const std::string path = folder.Write("make.py", script);
        ASSERT_EQ(std::system(("cd '" + folder.Path() + "' && python3 '" + path + "'").c_str()), 0);
    }
    void Shell(const std::string& command) {
        ASSERT_EQ(std::system(("cd '" + folder.Path() + "' && " + command).c_str()), 0) << command;
    }
};

TEST_F(Zip64ToolsTest, SeventyThousandEntriesAreAllListedAndReached) {
    Python("import zipfile\n"
           "with zipfile.ZipFile('test.zip', 'w') as z:\n"
           "    for i in range(1, 70001): z.writestr('f%d' % i, str(i))\n");
    ASSERT_TRUE(zip.ZipOpen(archive).Value());
    ASSERT_EQ(zip.FileCount(), 70000);
    EXPECT_EQ(zip.FileName(70000), "f70000");
    events.Clear();
    EXPECT_TRUE(zip.ExtractSingleFile(70000, out, true, false).Value());
    EXPECT_EQ(FileContent(Target("f70000")), "70000");
    EXPECT_EQ(events.percents.size(), 70000u);
}

TEST_F(Zip64ToolsTest, ForcedZip64WrittenToAPipeExtracts) {
    Python("import sys, zipfile\n"
           "class Pipe:\n"
           "    def __init__(s, f): s.f = f\n"
           "    def write(s, b): return s.f.write(b)\n"
           "    def flush(s): s.f.flush()\n"
           "with zipfile.ZipFile(Pipe(open('test.zip', 'wb')), 'w', zipfile.ZIP_DEFLATED) as z:\n"
           "    for name in ('a.txt', 'sub/b.txt'):\n"
           "        with z.open(name, 'w', force_zip64=True) as f: f.write(name.encode() * 999)\n");
    ASSERT_TRUE(zip.ZipOpen(archive).Value());
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_TRUE(events.errors.empty());
    EXPECT_EQ(FileContent(Target("a.txt")).size(), 5 * 999u);
    EXPECT_EQ(FileContent(Target(Native("sub/b.txt"))).substr(0, 9), "sub/b.txt");
}

TEST_F(Zip64ToolsTest, InfoZipForcedZip64Extracts) {
    folder.Write("in/notes.txt", std::string(40000, 'n'));
    Shell("cd in && zip -q -fz ../test.zip notes.txt && cat notes.txt | zip -q -fz ../test.zip -");
    ASSERT_TRUE(zip.ZipOpen(archive).Value());
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(FileContent(Target("notes.txt")), std::string(40000, 'n'));
    EXPECT_EQ(FileContent(Target("-")), std::string(40000, 'n'));
}

TEST_F(Zip64ToolsTest, PasswordProtectedEntriesAreRefusedAndNothingIsWritten) {
    folder.Write("in/stored.txt", "secret stored");
    folder.Write("in/deflated.txt", std::string(5000, 's'));
    Shell(
        "cd in && zip -q -0 -P pw ../test.zip stored.txt && zip -q -P pw ../test.zip deflated.txt");
    ASSERT_TRUE(zip.ZipOpen(archive).Value());
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(events.ErrorNumbers(), (std::vector<int32_t>{16, 16}));
    EXPECT_TRUE(std::filesystem::is_empty(FsPath(out)));
}

// bzip2 is read where the build has libbz2; its streams are checked as
// deflated ones are.
TEST_F(Zip64ToolsTest, Bzip2EntriesAreReadAndChecked) {
    Python("import zipfile, random\n"
           "random.seed(3)\n"
           "big = bytes(random.getrandbits(8) for _ in range(2 * 1024 * 1024))\n"
           "with zipfile.ZipFile('test.zip', 'w', zipfile.ZIP_BZIP2) as z:\n"
           "    z.writestr('small.txt', 'bzip2 ' * 100)\n"
           "    z.writestr('big.bin', big)\n"
           "open('big.bin', 'wb').write(big)\n"
           "data = bytearray(open('test.zip', 'rb').read())\n"
           "info = zipfile.ZipFile('test.zip').getinfo('big.bin')\n"
           "data[info.header_offset + 30 + 7 + len(info.extra) + 100000] ^= 1\n"
           "open('damaged.zip', 'wb').write(data)\n");
    ASSERT_TRUE(zip.ZipOpen(archive).Value());
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_TRUE(events.errors.empty());
    EXPECT_EQ(FileContent(Target("small.txt")).size(), 600u);
    EXPECT_TRUE(FileContent(Target("big.bin")) == FileContent(folder.Sub("big.bin")));

    std::filesystem::remove_all(FsPath(out));
    ASSERT_TRUE(zip.ZipOpen(folder.Sub("damaged.zip")).Value());
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(events.errors, (std::vector<std::pair<int32_t, std::string>>{
                                 {5, "Erreur de checksum dans " + Target("big.bin")}}));
    EXPECT_FALSE(IsFile(Target("big.bin")));
    EXPECT_TRUE(NoTemporaryLeft());
}

TEST_F(Zip64ToolsTest, ArchiveAppendedToOtherBytesExtracts) {
    folder.Write("in/a.txt", "appended");
    Shell("cd in && zip -q ../plain.zip a.txt && head -c 5000 /dev/urandom > ../test.zip && "
          "cat ../plain.zip >> ../test.zip");
    ASSERT_TRUE(zip.ZipOpen(archive).Value());
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(FileContent(Target("a.txt")), "appended");
}

} // namespace
