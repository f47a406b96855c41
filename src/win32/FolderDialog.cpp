#include "FolderDialog.h"

#include "app/DialDossier.h"
#include "services/WideText.h"

#include <algorithm>
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

std::string RunFileDialog(HWND owner, const FileDialogSpec& spec) {
    // Room for a path of any length, as for the folder dialog.
    std::wstring file(32768, L'\0');
    const std::wstring name = WideFromUtf8(spec.fileName);
    std::copy(name.begin(), name.end(), file.begin());
    // The caption, then its pattern, each ended by a zero.
    std::wstring filter = WideFromUtf8(spec.filterCaption) + L'\0' + spec.pattern + L'\0';
    const std::wstring start = WideFromUtf8(spec.startFolder);
    const std::wstring title = WideFromUtf8(spec.title);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = start.empty() ? nullptr : start.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = spec.extension;
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER | OFN_HIDEREADONLY |
                   (spec.saving ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL chosen = spec.saving ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    return chosen ? Utf8FromWide(file.c_str()) : std::string();
}

std::string RunPictureDialog(HWND owner, const std::string& startFolder, const std::string& title,
                             const std::string& filterCaption) {
    return RunFileDialog(owner, {title, filterCaption, L"*.png", startFolder});
}
