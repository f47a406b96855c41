#include "services/FileIO.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The file that `path` finally names, its links followed one by one; a
// dangling link names the file that writing through it creates. Nothing
// when the links go round in circles.
std::optional<std::string> FollowLinks(std::string path) {
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error)))
            return path;
        const fs::path target = fs::read_symlink(path, error);
        if (error)
            return std::nullopt;
        path = target.is_absolute() ? target.string()
                                    : (fs::path(path).parent_path() / target).string();
    }
    return std::nullopt;
}

// A file without any write permission was frozen by its user; that holds
// for root too, who would otherwise be let through.
bool MayWrite(const std::string& path, const struct stat& info) {
    return S_ISREG(info.st_mode) && (info.st_mode & 0222) != 0 &&
           faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

bool WriteAllAt(int descriptor, const std::string& bytes, off_t offset) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = pwrite(descriptor, bytes.data() + done, bytes.size() - done,
                                       offset + static_cast<off_t>(done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<size_t>(written);
    }
    return true;
}

bool ReadAllAt(int descriptor, std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t read =
            pread(descriptor, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0)
            return false;
        done += static_cast<size_t>(read);
    }
    return true;
}

// The replacement takes the old file's permissions, and its owner and group
// as far as we are allowed to give them (the owner only as root, a group
// only one we belong to).
bool TakeOverOwnerAndMode(int descriptor, const struct stat& old) {
    const bool owned = fchown(descriptor, old.st_uid, old.st_gid) == 0 ||
                       fchown(descriptor, static_cast<uid_t>(-1), old.st_gid) == 0;
    (void)owned;
    return fchmod(descriptor, old.st_mode & 07777) == 0;
}

enum class Outcome { Written, FolderRefused, Failed };

bool IsRefusal(int error) {
    return error == EACCES || error == EPERM;
}

Outcome ReplaceThroughTemporary(const std::string& target, const std::string& bytes,
                                const struct stat* old) {
    const std::string temporary = TemporaryNameBeside(target);
    const int descriptor =
        open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, old ? 0600 : 0666);
    if (descriptor < 0)
        return IsRefusal(errno) ? Outcome::FolderRefused : Outcome::Failed;
    bool written = WriteAllAt(descriptor, bytes, 0) &&
                   (old == nullptr || TakeOverOwnerAndMode(descriptor, *old)) &&
                   fsync(descriptor) == 0;
    written = close(descriptor) == 0 && written;
    if (written && rename(temporary.c_str(), target.c_str()) == 0)
        return Outcome::Written;
    const int error = errno;
    unlink(temporary.c_str());
    // A folder that lets us create but not replace (sticky, say) refuses too.
    return written && IsRefusal(error) ? Outcome::FolderRefused : Outcome::Failed;
}

// Puts the old content back, as far as the file system lets us.
void PutBack(int descriptor, const std::string& old) {
    const bool restored = WriteAllAt(descriptor, old, 0) &&
                          ftruncate(descriptor, static_cast<off_t>(old.size())) == 0 &&
                          fsync(descriptor) == 0;
    (void)restored; // nothing more can be done
}

// Space for the longer content is reserved before the first old byte is
// overwritten, and the file is cut to its new length only after the whole
// content is in. If writing still fails, the old content is put back.
bool OverwriteOpenFile(int descriptor, const std::string& bytes) {
    struct stat info {};
    if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    std::string old(static_cast<size_t>(info.st_size), '\0');
    if (!ReadAllAt(descriptor, old))
        return false;
    const off_t newSize = static_cast<off_t>(bytes.size());
    if (newSize > info.st_size && posix_fallocate(descriptor, 0, newSize) != 0) {
        // Where the reservation is emulated, it may have grown the file.
        PutBack(descriptor, old);
        return false;
    }
    if (WriteAllAt(descriptor, bytes, 0) && ftruncate(descriptor, newSize) == 0 &&
        fsync(descriptor) == 0)
        return true;
    PutBack(descriptor, old);
    return false;
}

bool OverwriteInPlace(const std::string& target, const std::string& bytes) {
    const int descriptor = open(target.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool written = OverwriteOpenFile(descriptor, bytes);
    return close(descriptor) == 0 && written;
}

} // namespace

bool ReplaceFileContent(const std::string& path, const std::string& bytes) {
    // The system would cut such a name at the NUL and write another file.
    if (path.find('\0') != std::string::npos)
        return false;
    const std::optional<std::string> target = FollowLinks(path);
    if (!target)
        return false;
    struct stat old {};
    const bool exists = lstat(target->c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return false;
    if (exists && !MayWrite(*target, old))
        return false;
    switch (ReplaceThroughTemporary(*target, bytes, exists ? &old : nullptr)) {
    case Outcome::Written:
        return true;
    case Outcome::FolderRefused:
        return exists && OverwriteInPlace(*target, bytes);
    case Outcome::Failed:
        break;
    }
    return false;
}
