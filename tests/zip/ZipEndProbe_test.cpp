#include "support/TempFolder.h"
#include "support/ZipWriter.h"
#include "zip/ZipEndProbe.h"

#include <gtest/gtest.h>

namespace {

const std::string kSignature("PK\x05\x06", 4);
constexpr size_t kBlock = 64 * 1024;

struct ProbeRow {
    const char* name;
    std::string content;
    bool found;
};

void PrintTo(const ProbeRow& row, std::ostream* out) {
    *out << row.name;
}

std::string Filler(size_t count) {
    return std::string(count, 'x');
}

class ZipEndProbeTest : public ::testing::TestWithParam<ProbeRow> {};

TEST_P(ZipEndProbeTest, FindsTheSignatureWhereverItLies) {
    const TempFolder folder;
    EXPECT_EQ(HasZipEndRecord(folder.Write("body", GetParam().content)), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, ZipEndProbeTest,
    ::testing::Values(
        ProbeRow{"Archive", ZipWriter().File("a.png", "picture", 0).Build().bytes, true},
        ProbeRow{"AtTheStart", kSignature + Filler(20), true},
        ProbeRow{"AtTheStartOfALongFile", kSignature + Filler(kBlock + 2), true},
        ProbeRow{"FarFromTheEnd", Filler(10) + kSignature + Filler(3 * kBlock), true},
        ProbeRow{"AcrossABlockBoundary", Filler(kBlock) + kSignature + Filler(kBlock - 2), true},
        ProbeRow{"Empty", "", false}, ProbeRow{"ShorterThanASignature", "PK\x05", false},
        ProbeRow{"HtmlPage", "<html><body>Not here</body></html>", false},
        ProbeRow{"OtherRecordsOnly",
                 ZipWriter().File("a.png", "picture", 0).Build().bytes.substr(0, 60), false},
        ProbeRow{"SplitSignatureAtTheEnd", Filler(kBlock) + "PK\x05", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ZipEndProbeMissingTest, AFileThatCannotBeReadHasNoEndRecord) {
    const TempFolder folder;
    EXPECT_FALSE(HasZipEndRecord(folder.Sub("absent.zip")));
    EXPECT_FALSE(HasZipEndRecord(folder.MakeDir("a-folder")));
}

} // namespace
