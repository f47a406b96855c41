#include "support/FrozenFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/fs.h>
#include <sys/ioctl.h>
#endif

namespace {

bool SetImmutable(const std::string& path, bool on) {
#ifndef __linux__
    (void)path;
    (void)on;
    return false;
#else
    const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    close(fd);
    return done;
#endif
}

} // namespace

FrozenFolder::FrozenFolder(std::string path) : path_(std::move(path)) {
    if (SetImmutable(path_, true))
        method_ = Method::Immutable;
    else if (geteuid() != 0 && chmod(path_.c_str(), 0555) == 0)
        method_ = Method::ReadOnly;
}

FrozenFolder::~FrozenFolder() {
    if (method_ == Method::Immutable)
        SetImmutable(path_, false);
    else if (method_ == Method::ReadOnly)
        chmod(path_.c_str(), 0755);
}
