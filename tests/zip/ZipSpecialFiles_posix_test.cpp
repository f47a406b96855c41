// Names that are no regular file: opening them as an archive must neither
// wait for a writer nor read a device forever.
#include "support/TempFolder.h"
#include "support/ZipEventLog.h"
#include "support/ZipWriter.h"
#include "zip/ZipExtractionClass.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

TEST(ZipSpecialFiles, FifoAndDeviceFailLikeAMissingArchive) {
    TempFolder folder;
    const std::string fifo = folder.Sub("loadscr.zip");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    ZipExtractionClass zip;
    ZipEventLog events(zip);
    for (const std::string& path : {fifo, std::string("/dev/zero")}) {
        events.Clear();
        EXPECT_FALSE(zip.ZipOpen(path).Value()) << path;
        EXPECT_FALSE(zip.ZipIsOpen());
        EXPECT_EQ(events.errors, (std::vector<std::pair<int32_t, std::string>>{
                                     {10, "Le fichier " + path + " n'existe pas"}}));
    }
}

// An archive cut short after it was opened: the extraction ends with the
// read that failed, naming the archive, and writes nothing.
TEST(ZipSpecialFiles, AnArchiveCutAfterOpeningFailsTheExtractionWithTheRead) {
    TempFolder folder;
    const std::string path =
        folder.Write("cut.zip", ZipWriter().File("a", std::string(300, 'a')).Build().bytes);
    ZipExtractionClass zip;
    ASSERT_TRUE(zip.ZipOpen(path).Value());
    std::filesystem::resize_file(path, 20);
    for (const Result<bool>& extracted :
         {zip.ExtractAllFiles(folder.Sub("out"), true, true),
          zip.ExtractSingleFile(1, folder.Sub("out"), true, true)}) {
        ASSERT_TRUE(extracted.Failed(FailureCause::System));
        EXPECT_EQ(extracted.Error().what, "Lecture impossible dans le fichier " + path);
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.Sub("out")));
}

} // namespace
