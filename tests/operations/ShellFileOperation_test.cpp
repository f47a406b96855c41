#include "operations/ShellFileOperation.h"
#include "support/FrozenFolder.h"
#include "support/TempFolder.h"
#include "support/UnreadableFile.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

constexpr int32_t kCopy = kFileOperationCopy;
constexpr int16_t kNoAsk = kFileOperationNoConfirmation;

// Entries of `folder`, to prove no temporary file was left behind.
size_t EntryCount(const std::string& folder) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
}

class ShellFileOperationTest : public ::testing::Test {
  protected:
    TempFolder folder;
    std::string screen = folder.Write("screens/a.png", std::string(200000, 's'));
    std::string layout = folder.MakeDir("layouts/a");
    std::string target = layout + "/loading.png";
};

TEST_F(ShellFileOperationTest, CopiesAndReplacesAnExistingFileWithoutAsking) {
    EXPECT_TRUE(ShellFileOperation(screen, target, kCopy, kNoAsk));
    EXPECT_EQ(FileContent(target), FileContent(screen));
    folder.Write("screens/b.png", "second");
    EXPECT_TRUE(ShellFileOperation(folder.Sub("screens/b.png"), target, kCopy, kNoAsk));
    EXPECT_EQ(FileContent(target), "second");
    EXPECT_EQ(EntryCount(layout), 1u);
}

TEST_F(ShellFileOperationTest, WithoutTheNoConfirmationFlagAnExistingFileIsKept) {
    EXPECT_TRUE(ShellFileOperation(screen, target, kCopy, 0));
    folder.Write("layouts/a/loading.png", "old");
    EXPECT_FALSE(ShellFileOperation(screen, target, kCopy, 0));
    EXPECT_EQ(FileContent(target), "old");
}

// A caller that has looked already is believed, and asked as the shell would be.
TEST_F(ShellFileOperationTest, WhatTheCallerFoundAtTheDestinationDecidesAsALookWould) {
    EXPECT_TRUE(ShellFileOperationOnto(screen, target, ItselfKind::Missing, kCopy, 0));
    EXPECT_FALSE(ShellFileOperationOnto(screen, target, ItselfKind::File, kCopy, 0));
    folder.Write("screens/b.png", "second");
    EXPECT_TRUE(ShellFileOperationOnto(folder.Sub("screens/b.png"), target, ItselfKind::File, kCopy,
                                       kNoAsk));
    EXPECT_EQ(FileContent(target), "second");
    const std::string inner = folder.MakeDir("layouts/a/loading.png.d");
    EXPECT_FALSE(ShellFileOperationOnto(screen, inner, ItselfKind::Folder, kCopy, kNoAsk));
    EXPECT_EQ(EntryCount(layout), 2u);
}

TEST_F(ShellFileOperationTest, OnlyTheCopyOperationIsKnown) {
    EXPECT_FALSE(ShellFileOperation(screen, target, 1, kNoAsk)); // move
    EXPECT_FALSE(ShellFileOperation(screen, target, 3, kNoAsk)); // delete
    EXPECT_FALSE(ShellFileOperation("", target, kCopy, kNoAsk));
    EXPECT_FALSE(ShellFileOperation(screen, "", kCopy, kNoAsk));
    EXPECT_EQ(FileContent(target), "<missing>");
    EXPECT_EQ(FileContent(screen).size(), 200000u);
}

TEST_F(ShellFileOperationTest, ASourceThatCannotBeCopiedKeepsThePreviousFileIntact) {
    folder.Write("layouts/a/loading.png", "old");
    folder.MakeDir("screens/folder.png");
    const UnreadableFile pipe(folder.Sub("screens/pipe.png"));
    ASSERT_TRUE(pipe.Made());
    for (const char* source : {"screens/missing.png", "screens/folder.png", "screens/pipe.png"}) {
        SCOPED_TRACE(source);
        EXPECT_FALSE(ShellFileOperation(folder.Sub(source), target, kCopy, kNoAsk));
        EXPECT_EQ(FileContent(target), "old");
        EXPECT_EQ(EntryCount(layout), 1u);
    }
}

TEST_F(ShellFileOperationTest, ADestinationThatCannotBeReplacedIsLeftAsItWas) {
    folder.Write("layouts/a/loading.png/inside.txt", "kept");
    EXPECT_FALSE(ShellFileOperation(screen, target, kCopy, kNoAsk));
    EXPECT_EQ(FileContent(target + "/inside.txt"), "kept");
    EXPECT_EQ(EntryCount(layout), 1u);
    EXPECT_FALSE(
        ShellFileOperation(screen, folder.Sub("layouts/missing/loading.png"), kCopy, kNoAsk));
}

TEST_F(ShellFileOperationTest, AFolderThatRefusesNewFilesKeepsThePreviousFile) {
    folder.Write("layouts/a/loading.png", "old");
    FrozenFolder frozen(layout);
    if (!frozen.Active())
        GTEST_SKIP() << "no way to make a folder read-only here";
    EXPECT_FALSE(ShellFileOperation(screen, target, kCopy, kNoAsk));
    EXPECT_EQ(FileContent(target), "old");
    EXPECT_EQ(EntryCount(layout), 1u);
}

TEST_F(ShellFileOperationTest, ALinkAsDestinationIsReplacedAndItsTargetUntouched) {
    const std::string elsewhere = folder.Write("elsewhere.png", "other");
    if (!MakeSymlink(elsewhere, target))
        GTEST_SKIP() << kNoSymlinks;
    EXPECT_TRUE(ShellFileOperation(screen, target, kCopy, kNoAsk));
    EXPECT_FALSE(fs::is_symlink(target));
    EXPECT_EQ(FileContent(target), FileContent(screen));
    EXPECT_EQ(FileContent(elsewhere), "other");
}

} // namespace
