#include "operations/ScreenFinder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

// The file system itself ignores letter case, accented letters included.
TEST(ScreenFinderWindows, AScreenSpeltOtherwiseIsFoundOnTheRealFileSystem) {
    TempFolder folder;
    folder.Write("galaga.PNG", "g");
    folder.Write("\xc3\xa9lan.png", "e"); // élan.png
    ScreenFinder finder(folder.Path() + kSep);
    EXPECT_EQ(FileContent(finder.Find("GALAGA.png")), "g");
    EXPECT_EQ(FileContent(finder.Find("\xc3\x89LAN.PNG")), "e"); // ÉLAN.PNG
    EXPECT_EQ(finder.Find("elan.png"), "") << "an accent is no letter case";
}

} // namespace
