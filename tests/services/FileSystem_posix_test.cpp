#include "services/FileCalls_posix.h"
#include "services/FileSystem.h"
#include "support/TempFolder.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

int FailingFsync(int) {
    errno = EIO;
    return -1;
}

// The source may be removed once the copy returns: a copy the disk did not
// confirm must not count as made.
TEST(PosixFileSystem, ACopyWhoseFlushFailsLeavesNothingAndKeepsTheSource) {
    TempFolder folder;
    const std::string source = folder.Write("a.png", "picture");
    FileCalls().fsync = &FailingFsync;
    const Status copied = CopyFlushed(source, folder.Sub("b.png"));
    FileCalls() = PosixFileCalls{};
    ASSERT_FALSE(copied);
    EXPECT_EQ(copied.Error().code, EIO) << "the flush's own code, not the removal's";
    EXPECT_FALSE(std::filesystem::exists(folder.Sub("b.png")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
    EXPECT_EQ(FileContent(source), "picture");
}

// Bytes that differ from one mebibyte to the next, so a piece copied twice
// or skipped shows.
std::string Varied(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 1048576) % 251);
    return bytes;
}

ssize_t RefusingCopy(int, off64_t*, int, off64_t*, size_t, unsigned) {
    errno = EXDEV;
    return -1;
}

// Copies a little, then nothing more: a copy cut short.
ssize_t ShortCopy(int in, off64_t* inAt, int out, off64_t* outAt, size_t, unsigned flags) {
    return *inAt == 0 ? ::copy_file_range(in, inAt, out, outAt, 4097, flags) : 0;
}

// The kernel's copy may be refused (another volume, an old file system) or
// stop short: the rest goes through the program, and the copy is the same.
TEST(PosixFileSystem, ACopyTheKernelRefusesOrCutsShortStillGivesTheSameBytes) {
    TempFolder folder;
    const std::string content = Varied(2 * 1048576 + 12345);
    const std::string source = folder.Write("a.png", content);
    for (auto* copy : {&RefusingCopy, &ShortCopy}) {
        FileCalls().copyFileRange = copy;
        const Status copied = CopyOver(source, folder.Sub("b.png"));
        FileCalls() = PosixFileCalls{};
        ASSERT_TRUE(copied);
        EXPECT_TRUE(FileContent(folder.Sub("b.png")) == content);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2);
    }
}

} // namespace
