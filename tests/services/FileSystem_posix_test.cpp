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

} // namespace
