#include "services/SingleInstance.h"
#include "services/WideText.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(SingleInstanceWindows, OneCopyPerFolderHoweverItsPathIsSpelt) {
    TempFolder folder;
    const std::string missing = folder.Sub("not made");
    for (const std::string& path : {folder.Path(), missing}) {
        SingleInstanceLock first;
        SingleInstanceLock second;
        ASSERT_TRUE(first.TryAcquire(path));
        EXPECT_FALSE(second.TryAcquire(UpperAscii(path) + "\\")) << path;
    }
}

TEST(SingleInstanceWindows, OneCopyPerFolderWhateverNameReachesIt) {
    TempFolder folder;
    const std::string program = folder.MakeDir("Program Folder With A Long Name");
    wchar_t shortName[MAX_PATH];
    const DWORD length = GetShortPathNameW(WideFromUtf8(program).c_str(), shortName, MAX_PATH);
    ASSERT_TRUE(length > 0 && length < MAX_PATH);
    const std::string shortPath = Utf8FromWide(shortName);
    if (UpperAscii(shortPath) == UpperAscii(program))
        GTEST_SKIP() << "this volume keeps no short names";
    SingleInstanceLock first;
    SingleInstanceLock second;
    ASSERT_TRUE(first.TryAcquire(program));
    EXPECT_FALSE(second.TryAcquire(shortPath)) << shortPath;
}

} // namespace
