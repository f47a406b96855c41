#include "services/FileCalls_win.h"
#include "services/FileSystem.h"
#include "services/FileUtils.h"
#include "services/PathText.h"
#include "services/WidePath.h"
#include "services/WideText.h"

#include <windows.h>
// shellapi.h needs what windows.h declares.
#include <shellapi.h>

namespace {

// The shell wants a full path, and "link\" would name what a link points
// to: the separators go first, so that a link is deleted as a link.
std::wstring FullPathWithoutTrailingSeparators(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && EndsWithSeparator(trimmed) &&
           !(trimmed.size() == 3 && trimmed[1] == ':'))
        trimmed.pop_back();
    const std::wstring wide = WideFromUtf8(trimmed);
    std::wstring full(32768, L'\0');
    const DWORD length =
        GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size())
        return {};
    full.resize(length);
    return full;
}

} // namespace

Status ShellDelete(const std::string& path, bool permanent) {
    if (path.empty() || path.find('\0') != std::string::npos)
        return FailureOf(FailureCause::BadName, "delete " + path);
    std::wstring source = FullPathWithoutTrailingSeparators(path);
    if (source.empty())
        return SystemFailure("find the full path of " + path, static_cast<int32_t>(GetLastError()));
    if (GetFileAttributesW(WidePath(path).c_str()) == INVALID_FILE_ATTRIBUTES)
        return FailureOf(FailureCause::NotFound, "delete " + path,
                         static_cast<int32_t>(GetLastError()));
    // The shell takes no path past the classic limit; a file there is
    // deleted the way the shell deletes one for good.
    if (source.size() >= MAX_PATH && permanent && KindOf(path) != EntryKind::Folder)
        return RemoveFile(path);
    source.push_back(L'\0'); // the list of sources ends with a second zero
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = source.c_str();
    // Silent and without questions; with the recycle bin unless permanent.
    // A drive without a bin, or a folder too big for it, would have the
    // shell delete for good in silence: the user is asked first then.
    operation.fFlags =
        FOF_SILENT | FOF_NOCONFIRMATION | (permanent ? 0 : FOF_ALLOWUNDO | FOF_WANTNUKEWARNING);
    const int code = FileCalls().shFileOperation(&operation);
    if (code == 0 && !operation.fAnyOperationsAborted)
        return Success();
    return SystemFailure("delete " + path, code);
}
