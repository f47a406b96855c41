#include "operations/LayoutListing.h"
#include "support/FakeWindow.h"
#include "support/HiddenEntry.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

std::vector<std::string> ListedNames(const LayoutState& state) {
    return {state.LayoutNames.begin() + 1, state.LayoutNames.end()};
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::ranges::sort(names);
    return names;
}

TEST(ListLayouts, ListsFoldersAndFilesButNoHiddenEntriesTellingWhichAreFolders) {
    TempFolder folder;
    folder.MakeDir("Pacman");
    folder.MakeDir(kPunctuatedName);
    folder.MakeDir("\xc3\xa9t\xc3\xa9");
    MarkHidden(folder.MakeDir(".hidden"));
    MarkHidden(folder.Write(".hidden.png", "x"));
    folder.Write("readme.txt", "x");
    FakeWindow window;
    LayoutState state;
    const std::string layoutsPath = folder.Path() + kSep;

    ListLayouts(layoutsPath, state, window);

    EXPECT_EQ(state.LayoutCount, 4);
    ASSERT_EQ(state.LayoutNames.size(), 5u);
    EXPECT_EQ(state.LayoutNames[0], "");
    EXPECT_EQ(
        Sorted(ListedNames(state)),
        (std::vector<std::string>{"Pacman", "readme.txt", kPunctuatedName, "\xc3\xa9t\xc3\xa9"}));
    for (int32_t i = 1; i <= state.LayoutCount; ++i)
        EXPECT_EQ(IsListedFolder(state, i),
                  state.LayoutNames[static_cast<size_t>(i)] != "readme.txt")
            << state.LayoutNames[static_cast<size_t>(i)];
    EXPECT_TRUE(window.calls.empty());
}

// Under Wine every look at the window's messages is a call to the server:
// a yield per name would cost more than the listing.
TEST(ListLayouts, TheWindowProcessesItsEventsOncePerIntervalWhileTheNamesCome) {
    TempFolder folder;
    for (const char* name : {"a", "b", "c", "d"})
        folder.MakeDir(name);
    FakeWindow window;
    EventPacing::Clock::time_point now{};
    window.PaceEventsWith(EventPacing([&] { return now; }));
    LayoutState state;
    ListLayouts(folder.Path() + kSep, state, window);
    EXPECT_EQ(window.yields, 1) << "no time passed: once";

    window.PaceEventsWith(EventPacing([&] { return now += EventPacing::kInterval; }));
    ListLayouts(folder.Path() + kSep, state, window);
    EXPECT_EQ(window.yields, 1 + 4) << "an interval between names: after each";
}

TEST(ListLayouts, ARunForgetsTheNamesOfTheRunBefore) {
    TempFolder folder;
    folder.MakeDir("a");
    folder.MakeDir("b");
    FakeWindow window;
    LayoutState state;
    const std::string layoutsPath = folder.Path() + kSep;
    ListLayouts(layoutsPath, state, window);
    ASSERT_EQ(state.LayoutCount, 2);

    std::filesystem::remove(folder.Sub("a"));
    ListLayouts(layoutsPath, state, window);
    EXPECT_EQ(state.LayoutCount, 1);
    EXPECT_EQ(ListedNames(state), std::vector<std::string>{"b"});
}

TEST(ListLayouts, AnUnreadableOrMissingFolderListsNothing) {
    TempFolder folder;
    FakeWindow window;
    LayoutState state;
    state.LayoutNames = {"", "stale"};
    state.LayoutCount = 1;
    const std::string layoutsPath = folder.Sub("missing") + kSep;
    ListLayouts(layoutsPath, state, window);
    EXPECT_EQ(state.LayoutCount, 0);
    EXPECT_EQ(state.LayoutNames, std::vector<std::string>{""});
    EXPECT_EQ(window.yields, 0);
}

} // namespace
