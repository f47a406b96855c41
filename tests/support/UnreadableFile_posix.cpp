#include "support/UnreadableFile.h"

#include <sys/stat.h>

UnreadableFile::UnreadableFile(const std::string& path) {
    made_ = mkfifo(path.c_str(), 0644) == 0;
}

UnreadableFile::~UnreadableFile() = default;
