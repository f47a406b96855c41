// The file-system seam's promises that hold on every platform.
#include "services/FileSystem.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

size_t EntryCount(const std::string& folder) {
    size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(FsPath(folder)))
        ++entries;
    return entries;
}

TEST(FileSystem, CreatingANewFileNeverOpensOneThatExists) {
    TempFolder folder;
    const std::string existing = folder.Write("loadscr.zip", "the user's archive");
    NewFile file;
    const Status created = file.Create(existing);
    ASSERT_TRUE(created.Failed(FailureCause::NameTaken));
    EXPECT_NE(created.Error().what.find(existing), std::string::npos) << "the log names the path";
    EXPECT_NE(created.Error().code, 0) << "and keeps the system's code";
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(FileContent(existing), "the user's archive");
    // Temporary names already taken (by a run that was killed) are passed
    // over, never written.
    const std::string target = folder.Sub("a.png");
    std::string probe = TemporaryNameBeside(target);
    const std::string stem = probe.substr(0, probe.rfind('-') + 1);
    const unsigned next = std::stoul(probe.substr(stem.size())) + 1;
    for (unsigned n = next; n < next + 3; ++n)
        ASSERT_TRUE(AppendToFile(stem + std::to_string(n), "kept", true));
    ASSERT_TRUE(CreateBeside(target, file));
    EXPECT_TRUE(IsTemporaryNameOf(file.Path().substr(folder.Path().size() + 1), "a.png"));
    EXPECT_EQ(file.Path(), stem + std::to_string(next + 3));
    EXPECT_EQ(FileContent(stem + std::to_string(next)), "kept");
}

TEST(FileSystem, ADraftIsKeptOnlyOnceCommittedAndGoneOtherwise) {
    TempFolder folder;
    std::string kept;
    {
        NewFile committed;
        ASSERT_TRUE(CreateBeside(folder.Sub("x"), committed));
        EXPECT_TRUE(committed.Write("abc", 3) && committed.Write("def", 3));
        kept = committed.Path();
        EXPECT_TRUE(committed.Commit());
        NewFile dropped;
        ASSERT_TRUE(CreateBeside(folder.Sub("y"), dropped));
        EXPECT_TRUE(dropped.Write("half", 4));
    }
    EXPECT_EQ(FileContent(kept), "abcdef");
    EXPECT_EQ(EntryCount(folder.Path()), 1u);
}

// A writer may look once at the end: the draft is not kept, and the first
// failure is the one told.
TEST(FileSystem, ADraftWithAFailedWriteIsNeverCommitted) {
    TempFolder folder;
    NewFile draft;
    ASSERT_TRUE(CreateBeside(folder.Sub("z"), draft));
    Status first = Success();
    {
        FileSizeLimit fullDisk(64 * 1024);
        if (!fullDisk.Active())
            GTEST_SKIP() << kNoFullDisk;
        first = draft.Write(std::string(128 * 1024, 'z').data(), 128 * 1024);
    }
    ASSERT_FALSE(first);
    EXPECT_FALSE(draft.Write("z", 1));
    const Status committed = draft.Commit();
    ASSERT_FALSE(committed);
    EXPECT_EQ(committed.Error().code, first.Error().code);
    EXPECT_EQ(EntryCount(folder.Path()), 0u);
}

TEST(FileSystem, ACopyReplacesTheTargetWholeAndLeavesNoTemporaryFile) {
    TempFolder folder;
    const std::string source = folder.Write("screen.png", std::string(3 << 20, 'p'));
    const std::string target = folder.Write("loading.png", "old");
    EXPECT_TRUE(CopyOver(source, target));
    EXPECT_EQ(FileContent(target), FileContent(source));
    EXPECT_FALSE(CopyOver(folder.Sub("missing.png"), target));
    EXPECT_FALSE(CopyOver(folder.MakeDir("folder.png"), target));
    EXPECT_EQ(FileContent(target), FileContent(source));
    EXPECT_EQ(EntryCount(folder.Path()), 3u);
}

// The install stamps a screen from the bytes its copy read, and journals
// that stamp before the old loading.png is touched.
TEST(FileSystem, AStagedCopyShowsTheBytesItReadAndTouchesTheTargetOnlyWhenPlaced) {
    TempFolder folder;
    // One byte past the copy's buffer, and a different byte at each place.
    std::string bytes((1 << 20) + 1, '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7 % 251);
    const std::string source = folder.Write("screen.png", bytes);
    const std::string target = folder.Write("loading.png", "old");
    std::string seen;
    StagedCopy copy;
    ASSERT_TRUE(copy.Stage(source, target, [&](const unsigned char* piece, uint64_t size) {
        seen.append(reinterpret_cast<const char*>(piece), size);
    }));
    EXPECT_EQ(seen, bytes);
    EXPECT_EQ(FileContent(target), "old");
    EXPECT_FALSE(copy.Stage(source, target)) << "one copy at a time";
    ASSERT_TRUE(copy.Place());
    EXPECT_EQ(FileContent(target), bytes);
    EXPECT_FALSE(copy.Place()) << "nothing staged any more";
    {
        StagedCopy dropped;
        ASSERT_TRUE(dropped.Stage(source, folder.Sub("other.png")));
        EXPECT_EQ(EntryCount(folder.Path()), 3u);
    }
    EXPECT_EQ(EntryCount(folder.Path()), 2u) << "a copy never placed is removed";
    StagedCopy vanished;
    EXPECT_TRUE(vanished.Stage(folder.Sub("gone.png"), target).Failed(FailureCause::NotFound));
    FileSizeLimit fullDisk(64 * 1024);
    if (!fullDisk.Active())
        GTEST_SKIP() << kNoFullDisk;
    StagedCopy full;
    EXPECT_FALSE(full.Stage(source, target, [](const unsigned char*, uint64_t) {}));
    EXPECT_FALSE(full.Stage(source, target));
    EXPECT_EQ(FileContent(target), bytes);
    EXPECT_EQ(EntryCount(folder.Path()), 2u);
}

// The ends a copy keeps are the file's own, whether or not its bytes pass
// through the program: at the sizes where head and tail meet, and where the
// tail straddles two pieces of the copy's buffer.
TEST(FileSystem, AStagedCopyKeepsTheSourcesEndsAsTheFileHasThem) {
    TempFolder folder;
    const std::string target = folder.Sub("loading.png");
    for (const uint64_t size : {0ull, 7ull, 8ull, 19ull, 20ull, 21ull, (1ull << 20) + 5}) {
        std::string bytes(size, '\0');
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(i * 13 % 251 + 1);
        const std::string source = folder.Write("screen.png", bytes);
        FileForReading::Opened opened{};
        const FileEnds expected = FileForReading::Open(source, opened)->Ends();
        for (const bool watched : {false, true}) {
            SCOPED_TRACE(std::to_string(size) + (watched ? " watched" : ""));
            StagedCopy copy;
            copy.KeepSourceEnds();
            ASSERT_TRUE(watched ? copy.Stage(source, target, [](const unsigned char*, uint64_t) {})
                                : copy.Stage(source, target));
            const FileEnds& ends = copy.SourceEnds();
            EXPECT_EQ(ends.size, size);
            EXPECT_EQ(ends.headRead, expected.headRead);
            EXPECT_EQ(ends.tailRead, expected.tailRead);
            EXPECT_TRUE(std::equal(std::begin(ends.head), std::end(ends.head), expected.head));
            EXPECT_TRUE(std::equal(std::begin(ends.tail), std::end(ends.tail), expected.tail));
        }
    }
}

// A read in order starts where it is told, whatever read came before it.
TEST(FileSystem, AReadInOrderStartsAtItsOffsetAfterAnyOtherRead) {
    TempFolder folder;
    FileForReading::Opened opened{};
    const auto file = FileForReading::Open(folder.Write("screen.png", "0123456789"), opened);
    unsigned char bytes[3] = {};
    ASSERT_TRUE(file->ReadAt(6, bytes, 3));
    ASSERT_TRUE(file->ReadInOrder(2, bytes, 3));
    EXPECT_EQ(std::string(bytes, bytes + 3), "234");
    ASSERT_TRUE(file->ReadInOrder(5, bytes, 3));
    EXPECT_EQ(std::string(bytes, bytes + 3), "567");
    EXPECT_FALSE(file->ReadInOrder(8, bytes, 3)) << "past the end";
}

// What the undo store relies on: a move that never replaces anything and
// a copy that leaves nothing behind when it fails.
TEST(FileSystem, AMoveWithoutReplacingKeepsBothFilesWhenTheNameIsTaken) {
    TempFolder folder;
    const std::string source = folder.Write("loading.png", "the user's screen");
    const std::string taken = folder.Write("kept.png", "already kept");
    EXPECT_TRUE(SameVolume(source, folder.Path()));
    const Status moved = MoveWithoutReplacing(source, taken);
    EXPECT_TRUE(moved.Failed(FailureCause::NameTaken)) << "not a matter of volumes";
    EXPECT_EQ(FileContent(source), "the user's screen");
    EXPECT_EQ(FileContent(taken), "already kept");
    EXPECT_FALSE(CopyFlushed(source, taken));
    EXPECT_EQ(FileContent(taken), "already kept");
    EXPECT_EQ(EntryCount(folder.Path()), 2u) << "no temporary file left";

    const std::string free = folder.Sub("1.png");
    EXPECT_TRUE(MoveWithoutReplacing(source, free));
    EXPECT_EQ(FileContent(free), "the user's screen");
    EXPECT_FALSE(std::filesystem::exists(FsPath(source)));
    EXPECT_TRUE(CopyFlushed(free, source));
    EXPECT_EQ(FileContent(source), "the user's screen");
}

// What a loading.png counts as: a file, or a link wherever it leads.
TEST(FileSystem, AFileOrALinkItselfIsToldInOneLook) {
    TempFolder folder;
    EXPECT_TRUE(IsFileOrLinkItself(folder.Write("loading.png", "x")));
    EXPECT_FALSE(IsFileOrLinkItself(folder.MakeDir("folder.png")));
    EXPECT_FALSE(IsFileOrLinkItself(folder.Sub("missing.png")));
    EXPECT_EQ(KindOfItself(folder.Sub("loading.png")), ItselfKind::File);
    EXPECT_EQ(KindOfItself(folder.Sub("folder.png")), ItselfKind::Folder);
    EXPECT_EQ(KindOfItself(folder.Sub("missing.png")), ItselfKind::Missing);
    std::error_code error;
    std::filesystem::create_symlink(folder.Sub("missing.png"), folder.Sub("dangling.png"), error);
    if (!error) {
        EXPECT_TRUE(IsFileOrLinkItself(folder.Sub("dangling.png")));
        EXPECT_EQ(KindOfItself(folder.Sub("dangling.png")), ItselfKind::Link);
    }
    std::filesystem::create_directory_symlink(folder.Sub("folder.png"), folder.Sub("to.png"),
                                              error);
    if (!error) {
        EXPECT_TRUE(IsFileOrLinkItself(folder.Sub("to.png")));
        EXPECT_EQ(KindOfItself(folder.Sub("to.png")), ItselfKind::Link);
    }
}

TEST(FileSystem, AppendingStartsAfreshOnlyWhenAsked) {
    TempFolder folder;
    const std::string log = folder.Sub("program.log.txt");
    EXPECT_TRUE(AppendToFile(log, "one\r\n", false));
    EXPECT_TRUE(AppendToFile(log, "two\r\n", false));
    EXPECT_EQ(FileContent(log), "one\r\ntwo\r\n");
    EXPECT_TRUE(AppendToFile(log, "three\r\n", true));
    EXPECT_EQ(FileContent(log), "three\r\n");
}

} // namespace
