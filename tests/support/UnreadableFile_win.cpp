#include "support/UnreadableFile.h"

#include "services/PathText.h"

#include <windows.h>

UnreadableFile::UnreadableFile(const std::string& path) {
    HANDLE file = CreateFileW(FsPath(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    handle_ = file;
    made_ = true;
}

UnreadableFile::~UnreadableFile() {
    if (handle_)
        CloseHandle(handle_);
}
