#include "services/FileIO.h"
#include "services/PathText.h"
#include "services/WideText.h"

#include <algorithm>
#include <windows.h>

namespace {

bool WriteAll(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

// The new content, complete and flushed, in a file of its own.
bool WriteNewFile(const std::wstring& path, const std::string& bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool written = WriteAll(file, bytes) && FlushFileBuffers(file);
    return CloseHandle(file) && written;
}

} // namespace

bool ReplaceFileContent(const std::string& path, const std::string& bytes) {
    // The system would cut such a name at the NUL and write another file.
    if (path.empty() || path.find('\0') != std::string::npos)
        return false;
    const std::wstring target = FsPath(path).wstring();
    const DWORD attributes = GetFileAttributesW(target.c_str());
    // A read-only file was frozen by its user, and a folder is no file.
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    const std::wstring temporary = FsPath(TemporaryNameBeside(path)).wstring();
    if (WriteNewFile(temporary, bytes) &&
        MoveFileExW(temporary.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temporary.c_str());
    return false;
}
