#include "services/FolderEntries.h"
#include "support/HiddenEntry.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <map>

namespace {

using Seen = std::map<std::string, bool>; // name -> hidden

Seen Visit(const std::string& folder, std::size_t stopAfter = 1000) {
    Seen seen;
    ForEachFolderEntry(folder, [&](const std::string& name, bool hidden) {
        seen[name] = hidden;
        return seen.size() < stopAfter;
    });
    return seen;
}

TEST(FolderEntries, GivesFilesAndFoldersTellingHiddenOnesAndStopsWhenAsked) {
    TempFolder folder;
    folder.MakeDir("Pacman");
    folder.Write("readme.txt", "x");
    folder.MakeDir("\xc3\xa9t\xc3\xa9");
    MarkHidden(folder.MakeDir(".cache"));
    MarkHidden(folder.Write(".layout.png", "x"));

    EXPECT_EQ(Visit(folder.Path()), (Seen{{".cache", true},
                                          {".layout.png", true},
                                          {"Pacman", false},
                                          {"readme.txt", false},
                                          {"\xc3\xa9t\xc3\xa9", false}}));
    EXPECT_EQ(Visit(folder.Path() + kSep).size(), 5u) << "a trailing separator changes nothing";
    EXPECT_EQ(Visit(folder.Path(), 2).size(), 2u);
    EXPECT_TRUE(Visit(folder.Sub("missing")).empty());
}

} // namespace
