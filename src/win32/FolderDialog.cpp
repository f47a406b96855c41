#include "FolderDialog.h"

#include "app/DialDossier.h"
#include "services/WideText.h"

#include <commdlg.h>
#include <shlobj.h>

namespace {

// Selects the start folder (a path, not an item list) once the dialog is ready.
int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM /*param*/, LPARAM data) {
    if (message == BFFM_INITIALIZED)
        SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

} // namespace

std::string RunFolderDialog(HWND owner, const std::string& startFolder, const std::string& title) {
    const std::wstring start = WideFromUtf8(startFolder);
    const std::wstring dialogTitle = WideFromUtf8(FolderDialogTitle(title));
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = dialogTitle.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(start.c_str());
    PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info);
    if (!item)
        return {};
    // Room for a path of any length: a deep folder is a choice, not a cancel.
    std::wstring path(32768, L'\0');
    std::string chosen;
    if (SHGetPathFromIDListEx(item, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT))
        chosen = Utf8FromWide(path.c_str());
    CoTaskMemFree(item);
    return chosen;
}

std::string RunPictureDialog(HWND owner, const std::string& startFolder, const std::string& title,
                             const std::string& filterCaption) {
    // Room for a path of any length, as for the folder dialog.
    std::wstring file(32768, L'\0');
    std::wstring filter = WideFromUtf8(filterCaption);
    filter += std::wstring(L"\0*.png\0", 7);
    const std::wstring start = WideFromUtf8(startFolder);
    const std::wstring dialogTitle = WideFromUtf8(title);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = start.c_str();
    dialog.lpstrTitle = dialogTitle.c_str();
    dialog.Flags =
        OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&dialog))
        return {};
    return Utf8FromWide(file.c_str());
}
