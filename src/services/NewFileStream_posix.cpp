#include "services/NewFileStream.h"

std::FILE* OpenNewFileForWriting(const std::string& path) {
    return std::fopen(path.c_str(), "wbx");
}
