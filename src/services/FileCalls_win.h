#pragma once

#include <windows.h>
// shellapi.h needs what windows.h declares.
#include <shellapi.h>

// Renames the open `file`, whose name is `from`, to `to`; over whatever is
// there only when `replace` (SetFileInformationByHandle with FileRenameInfo).
BOOL WINAPI RenameOpenFile(HANDLE file, const wchar_t* from, const wchar_t* to, BOOL replace);

// The calls of the Windows file system seam where Wine lets through what
// Windows refuses (a read-only file renamed over or deleted, say). The seam
// makes them through this table, so that a test can put Windows' own rule
// back in and check that the seam copes with it.
struct WindowsFileCalls {
    decltype(&MoveFileExW) moveFileEx = &MoveFileExW;
    decltype(&RenameOpenFile) renameOpenFile = &RenameOpenFile;
    decltype(&DeleteFileW) deleteFile = &DeleteFileW;
    decltype(&ReplaceFileW) replaceFile = &ReplaceFileW;
    decltype(&SHFileOperationW) shFileOperation = &SHFileOperationW;
};

WindowsFileCalls& FileCalls();
