#include "services/SingleInstance.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

TEST(SingleInstanceWindows, OneCopyPerFolderHoweverItsPathIsSpelt) {
    TempFolder folder;
    std::string otherSpelling = folder.Path() + "\\";
    std::transform(otherSpelling.begin(), otherSpelling.end(), otherSpelling.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    SingleInstanceLock first;
    SingleInstanceLock second;
    ASSERT_TRUE(first.TryAcquire(folder.Path()));
    EXPECT_FALSE(second.TryAcquire(otherSpelling));
}

} // namespace
