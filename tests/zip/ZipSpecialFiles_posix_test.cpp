// Names that are no regular file: opening them as an archive must neither
// wait for a writer nor read a device forever.
#include "support/TempFolder.h"
#include "support/ZipEventLog.h"
#include "zip/ZipExtractionClass.h"

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

} // namespace
