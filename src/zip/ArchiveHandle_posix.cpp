#include "zip/ArchiveHandle.h"

#include "zip/ZipFailures.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsRegular(const struct stat& info) {
    return S_ISREG(info.st_mode);
}

} // namespace

std::unique_ptr<ArchiveHandle> ArchiveHandle::OpenRegularFile(const std::string& path) {
    struct stat info {};
    // Looking first keeps devices from being opened at all; a name holding a
    // NUL would look up another file.
    if (path.find('\0') != std::string::npos || ::stat(path.c_str(), &info) != 0 ||
        !IsRegular(info))
        return nullptr;
    // Should the name have become a FIFO since, O_NONBLOCK keeps the opening
    // from waiting for a writer, and the check below refuses it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        throw ZipReadError("Impossible d'ouvrir le fichier " + path);
    if (::fstat(fd, &info) != 0 || !IsRegular(info)) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<ArchiveHandle>(
        new ArchiveHandle(fd, static_cast<uint64_t>(info.st_size)));
}

ArchiveHandle::~ArchiveHandle() {
    ::close(static_cast<int>(native_));
}

bool ArchiveHandle::ReadAt(uint64_t offset, unsigned char* output, uint64_t length) const {
    constexpr uint64_t kLargestRead = 1 << 30;
    while (length > 0) {
        const ssize_t got = ::pread(static_cast<int>(native_), output,
                                    std::min(length, kLargestRead), static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        output += got;
        offset += static_cast<uint64_t>(got);
        length -= static_cast<uint64_t>(got);
    }
    return true;
}
