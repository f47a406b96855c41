#include "zip/NewFile.h"

#include "services/PathText.h"

#include <algorithm>
#include <windows.h>

namespace {

bool WriteAll(HANDLE file, const unsigned char* bytes, uint64_t size) {
    constexpr uint64_t kLargestWrite = 1 << 30;
    while (size > 0) {
        DWORD written = 0;
        if (!WriteFile(file, bytes, static_cast<DWORD>(std::min(size, kLargestWrite)), &written,
                       nullptr) ||
            written == 0)
            return false;
        bytes += written;
        size -= written;
    }
    return true;
}

} // namespace

NewFileResult WriteNewFile(const std::string& path, const unsigned char* bytes, uint64_t size) {
    if (path.find('\0') != std::string::npos) // the system would write another name
        return NewFileResult::Failed;
    const std::wstring wide = FsPath(path).wstring();
    const HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS
                   ? NewFileResult::NameTaken
                   : NewFileResult::Failed;
    }
    const bool written = WriteAll(file, bytes, size);
    if (!CloseHandle(file) || !written) {
        DeleteFileW(wide.c_str());
        return NewFileResult::Failed;
    }
    return NewFileResult::Written;
}

const std::string& ProcessTag() {
    static const std::string tag = std::to_string(GetCurrentProcessId());
    return tag;
}
