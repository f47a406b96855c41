// The Windows build carries no libbz2: a bzip2 entry is refused by name,
// as any method the engine does not read, and the others are written.
#include "services/FileUtils.h"
#include "services/PathText.h"
#include "support/TempFolder.h"
#include "support/ZipEventLog.h"
#include "support/ZipWriter.h"
#include "zip/ZipExtractionClass.h"

#include <gtest/gtest.h>

namespace {

TEST(ZipBzip2Windows, Bzip2EntriesAreRefusedByName) {
    TempFolder folder;
    ZipExtractionClass zip;
    ZipEventLog events(zip);
    const auto layout = ZipWriter().File("packed.bz", "BZh9", 12).File("plain.txt", "p").Build();
    ASSERT_TRUE(zip.ZipOpen(folder.Write("bz.zip", layout.bytes)).Value());
    const std::string out = folder.Sub("out");
    EXPECT_FALSE(zip.ExtractAllFiles(out, true, false).Value());
    EXPECT_EQ(events.errors,
              (std::vector<std::pair<int32_t, std::string>>{
                  {4, "La méthode de compression pour packed.bz n'est pas supportée"}}));
    EXPECT_EQ(FileContent(out + kSep + "plain.txt"), "p");
}

} // namespace
