#include "support/RefusedRename.h"

#include "services/FileCalls_win.h"
#include "services/WidePath.h"

namespace {

std::wstring refused;

BOOL WINAPI RefusingMove(const wchar_t* from, const wchar_t* to, DWORD flags) {
    if (from == refused) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return MoveFileExW(from, to, flags);
}

BOOL WINAPI RefusingRenameOpen(HANDLE file, const wchar_t* from, const wchar_t* to, BOOL replace) {
    if (from == refused) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return RenameOpenFile(file, from, to, replace);
}

} // namespace

RefusedRename::RefusedRename(const std::string& path) {
    refused = WidePath(path);
    FileCalls().moveFileEx = &RefusingMove;
    FileCalls().renameOpenFile = &RefusingRenameOpen;
}

RefusedRename::~RefusedRename() {
    FileCalls() = WindowsFileCalls{};
}
