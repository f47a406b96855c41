#include "services/NewFileStream.h"

#include "services/PathText.h"

// The path is UTF-8: the wide call reaches names the ANSI code page lacks.
std::FILE* OpenNewFileForWriting(const std::string& path) {
    return _wfopen(FsPath(path).c_str(), L"wbx");
}
