// Windows refuses to rename over, or to delete, a read-only file; Wine lets
// both through. These tests put Windows' rule back into the calls the seam
// makes, so they hold the seam to what Windows does.
#include "services/FileCalls_win.h"
#include "services/FileSystem.h"
#include "services/FileUtils.h"
#include "services/ProfileFile.h"
#include "services/WidePath.h"
#include "services/WideText.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>

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

BOOL WINAPI StrictRenameOpen(HANDLE file, const wchar_t* from, const wchar_t* to, BOOL replace) {
    if (replace && IsReadOnly(to)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return RenameOpenFile(file, from, to, replace);
}

BOOL WINAPI RefusedRenameOpen(HANDLE, const wchar_t*, const wchar_t*, BOOL) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
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

BOOL WINAPI MoveOnAFullDisk(const wchar_t*, const wchar_t*, DWORD) {
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

BOOL WINAPI RenameOpenOnAFullDisk(HANDLE, const wchar_t*, const wchar_t*, BOOL) {
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

// What a rename says for another drive.
BOOL WINAPI RenameToOtherDrive(HANDLE, const wchar_t*, const wchar_t*, BOOL) {
    SetLastError(ERROR_NOT_SAME_DEVICE);
    return FALSE;
}

// A rename that fails for the new content only.
BOOL WINAPI MoveAllButTheNewContent(const wchar_t* from, const wchar_t* to, DWORD flags) {
    if (FileContent(Utf8FromWide(from)) == "new") {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return MoveFileExW(from, to, flags);
}

// ReplaceFileW's documented half-failures: the old file gone and the
// replacement still under its own name (1176), or the old file only under
// another name (1177).
BOOL WINAPI ReplaceThatLosesTheTarget(const wchar_t* replaced, const wchar_t*, const wchar_t*,
                                      DWORD, void*, void*) {
    DeleteFileW(replaced);
    SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
    return FALSE;
}

BOOL WINAPI ReplaceThatRenamesTheTargetAway(const wchar_t* replaced, const wchar_t*,
                                            const wchar_t* backup, DWORD, void*, void*) {
    const std::wstring elsewhere = backup ? backup : std::wstring(replaced) + L".elsewhere";
    MoveFileExW(replaced, elsewhere.c_str(), 0);
    SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
    return FALSE;
}

// The content of every file in the folder.
std::multiset<std::string> ContentsOf(const TempFolder& folder) {
    std::multiset<std::string> contents;
    for (const auto& entry : std::filesystem::directory_iterator(FsPath(folder.Path())))
        contents.insert(FileContent(PathText(entry.path())));
    return contents;
}

class WindowsRules : public ::testing::Test {
  protected:
    void SetUp() override {
        FileCalls().moveFileEx = &StrictMove;
        FileCalls().renameOpenFile = &StrictRenameOpen;
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
    FileCalls().renameOpenFile = &RefusedRenameOpen;
    const std::string source = folder.Write("screen.png", "new");
    const std::string target = ReadOnlyFile("loading.png", "old");
    const Status refused = CopyOver(source, target);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.Error().code, ERROR_ACCESS_DENIED) << "the rename's own refusal is told";
    EXPECT_EQ(FileContent(target), "old");
    EXPECT_TRUE(IsReadOnly(WidePath(target).c_str()));
    EXPECT_EQ(ContentsOf(folder), (std::multiset<std::string>{"new", "old"})) << "no draft left";
}

// The usual placing goes to a free name (the old file went to the undo
// store): the look for a read-only file there finds none, and that must not
// stand in for the refusal itself.
TEST_F(WindowsRules, ARefusalToPlaceAtAFreeNameIsToldAsItself) {
    FileCalls().renameOpenFile = &RenameOpenOnAFullDisk;
    FileCalls().moveFileEx = &MoveOnAFullDisk;
    const std::string source = folder.Write("screen.png", "new");
    const Status copied = CopyOver(source, folder.Sub("loading.png"));
    ASSERT_FALSE(copied);
    EXPECT_EQ(copied.Error().code, ERROR_DISK_FULL);
    const Status moved = MoveOver(source, folder.Sub("loading.png"));
    ASSERT_FALSE(moved);
    EXPECT_EQ(moved.Error().code, ERROR_DISK_FULL);
    EXPECT_EQ(ContentsOf(folder), (std::multiset<std::string>{"new"})) << "no draft left";
}

// The undo store copies when the rename fails for the drives alone, and
// for nothing else.
TEST_F(WindowsRules, AMoveToAnotherDriveIsToldFromOtherRefusals) {
    const std::string source = folder.Write("loading.png", "screen");
    FileCalls().renameOpenFile = &RenameToOtherDrive;
    const Status acrossDrives = MoveWithoutReplacing(source, folder.Sub("1.png"));
    EXPECT_TRUE(acrossDrives.Failed(FailureCause::OtherVolume));
    EXPECT_EQ(acrossDrives.Error().code, ERROR_NOT_SAME_DEVICE);
    FileCalls().renameOpenFile = &RefusedRenameOpen;
    const Status refused = MoveWithoutReplacing(source, folder.Sub("1.png"));
    ASSERT_FALSE(refused);
    EXPECT_FALSE(refused.Failed(FailureCause::OtherVolume));
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

TEST_F(WindowsRules, AHalfFailedReplacementStillLeavesTheNewContentAloneAtThePath) {
    for (const auto replace : {&ReplaceThatLosesTheTarget, &ReplaceThatRenamesTheTargetAway}) {
        FileCalls().replaceFile = replace;
        TempFolder place;
        const std::string ini = place.Write("OrvanePatchLayouts.ini", "old");
        EXPECT_TRUE(ReplaceFileContent(ini, "new"));
        EXPECT_EQ(FileContent(ini), "new");
        EXPECT_EQ(ContentsOf(place), std::multiset<std::string>{"new"}) << "nothing left beside";
    }
}

TEST_F(WindowsRules, AHalfFailedReplacementThatCannotBeFinishedDeletesNoOnlyCopy) {
    FileCalls().moveFileEx = &RefusedMove;
    const std::pair<decltype(&ReplaceFileW), std::multiset<std::string>> cases[] = {
        {&ReplaceThatLosesTheTarget, {"new"}}, {&ReplaceThatRenamesTheTargetAway, {"new", "old"}}};
    for (const auto& [replace, kept] : cases) {
        FileCalls().replaceFile = replace;
        TempFolder place;
        EXPECT_FALSE(ReplaceFileContent(place.Write("OrvanePatchLayouts.ini", "old"), "new"));
        EXPECT_EQ(ContentsOf(place), kept);
    }
}

TEST_F(WindowsRules, AHalfFailedReplacementThatCannotBeFinishedBringsTheOldFileBack) {
    FileCalls().moveFileEx = &MoveAllButTheNewContent;
    FileCalls().replaceFile = &ReplaceThatRenamesTheTargetAway;
    const std::string ini = folder.Write("OrvanePatchLayouts.ini", "old");
    EXPECT_FALSE(ReplaceFileContent(ini, "new"));
    EXPECT_EQ(FileContent(ini), "old");
    EXPECT_EQ(ContentsOf(folder), std::multiset<std::string>{"old"});
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
