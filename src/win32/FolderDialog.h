#pragma once

#include <string>
#include <windows.h>

// The shell's folder-browse dialog, modal to `owner`, opened with
// `startFolder` selected. The chosen folder as the shell gives it, or empty
// text when the user cancels or picks something that is not a folder.
std::string RunFolderDialog(HWND owner, const std::string& startFolder, const std::string& title);

// An open or save dialog for one kind of file: `filterCaption` names the
// files `pattern` lists; a save starts on `fileName` and adds `extension`
// to a name typed without one, and asks before replacing a file.
struct FileDialogSpec {
    std::string title;
    std::string filterCaption;
    const wchar_t* pattern = L"*.*";
    std::string startFolder{}; // empty: where the system last was
    std::string fileName{};
    const wchar_t* extension = nullptr;
    bool saving = false;
};
// Modal to `owner`; the chosen file, or empty text when the user cancels.
std::string RunFileDialog(HWND owner, const FileDialogSpec& spec);

// The shell's open dialog for one PNG picture, modal to `owner`, opened in
// `startFolder`; `filterCaption` names the pictures it lists. The chosen
// file, or empty text when the user cancels.
std::string RunPictureDialog(HWND owner, const std::string& startFolder, const std::string& title,
                             const std::string& filterCaption);
