#include "services/FolderEntries.h"
#include "services/WideText.h"
#include "support/Environment.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <map>
#include <windows.h>

namespace {

std::map<std::string, bool> HiddenByName(const std::string& folder) {
    std::map<std::string, bool> seen;
    ForEachFolderEntry(folder, [&](const std::string& name, bool hidden) {
        seen[name] = hidden;
        return true;
    });
    return seen;
}

TEST(FolderEntriesOnWindows, TheHiddenOrSystemAttributeHidesAnEntryNotItsName) {
    TempFolder folder;
    const std::string system = folder.MakeDir("System Layout");
    ASSERT_TRUE(SetFileAttributesW(WideFromUtf8(system).c_str(), FILE_ATTRIBUTE_SYSTEM));
    const std::string hidden = folder.Write("Hidden.png", "x");
    ASSERT_TRUE(SetFileAttributesW(WideFromUtf8(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN));
    folder.MakeDir(".dotted");

    const auto seen = HiddenByName(folder.Path());

    EXPECT_TRUE(seen.at("System Layout"));
    EXPECT_TRUE(seen.at("Hidden.png"));
    if (!RunningUnderWine()) { // Wine shows names starting with '.' as hidden files
        EXPECT_FALSE(seen.at(".dotted"));
    }
}

} // namespace
