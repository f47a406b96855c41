#include "FirstCopy.h"

#include "services/ProgramTitle.h"
#include "services/WideText.h"

#include <windows.h>

namespace {

struct Search {
    std::wstring folder; // the program folder, without its separator
    HWND found = nullptr;
};

// The folder of the executable that runs `window`'s process.
std::wstring FolderOfProcess(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
    if (!handle)
        return {};
    std::wstring path(32768, L'\0');
    DWORD size = static_cast<DWORD>(path.size());
    const BOOL named = QueryFullProcessImageNameW(handle, 0, path.data(), &size);
    CloseHandle(handle);
    if (!named)
        return {};
    path.resize(size);
    return path.substr(0, path.find_last_of(L"\\/"));
}

BOOL CALLBACK Visit(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    wchar_t className[64]{};
    GetClassNameW(window, className, 64);
    if (lstrcmpW(className, kMainWindowClass) != 0)
        return TRUE;
    // Copies in other folders run on their own: only ours is raised.
    const std::wstring folder = FolderOfProcess(window);
    if (!folder.empty() &&
        CompareStringOrdinal(folder.c_str(), -1, search.folder.c_str(), -1, TRUE) != CSTR_EQUAL)
        return TRUE;
    search.found = window;
    return FALSE;
}

} // namespace

bool RaiseFirstCopy(const std::string& programFolder) {
    Search search;
    search.folder = WideFromUtf8(programFolder);
    while (!search.folder.empty() &&
           (search.folder.back() == L'\\' || search.folder.back() == L'/'))
        search.folder.pop_back();
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return false;
    // The view or a message box in front of it comes up with it.
    HWND front = GetLastActivePopup(search.found);
    if (IsIconic(search.found))
        ShowWindow(search.found, SW_RESTORE);
    SetForegroundWindow(front ? front : search.found);
    return true;
}
