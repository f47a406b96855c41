// Windows refuses to rename over, or to delete, a read-only file; Wine lets
// both through. These tests put Windows' rule back into the calls the seam
// makes, so they hold the seam to what Windows does.
#include "services/FileCalls_win.h"
#include "services/FileSystem.h"
#include "services/FileUtils.h"
#include "services/ProfileFile.h"
#include "services/WidePath.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

bool IsReadOnly(const wchar_t* path) {
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

BOOL WINAPI StrictMove(const wchar_t* from, const wchar_t* to, DWORD flags) {
    if (IsReadOnly(to)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return MoveFileExW(from, to, flags);
}

BOOL WINAPI StrictDelete(const wchar_t* path) {
    if (IsReadOnly(path)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return DeleteFileW(path);
}

BOOL WINAPI RefusedMove(const wchar_t*, const wchar_t*, DWORD) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

// What MoveFileExW says, without MOVEFILE_COPY_ALLOWED, for another drive.
BOOL WINAPI MoveToOtherDrive(const wchar_t*, const wchar_t*, DWORD) {
    SetLastError(ERROR_NOT_SAME_DEVICE);
    return FALSE;
}

class WindowsRules : public ::testing::Test {
  protected:
    void SetUp() override {
        FileCalls().moveFileEx = &StrictMove;
        FileCalls().deleteFile = &StrictDelete;
    }
    void TearDown() override { FileCalls() = WindowsFileCalls{}; }

    std::string ReadOnlyFile(const std::string& name, const std::string& content) {
        const std::string path = folder.Write(name, content);
        SetFileAttributesW(WidePath(path).c_str(), FILE_ATTRIBUTE_READONLY);
        return path;
    }
    TempFolder folder;
};

TEST_F(WindowsRules, AReadOnlyFileIsReplacedByACopyAndRemovedByADelete) {
    const std::string source = folder.Write("screen.png", "new");
    const std::string target = ReadOnlyFile("loading.png", "old");
    EXPECT_TRUE(CopyOver(source, target));
    EXPECT_EQ(FileContent(target), "new");
    const std::string frozen = ReadOnlyFile("other.png", "old");
    EXPECT_TRUE(RemoveFile(frozen));
    EXPECT_EQ(FileContent(frozen), "<missing>");
}

TEST_F(WindowsRules, AReplacementThatStillFailsLeavesTheFileReadOnlyAndWhole) {
    FileCalls().moveFileEx = &RefusedMove;
    const std::string source = folder.Write("screen.png", "new");
    const std::string target = ReadOnlyFile("loading.png", "old");
    EXPECT_FALSE(CopyOver(source, target));
    EXPECT_EQ(FileContent(target), "old");
    EXPECT_TRUE(IsReadOnly(WidePath(target).c_str()));
}

// The undo store copies when the rename fails for the drives alone, and
// for nothing else.
TEST_F(WindowsRules, AMoveToAnotherDriveIsToldFromOtherRefusals) {
    const std::string source = folder.Write("loading.png", "screen");
    FileCalls().moveFileEx = &MoveToOtherDrive;
    EXPECT_EQ(MoveWithinVolume(source, folder.Sub("1.png")), MoveResult::OtherVolume);
    FileCalls().moveFileEx = &RefusedMove;
    EXPECT_EQ(MoveWithinVolume(source, folder.Sub("1.png")), MoveResult::Failed);
    EXPECT_EQ(FileContent(source), "screen");
}

TEST_F(WindowsRules, ASavedSettingsFileKeepsItsHiddenAttribute) {
    const std::string ini = folder.Write("OrvanePatchLayouts.ini", "[OrvanePatchLayouts]\r\n");
    SetFileAttributesW(WidePath(ini).c_str(), FILE_ATTRIBUTE_HIDDEN);
    WriteSetting("Language", "1", ini, "");
    EXPECT_EQ(ReadSetting("Language", ini, "", ""), "1");
    EXPECT_TRUE(GetFileAttributesW(WidePath(ini).c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

FILEOP_FLAGS shellFlags = 0;

// A drive without a Recycle Bin: the shell deletes for good unless asked to
// warn, which Wine, whose bin is always there, never shows.
int WINAPI RecordedShellOperation(SHFILEOPSTRUCTW* operation) {
    shellFlags = operation->fFlags;
    return SHFileOperationW(operation);
}

TEST_F(WindowsRules, OnlyAPermanentDeleteMayBypassTheRecycleBin) {
    FileCalls().shFileOperation = &RecordedShellOperation;
    EXPECT_TRUE(ShellDelete(folder.Write("kept/1.png", "kept"), false));
    EXPECT_EQ(shellFlags & (FOF_ALLOWUNDO | FOF_WANTNUKEWARNING),
              FOF_ALLOWUNDO | FOF_WANTNUKEWARNING);
    EXPECT_TRUE(ShellDelete(folder.Sub("kept"), true));
    EXPECT_EQ(shellFlags & (FOF_ALLOWUNDO | FOF_WANTNUKEWARNING), 0);
    EXPECT_EQ(FileContent(folder.Sub("kept")), "<missing>");
}

TEST(WidePaths, PathsPastTheClassicLimitTakeTheLongForm) {
    TempFolder folder;
    std::string deep = folder.Path();
    while (deep.size() < 300)
        deep += "\\a-rather-long-layout-folder-name";
    EXPECT_EQ(WidePath(deep).rfind(L"\\\\?\\", 0), 0u);
    EXPECT_EQ(WidePath("\\\\server\\share\\" + std::string(300, 'x')).rfind(L"\\\\?\\UNC\\", 0),
              0u);
    EXPECT_EQ(WidePath("C:\\short"), L"C:\\short");
}

} // namespace
