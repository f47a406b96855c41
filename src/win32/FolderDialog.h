#pragma once

#include <string>
#include <windows.h>

// The shell's folder-browse dialog, modal to `owner`, opened with
// `startFolder` selected. The chosen folder as the shell gives it, or empty
// text when the user cancels or picks something that is not a folder.
std::string RunFolderDialog(HWND owner, const std::string& startFolder, const std::string& title);
