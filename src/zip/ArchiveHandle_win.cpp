#include "zip/ArchiveHandle.h"

#include "services/NameRules.h"
#include "services/PathText.h"
#include "zip/ZipFailures.h"

#include <algorithm>
#include <windows.h>

namespace {

bool IsPlainFileName(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !IsWindowsDeviceName(PathText(std::filesystem::path(path).filename()));
}

} // namespace

std::unique_ptr<ArchiveHandle> ArchiveHandle::OpenRegularFile(const std::string& path) {
    // A name holding a NUL would look up another file; a device name (NUL,
    // COM1...) opens a device, which may never end or never answer.
    if (path.find('\0') != std::string::npos)
        return nullptr;
    const std::wstring wide = FsPath(path).wstring();
    if (!IsPlainFileName(wide))
        return nullptr;
    const HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_RANDOM_ACCESS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw ZipReadError("Impossible d'ouvrir le fichier " + path);
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
        CloseHandle(file);
        return nullptr;
    }
    return std::unique_ptr<ArchiveHandle>(
        new ArchiveHandle(reinterpret_cast<intptr_t>(file), static_cast<uint64_t>(size.QuadPart)));
}

ArchiveHandle::~ArchiveHandle() {
    CloseHandle(reinterpret_cast<HANDLE>(native_));
}

bool ArchiveHandle::ReadAt(uint64_t offset, unsigned char* output, uint64_t length) const {
    constexpr uint64_t kLargestRead = 1 << 30;
    while (length > 0) {
        // The offset travels with each read, so readers share no position.
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD got = 0;
        if (!ReadFile(reinterpret_cast<HANDLE>(native_), output,
                      static_cast<DWORD>(std::min(length, kLargestRead)), &got, &at) ||
            got == 0)
            return false;
        output += got;
        offset += got;
        length -= got;
    }
    return true;
}
