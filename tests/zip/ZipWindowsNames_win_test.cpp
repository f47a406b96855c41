// Entry names and archive paths that Windows treats in its own way.
#include "support/TempFolder.h"
#include "support/ZipEventLog.h"
#include "support/ZipWriter.h"
#include "zip/ZipExtractionClass.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

class ZipWindowsNamesTest : public ::testing::Test {
  protected:
    TempFolder folder;
    ZipExtractionClass zip;
    ZipEventLog events{zip};
    std::string out = folder.MakeDir("out");
};

TEST_F(ZipWindowsNamesTest, DeviceNamesAreRefusedAndNothingReachesTheDevice) {
    ASSERT_TRUE(
        zip.ZipOpen(folder.Write("devices.zip", ZipWriter()
                                                    .File("NUL", "n")
                                                    .File("sub/com1.txt", "c")
                                                    .File("Con .png", "k")
                                                    .File("COM\xfd.png", "2") // COM², code page 437
                                                    .File("lpt1 /x.png", "l")
                                                    .File("ok.png", "o")
                                                    .Build()
                                                    .bytes))
            .Value());
    events.Clear();
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, true).Value()); // entries were left out
    EXPECT_EQ(events.ErrorNumbers(), (std::vector<int32_t>{14, 14, 14, 14, 14}));
    EXPECT_EQ(FileContent(out + "\\ok.png"), "o");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(FsPath(out)), {}), 1);
}

TEST_F(ZipWindowsNamesTest, CharactersWindowsRefusesBecomeUnderscores) {
    ASSERT_TRUE(
        zip.ZipOpen(folder.Write("odd.zip", ZipWriter().File("a<b>|c?*\".png", "x").Build().bytes))
            .Value());
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, true).Value());
    EXPECT_TRUE(events.errors.empty());
    EXPECT_EQ(FileContent(out + "\\a_b__c___.png"), "x");
}

TEST_F(ZipWindowsNamesTest, AFolderEndingInASpaceOrADotLandsUnderAMarkedNameAndTheWalkGoesOn) {
    ASSERT_TRUE(zip.ZipOpen(folder.Write("ends.zip", ZipWriter()
                                                         .File("foo /x.png", "x")
                                                         .File("baz../w.png", "w")
                                                         .File("last.png", "l")
                                                         .Build()
                                                         .bytes))
                    .Value());
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, true).Value());
    EXPECT_TRUE(events.errors.empty());
    EXPECT_EQ(FileContent(out + "\\foo_\\x.png"), "x");
    EXPECT_EQ(FileContent(out + "\\baz._\\w.png"), "w");
    EXPECT_EQ(FileContent(out + "\\last.png"), "l");
}

TEST_F(ZipWindowsNamesTest, AMissingFolderBelowAPrefixedRootIsCreatedForTheArchive) {
    ASSERT_TRUE(
        zip.ZipOpen(folder.Write("p.zip", ZipWriter().File("p.png", "p").Build().bytes)).Value());
    EXPECT_TRUE(zip.ExtractAllFiles("\\\\?\\" + folder.Sub("a/b"), true, true).Value());
    EXPECT_TRUE(events.errors.empty());
    EXPECT_EQ(FileContent(folder.Sub("a/b/p.png")), "p");
}

TEST_F(ZipWindowsNamesTest, AnArchiveOnAnAccentedPathOpensAndExtracts) {
    const std::string archive = folder.Write("Th\xc3\xa8mes/loadscr.zip", // Thèmes
                                             ZipWriter().File("Pacman.png", "p").Build().bytes);
    ASSERT_TRUE(zip.ZipOpen(archive).Value());
    EXPECT_TRUE(zip.ExtractAllFiles(out, true, true).Value());
    EXPECT_EQ(FileContent(out + "\\Pacman.png"), "p");
}

TEST_F(ZipWindowsNamesTest, APathBeyondTwoHundredSixtyCharactersIsWrittenWholeOrReported) {
    const std::string deep =
        std::string(120, 'd') + "/" + std::string(120, 'e') + "/" + std::string(60, 'f') + ".png";
    ASSERT_TRUE(
        zip.ZipOpen(folder.Write("deep.zip", ZipWriter().File(deep, "x").Build().bytes)).Value());
    ASSERT_GT(out.size() + deep.size(), 260u);
    const bool reported = !zip.ExtractAllFiles(out, true, true).Ok() || !events.errors.empty();
    // Never a shortened name in its place.
    EXPECT_TRUE(reported || FileContent(out + "\\" + Native(deep)) == "x");
    EXPECT_FALSE(
        std::filesystem::exists(FsPath(out + "\\" + std::string(120, 'd') + "\\" +
                                       std::string(120, 'e') + "\\" + std::string(60, 'f'))));
}

} // namespace
