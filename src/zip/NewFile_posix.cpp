#include "zip/NewFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool WriteAll(int fd, const unsigned char* bytes, uint64_t size) {
    constexpr uint64_t kLargestWrite = 1 << 30;
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, std::min(size, kLargestWrite));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        size -= static_cast<uint64_t>(written);
    }
    return true;
}

} // namespace

NewFileResult WriteNewFile(const std::string& path, const unsigned char* bytes, uint64_t size) {
    if (path.find('\0') != std::string::npos) // the system would write another name
        return NewFileResult::Failed;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0)
        return errno == EEXIST ? NewFileResult::NameTaken : NewFileResult::Failed;
    const bool written = WriteAll(fd, bytes, size);
    if (::close(fd) != 0 || !written) {
        ::unlink(path.c_str());
        return NewFileResult::Failed;
    }
    return NewFileResult::Written;
}

const std::string& ProcessTag() {
    static const std::string tag = std::to_string(::getpid());
    return tag;
}
