#include "services/SingleInstance.h"

#include "services/InstanceCalls_win.h"
#include "services/PathText.h"
#include "services/ProgramTitle.h"
#include "services/WideText.h"

#include <cstdint>
#include <optional>
#include <windows.h>

namespace {

// FNV-1a: a short, stable name for a folder path.
std::string HashText(const std::string& text) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char digits[17];
    for (int i = 15; i >= 0; --i, hash >>= 4)
        digits[i] = "0123456789abcdef"[hash & 0xF];
    digits[16] = '\0';
    return digits;
}

// When the folder cannot be opened: the same folder however it is written,
// full, one separator, one case.
std::string FolderKey(const std::string& folder) {
    const std::wstring wide = WideFromUtf8(folder);
    std::wstring full(32768, L'\0');
    const DWORD length =
        GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    full.resize(length > 0 && length < full.size() ? length : 0);
    if (full.empty())
        full = wide;
    while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/'))
        full.pop_back();
    for (wchar_t& c : full)
        if (c == L'/')
            c = L'\\';
    CharUpperBuffW(full.data(), static_cast<DWORD>(full.size()));
    return Utf8FromWide(full);
}

// The folder's identity, the same however the folder is reached: short
// names, a mapped drive and its UNC path, subst, junctions.
std::optional<std::string> FolderIdentity(const std::string& folder) {
    const HANDLE handle = CreateFileW(WideFromUtf8(folder).c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(handle, &information) != 0;
    CloseHandle(handle);
    if (!known)
        return std::nullopt;
    const uint64_t index =
        (static_cast<uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    return "volume " + std::to_string(information.dwVolumeSerialNumber) + " file " +
           std::to_string(index);
}

// The lock is a named mutex named after the program folder's identity, in
// the session's own namespace: a name in the machine-wide one could be
// taken first, with an access list that shuts everyone out, by any user of
// the machine. The system closes it when the process ends.
std::string MutexNameFor(const std::string& programFolder) {
    const std::optional<std::string> identity = FolderIdentity(programFolder);
    const std::string key = identity ? *identity : FolderKey(programFolder);
    return std::string("Local\\") + kProgramTitle + "-" + HashText(key);
}

} // namespace

InstanceCalls& SingleInstanceCalls() {
    static InstanceCalls calls;
    return calls;
}

SingleInstanceLock::~SingleInstanceLock() {
    if (holder_)
        CloseHandle(reinterpret_cast<HANDLE>(*holder_));
}

bool SingleInstanceLock::TryAcquire(const std::string& programFolder) {
    if (holder_)
        return true;
    whyNotHeld_.clear();
    const std::wstring name = WideFromUtf8(MutexNameFor(programFolder));
    // Only waiting rights: opening a mutex another user made is then allowed.
    HANDLE mutex = SingleInstanceCalls().createMutex(nullptr, name.c_str(), 0, SYNCHRONIZE);
    const DWORD error = GetLastError();
    if (mutex == nullptr) {
        // Denied: the mutex exists and another user made it, for a copy of
        // their own or to keep this one from starting; only that copy's
        // window tells the two apart. Any other failure: we cannot tell,
        // and starting is better than refusing.
        if (error == ERROR_ACCESS_DENIED &&
            SingleInstanceCalls().findWindow(kMainWindowClass, nullptr))
            return false;
        whyNotHeld_ = error == ERROR_ACCESS_DENIED
                          ? "the lock is refused to this user and no running copy's window is there"
                          : "the lock cannot be made (error " + std::to_string(error) + ")";
        return true;
    }
    if (error == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return false;
    }
    holder_ = reinterpret_cast<std::intptr_t>(mutex);
    return true;
}
