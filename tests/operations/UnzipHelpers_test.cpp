#include "app/ProgramState.h"
#include "operations/UnzipHelpers.h"
#include "services/RegionalFormat.h"
#include "support/Environment.h"
#include "support/MachineScope.h"
#include "support/TempFolder.h"
#include "support/ZipWriter.h"
#include "zip/ZipExtractionClass.h"

#include <gtest/gtest.h>

namespace {

class UnzipHelpersTest : public ::testing::Test {
  protected:
    TempFolder folder;
    MachineScope machine{folder.Path()};
    ZipExtractionClass zip;
    ProgramState program;
    std::string out = folder.MakeDir("out");

    void Open(const ZipWriter& writer) {
        std::string destination = out;
        PrepareUnzip(program, folder.Write("archive.zip", writer.Build().bytes), destination);
        ASSERT_TRUE(zip.ZipOpen(program.ZipArchivePath).Value());
    }
};

TEST_F(UnzipHelpersTest, DestinationLosesOneTrailingSeparatorAndEmptyMeansTheProgramFolder) {
    std::string withSeparator = out + kSep;
    PrepareUnzip(program, "a.zip", withSeparator);
    const std::string fromSeparated = program.ExtractFolder;
    std::string without = out;
    PrepareUnzip(program, "a.zip", without);
    EXPECT_EQ(fromSeparated, program.ExtractFolder);
    EXPECT_EQ(program.ExtractFolder, out);
    EXPECT_EQ(withSeparator, out + kSep) << "the caller's text is kept";

    std::string empty;
    PrepareUnzip(program, "b.zip", empty);
    EXPECT_EQ(empty, folder.Path());
    EXPECT_EQ(program.ExtractFolder, folder.Path());
    EXPECT_EQ(program.ZipArchivePath, "b.zip");
}

TEST_F(UnzipHelpersTest, NamedEntryIsExtractedWithoutItsFolderReplacingAnOldFile) {
    Open(ZipWriter().File("pics/Alpha.png", "new alpha").File("Beta.png", "beta"));
    folder.Write("out/Alpha.png", "old");
    program.ExtractSelector = "PICS/ALPHA.PNG";
    EXPECT_TRUE(ExtractNamedEntry(zip, program).Value());
    EXPECT_EQ(FileContent(out + Native("/Alpha.png")), "new alpha");
    EXPECT_FALSE(std::filesystem::exists(out + Native("/pics")));
    program.ExtractSelector = "Alpha.png";
    EXPECT_FALSE(ExtractNamedEntry(zip, program).Value()) << "the whole name must match";
}

TEST_F(UnzipHelpersTest, EntriesByEndingCountWhatWasExtractedOrSayNoneMatched) {
    Open(ZipWriter().File("a/One.PNG", "1").File("b/two.png", "2").File("three.txt", "3"));
    program.ExtractSelector = ".png";
    EXPECT_EQ(ExtractEntriesEndingWith(zip, program).Value(), 2);
    EXPECT_EQ(FileContent(out + Native("/One.PNG")), "1");
    EXPECT_EQ(FileContent(out + Native("/two.png")), "2");
    program.ExtractSelector = ".jpg";
    EXPECT_EQ(ExtractEntriesEndingWith(zip, program).Value(), -1);
    program.ExtractSelector = "";
    EXPECT_EQ(ExtractEntriesEndingWith(zip, program).Value(), 3)
        << "an empty ending matches every entry";
    EXPECT_EQ(FileContent(out + Native("/three.txt")), "3");
}

TEST_F(UnzipHelpersTest, ListingGivesOneLinePerFileInTheRegionalFormats) {
    const EnvironmentScope cLocale("LC_ALL", "C");
    Open(ZipWriter().Folder("a/").File("a/b.txt", "hello", 0).File("c.txt", "world!", 0));
    const std::string listing = ArchiveListing(zip);
    // "11/02/09 14:30:58" in the C locale; Windows writes the user's format.
    const std::string when = RegionalGeneralDate(2009, 11, 2, 14, 30, 58);
    EXPECT_EQ(listing, Native("a/b.txt|") + when +
                           "|5 octets (compress\u00e9)|5 octets "
                           "(d\u00e9compress\u00e9)| Taux = 1\r\n"
                           "c.txt|" +
                           when +
                           "|6 octets (compress\u00e9)|6 octets "
                           "(d\u00e9compress\u00e9)| Taux = 1\r\n");
}

TEST_F(UnzipHelpersTest, ListingRatioOfADeflatedEntryIsUncompressedOverCompressed) {
    const EnvironmentScope cLocale("LC_ALL", "C");
    const std::string content(4000, 'a');
    Open(ZipWriter().File("big.txt", content));
    const std::string listing = ArchiveListing(zip);
    const int64_t compressed = zip.FileCompressedSize(1);
    ASSERT_LT(compressed, 4000);
    // Written with the user's decimal separator, read here with the C one.
    std::string ratio = listing.substr(listing.find("Taux = ") + 7);
    const std::string separator = RegionalDecimalSeparator();
    if (const size_t at = ratio.find(separator); at != std::string::npos)
        ratio.replace(at, separator.size(), ".");
    EXPECT_NEAR(std::stod(ratio), 4000.0 / static_cast<double>(compressed), 1e-9);
}

} // namespace
