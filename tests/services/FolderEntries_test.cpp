#include "services/FolderEntries.h"
#include "support/HiddenEntry.h"
#include "support/TempFolder.h"

#include <filesystem>
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

// Each entry as KindOf() tells it, a link followed (where links can be made).
TEST(FolderEntries, TheListingTellsFilesFromFoldersAsKindOfDoes) {
    TempFolder folder;
    folder.MakeDir("Pacman");
    folder.Write("Pacman.png", "x");
    std::error_code error;
    std::filesystem::create_directory_symlink(folder.Sub("Pacman"), folder.Sub("Link"), error);
    std::map<std::string, EntryKind> seen;
    ForEachListedEntry(folder.Path(), [&](const std::string& name, bool, EntryKind kind) {
        seen[name] = kind;
        return true;
    });
    EXPECT_EQ(seen.size(), error ? 2u : 3u);
    for (const auto& [name, kind] : seen)
        EXPECT_EQ(kind, KindOf(folder.Sub(name))) << name;
    EXPECT_EQ(seen["Pacman"], EntryKind::Folder);
    EXPECT_EQ(seen["Pacman.png"], EntryKind::File);
}

} // namespace
