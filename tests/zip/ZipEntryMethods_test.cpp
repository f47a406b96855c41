// Entry data past what is held in memory, and methods this engine does not
// read: every byte checked, every refusal named, no file left half-written.
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

constexpr uint64_t kLocalUncompressedSize = 22;
constexpr uint32_t kMiB = 1024 * 1024;

std::string Scrambled(std::size_t length) {
    std::string bytes(length, '\0');
    uint32_t seed = 7;
    for (char& byte : bytes) {
        seed = seed * 1103515245u + 12345u;
        byte = static_cast<char>(seed >> 16);
    }
    return bytes;
}

class ZipEntryMethodsTest : public ::testing::Test {
  protected:
    TempFolder folder;
    ZipExtractionClass zip;
    ZipEventLog events{zip};
    std::string out = folder.Sub("out");

    void Open(const std::string& bytes) {
        ASSERT_TRUE(zip.ZipOpen(folder.Write("methods.zip", bytes)).Value());
        events.Clear();
    }
    std::string Target(const std::string& name) const { return out + kSep + name; }
    // Files and drafts alike.
    std::size_t FilesWritten() const {
        std::size_t count = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(FsPath(out)))
            ++count;
        return count;
    }
};

TEST_F(ZipEntryMethodsTest, EntriesOfAnUnknownMethodAreNamedSmallOrLarge) {
    const auto layout = ZipWriter()
                            .File("lzma.bin", "not really lzma", 14)
                            .File("ppmd.bin", Scrambled(2 * kMiB), 98)
                            .File("plain.txt", "plain")
                            .Build();
    Open(layout.bytes);
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(events.errors,
              (std::vector<std::pair<int32_t, std::string>>{
                  {4, "La méthode de compression pour lzma.bin n'est pas supportée"},
                  {4, "La méthode de compression pour ppmd.bin n'est pas supportée"}}));
    EXPECT_EQ(FileContent(Target("plain.txt")), "plain");
    EXPECT_EQ(FilesWritten(), 1u);
}

TEST_F(ZipEntryMethodsTest, LargeStoredEntriesAreCheckedAsTheyStream) {
    const std::string large = Scrambled(2 * kMiB);
    auto layout = ZipWriter().File("stored.bin", large, 0).File("next.txt", "next").Build();
    layout.bytes[layout.localOffsets[0] + kLocalHeaderLength + 10 + kMiB + 5] ^= 0x01;
    Open(layout.bytes);
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(events.errors, (std::vector<std::pair<int32_t, std::string>>{
                                 {5, "Erreur de checksum dans " + Target("stored.bin")}}));
    EXPECT_FALSE(IsFile(Target("stored.bin")));
    EXPECT_EQ(FilesWritten(), 1u);
}

// Decoding stops at the stated size: a stream that gives more never fills
// the disk. Under a file-size limit, a decoder that went on would fail the
// write instead of naming the entry.
TEST_F(ZipEntryMethodsTest, InflatingStopsAtTheStatedSize) {
    auto layout = ZipWriter().File("zeros.bin", std::string(32 * kMiB, '\0')).Build();
    PutU32(layout.bytes, layout.centralOffsets[0] + kCentralUncompressedSize, 2 * kMiB);
    PutU32(layout.bytes, layout.localOffsets[0] + kLocalUncompressedSize, 2 * kMiB);
    Open(layout.bytes);
    {
        FileSizeLimit limit(4 * kMiB);
        if (!limit.Active())
            GTEST_SKIP() << kNoFullDisk;
        EXPECT_FALSE(zip.ExtractAllFiles(out, true, false).Value());
    }
    EXPECT_EQ(events.errors, (std::vector<std::pair<int32_t, std::string>>{
                                 {5, "Erreur de checksum dans " + Target("zeros.bin")}}));
    EXPECT_EQ(FilesWritten(), 0u);
}

} // namespace
