#pragma once

#include <string>
#include <windows.h>

// The shell's folder-browse dialog, modal to `owner`, opened with
// `startFolder` selected. The chosen folder as the shell gives it, or empty
// text when the user cancels or picks something that is not a folder.
std::string RunFolderDialog(HWND owner, const std::string& startFolder, const std::string& title);

// The shell's open dialog for one PNG picture, modal to `owner`, opened in
// `startFolder`; `filterCaption` names the pictures it lists. The chosen
// file, or empty text when the user cancels.
std::string RunPictureDialog(HWND owner, const std::string& startFolder, const std::string& title,
                             const std::string& filterCaption);
